#pragma once

#include "prefs/pref_items.h"
#include "store/data_folder.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// Copies of the payment log: the storage copies in the data folder, the monthly backup file, and the two
// marker files whose time stamps tell when the yearly storage and the monthly backup last ran.
namespace Storage {

// "MM-dd-yyyy": the date part of a date-named storage copy and the line of lastSv.dat.
QString dateName(const QDate& date);
// The storage copy's file name: today's date name when UsYr is set, otherwise JanN as it stands; a name
// without any "." gets ".db".
QString storageName(const PrefItems& prefs, const QDate& today);
// The monthly backup file: MBKF, or the data folder's db.bak when MBKF is empty. A path with no "." after
// its first character gets ".bak".
QString backupPath(const PrefItems& prefs, const ProgramFiles& files);

QString storageDateFile(const ProgramFiles& files);  // lastSv.dat
QString backupMarkerFile(const ProgramFiles& files); // MlastSv.dat
QByteArray storageDateLine(const QDate& date);
QByteArray backupMarkerLine();

// Replaces a marker file with its line and dates it at stamp, so that the date read back is the program's
// own clock. False when it could not be written.
bool writeMarker(const QString& path, const QByteArray& line, const QDateTime& stamp);
// The date a marker file was last written; invalid when it is missing or unreadable.
QDate markerDate(const QString& path);

// True when lastSv.dat was written in today's month and year.
bool StoredThisMonth(const ProgramFiles& files, const QDate& today);
// Writes lastSv.dat for today. False when it could not be written; nothing is shown either way.
bool RecordStorageDate(const ProgramFiles& files, const QDateTime& now);
// Whether a yearly storage dated stored already covers today: the same month of the same year, and a
// January storage also covers the February after it, so that a fixed storage name is not written twice.
bool storageCovers(const QDate& stored, const QDate& today);
// Whether this month's backup is still to be made: no marker yet, or one from another month or year.
bool monthlyBackupDue(const ProgramFiles& files, const QDate& today);

// The number of records a log's bytes hold: its non-empty lines.
qsizetype recordCount(const QByteArray& log);
// True when every record line of stored is also in log, as often: replacing stored by log loses nothing.
bool holdsAllOf(const QByteArray& log, const QByteArray& stored);

// A name the program cannot use as a file inside its data folder: empty, "." or "..", or one holding a
// folder separator or a control character.
bool isPlainFileName(const QString& name);
// One of the program's own data files (the log, the creditor list, the markers, the breach log, the lock of
// the running program), which no copy may replace: by name inside the data folder, case ignored, or by where
// a path really leads.
bool isProgramFile(const ProgramFiles& files, const QString& path);
bool isReservedName(const ProgramFiles& files, const QString& name);
// The name with " (n)" before its last ".", or at its end when it has none.
QString numberedName(const QString& name, int n);

// Copies a file whole: the target is written under a temporary name, checked to hold the same bytes as the
// source, and only then put in place of the old target. A target that exists but is not a regular file is
// never replaced. The copy is readable by its owner only.
bool copyWhole(const QString& from, const QString& to);

struct StoredCopy {
    bool ok = false;
    QString name; // the name the copy was made under, inside the data folder
};
// Copies the payment log into the data folder under name. A copy never replaces a file holding records
// that the log lacks, nor one of the program's own files: then the first numbered name that is free, or
// that holds nothing the log lacks, is taken instead.
StoredCopy storeLogCopy(const ProgramFiles& files, const QString& name);

} // namespace Storage

#pragma once

#include <QLocale>
#include <QString>

// The statistics of the payment log, built from the log file itself rather than from the grid. Lines end in
// CR LF, as the report has always been written.
//
// The log is read from its start up to its end, an empty line or a line that is not a record (fewer than
// three "|"), whichever comes first. Creditors are grouped by their exact name and the groups follow one
// another without regard to case; names that differ only in case keep the order in which the log first
// names them. Within a group the earlier record wins a tie for the smallest or the largest payment.
//
// Record dates are read back in the program's own date form and written in the locale's short date form;
// time stamps in its short date and time form. An empty text means the log could not be read.
QString BuildReport(const QString& logPath, const QString& backupPath, const QLocale& locale = QLocale());

// When the backup file was last written, or " none" when there is no such file (empty path, missing file).
QString LastBackupDate(const QString& backupPath, const QLocale& locale = QLocale());

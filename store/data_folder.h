#pragma once

#include <QFileDevice>
#include <QString>

// Where the program keeps its files: every path is the program's own folder plus a fixed tail, never a
// path relative to the current directory.
class ProgramFiles {
public:
    explicit ProgramFiles(QString programFolder);

    const QString& ProgramFolder() const { return m_programFolder; }
    QString DataFolder() const;
    QString dataFile(const QString& name) const; // DataFolder + "/" + name
    QString paymentLog() const { return dataFile(QStringLiteral("db.db")); }
    QString creditorList() const { return dataFile(QStringLiteral("creditors.dat")); }
    QString breachLog() const { return dataFile(QStringLiteral("seqbreach.log")); }
    QString helpFile(const QString& name) const;

private:
    QString m_programFolder;
};

// Creates the data folder when it is missing. True when the folder exists afterwards.
bool EnsureDataFolder(const ProgramFiles& files);
// Creates the data folder and an empty payment log when they are missing; an existing log is never
// touched. True when the log exists afterwards.
bool EnsurePaymentLog(const ProgramFiles& files);

enum class SpecialFolder { System = 0, Documents };
// The user's documents folder stands in for the operating system's folder: it roots the default backup
// path. Empty when the platform names none.
QString GetSpecialFolderPath(SpecialFolder kind);

// Data files hold the user's records and passwords: on Linux they are readable by their owner only. New
// files are created so (ownerOnly() given to the open call), files that exist are made so.
QFileDevice::Permissions ownerOnly();
void restrictToOwner(const QString& path);

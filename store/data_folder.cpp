#include "store/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFiles::ProgramFiles(QString programFolder)
    : m_programFolder(std::move(programFolder)) {}

QString ProgramFiles::DataFolder() const {
    return m_programFolder + QStringLiteral("/data");
}

QString ProgramFiles::dataFile(const QString& name) const {
    return DataFolder() + u'/' + name;
}

QString ProgramFiles::helpFile(const QString& name) const {
    return m_programFolder + QStringLiteral("/help/") + name;
}

bool EnsureDataFolder(const ProgramFiles& files) {
    const QString folder = files.DataFolder();
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkpath(folder);
}

bool EnsurePaymentLog(const ProgramFiles& files) {
    if (!EnsureDataFolder(files))
        return false;
    const QString log = files.paymentLog();
    if (QFileInfo::exists(log))
        return QFileInfo(log).isFile();
    QFile file(log);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly()))
        return false;
    file.close();
    return true;
}

QString GetSpecialFolderPath(SpecialFolder kind) {
    switch (kind) {
    case SpecialFolder::System:
        return QDir::rootPath();
    case SpecialFolder::Documents:
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    return {};
}

QFileDevice::Permissions ownerOnly() {
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

void restrictToOwner(const QString& path) {
#ifndef Q_OS_WIN
    QFile::setPermissions(path, ownerOnly());
#else
    Q_UNUSED(path);
#endif
}

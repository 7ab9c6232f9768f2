#pragma once

#include <QString>
#include <QStringList>
#include <sys/resource.h>

// Real faults for tests that run as root, where file permissions stop nothing.

// A disk that is full for this process: no regular file may grow past the given size (writes beyond fail
// with EFBIG, as they fail on a full disk). Ends with the object.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    void (*m_handler)(int) = nullptr;
};

// A data folder and the files in it made read-only. A process that could write anyway (root, through the
// capability that overrides file permissions) gives that capability up until the object ends; active() is
// false when neither worked.
class ReadOnlyFolder final {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool active() const { return m_active; }

private:
    QString m_folder;
    QStringList m_files;
    bool m_droppedOverride = false;
    bool m_active = false;
};

// The process's peak resident memory, and a fresh start of that peak (Linux).
qint64 peakResidentKb();
void resetPeakResident();

#include "faults.h"

#include <csignal>
#include <linux/capability.h>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <sys/syscall.h>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    getrlimit(RLIMIT_FSIZE, &m_before);
    // Without this the kernel ends the process at the first write past the limit; with it the write fails.
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_before;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_before);
    std::signal(SIGXFSZ, m_handler);
}

namespace {

constexpr quint32 OverrideCapabilities = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

// Raises or lowers the capabilities that let root ignore file permissions, in the effective set only, so
// that they can be raised again. True when they were held and changed.
bool setOverride(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    if ((data[0].permitted & OverrideCapabilities) != OverrideCapabilities)
        return false;
    data[0].effective = on ? data[0].effective | OverrideCapabilities : data[0].effective & ~OverrideCapabilities;
    return syscall(SYS_capset, &header, data) == 0;
}

// Whether a file can really be made in the folder by this process now.
bool canCreateIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& folder)
    : m_folder(folder) {
    m_files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : m_files)
        QFile::setPermissions(QDir(folder).filePath(name), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (canCreateIn(folder))
        m_droppedOverride = setOverride(false);
    m_active = !canCreateIn(folder);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (m_droppedOverride)
        setOverride(true);
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const QString& name : m_files)
        QFile::setPermissions(QDir(m_folder).filePath(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

qint64 peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void resetPeakResident() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

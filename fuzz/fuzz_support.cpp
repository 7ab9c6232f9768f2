#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <unistd.h>

namespace FuzzSupport {

namespace {

QString folder;
std::string folderOnDisk;

// At exit Qt's own globals may already be gone: the folder goes with the standard library alone.
void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folderOnDisk, ignored);
}

} // namespace

void initialize(int* argc, char*** argv) {
    // Lives until the process ends; never destroyed after Qt's globals.
    new QCoreApplication(*argc, *argv);
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/quorvane-fuzz-XXXXXX"));
    if (!mkdtemp(pattern.data()))
        fail("cannot make a private folder");
    folderOnDisk = pattern.toStdString();
    folder = QFile::decodeName(pattern);
    std::atexit(removeFolder);
}

QString path(const QString& name) {
    return folder + u'/' + name;
}

QString writeInput(const QString& name, const uint8_t* data, size_t size) {
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        fail("cannot write the input file");
    return file;
}

QByteArrayList lines(const QByteArray& bytes) {
    QByteArrayList out;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        out.append(line);
        start = next;
    }
    return out;
}

QByteArrayList nonEmptyLines(const QByteArray& bytes) {
    QByteArrayList out;
    for (const QByteArray& line : lines(bytes)) {
        if (!line.isEmpty())
            out.append(line);
    }
    return out;
}

void fail(const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

} // namespace FuzzSupport

#pragma once

#include <cstddef>
#include <cstdint>
#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// Helpers shared by the fuzz targets: the readers under test take file paths, so each input is written to
// a file in a private folder first.
namespace FuzzSupport {

// Makes the private folder (under TMPDIR) and the application object Qt's file and settings classes expect.
void initialize(int* argc, char*** argv);
// Writes the input to the named file in the private folder and returns its path.
QString writeInput(const QString& name, const uint8_t* data, size_t size);
QString path(const QString& name);

// The lines of a file as the readers see them: split at LF, one CR before the LF dropped.
QByteArrayList lines(const QByteArray& bytes);
QByteArrayList nonEmptyLines(const QByteArray& bytes);

// Ends the run with a report libFuzzer records as a crash, so that a broken promise is kept as an input.
[[noreturn]] void fail(const char* what);
inline void check(bool condition, const char* what) {
    if (!condition)
        fail(what);
}

} // namespace FuzzSupport

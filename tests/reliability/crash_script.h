#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QMap>
#include <QRandomGenerator>
#include <QString>

// The commands the crash test runs in a child process, the same series for the child that runs them and
// for the test that checks what they left on disk.
namespace CrashScript {

enum class Kind { Append, Remove, Store };

struct Step {
    Kind kind = Kind::Append;
    int record = 0;  // Remove: which record, from 0
    QByteArray line; // Append: the record line, without its line break
    QString name;    // Store: the storage name asked for
};

class Script {
public:
    explicit Script(quint32 seed);
    // The next step for a log that holds this many records.
    Step next(int records);

private:
    QRandomGenerator m_random;
    quint32 m_seed;
    int m_serial = 0;
};

// A log large enough that rewriting or copying it takes a while, so that the kills land inside the writes.
QByteArray initialLog(int records);

// What the data folder should hold: the log's records, and every storage copy by name.
struct Model {
    QByteArrayList records;
    QMap<QString, QByteArray> copies;

    QByteArray log() const;
    // Applies one step as the program's rules say it ends.
    void apply(const Step& step);
    bool operator==(const Model& other) const = default;
};

} // namespace CrashScript

#pragma once

#include "platform/prompter.h"

#include <memory>
#include <QString>

class QLockFile;

// Only one run of the program may use a data folder at a time: two runs would each rewrite the log from
// their own grid, and the later rewrite would drop the records the other one added. The lock is a file in
// the data folder, held for the whole run; one left behind by a run that crashed is taken over.
class InstanceLock final {
public:
    enum class State {
        Held,          // this run holds the folder
        HeldByAnother, // another run that is still alive holds it
        Unavailable,   // no lock can be made there (a folder that cannot be written); the run goes on without
    };

    explicit InstanceLock(const QString& dataFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Creates the data folder when it is missing, then tries the lock once, without waiting.
    State acquire();
    // acquire(), telling the user when another run holds the folder. False when this run must end.
    bool claim(Prompter& prompter);
    bool held() const;

    static QString fileName();
    static Prompt::Message runningMessage(const QString& dataFolder);

private:
    QString m_dataFolder;
    std::unique_ptr<QLockFile> m_lock;
};

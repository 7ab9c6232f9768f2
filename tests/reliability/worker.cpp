// A child process for the reliability tests: it runs what the tests must be able to kill or watch from
// outside.
//
//   reliability_worker commands <program folder> <seed>   runs the crash test's commands until it is killed,
//                                                         writing "ready" once the log is loaded and the
//                                                         number of each finished step
//   reliability_worker lock <data folder>                 takes the data folder's lock and waits
//   reliability_worker protect                            protects its memory as the program does, then
//                                                         reports its core file limit and dumpable state

#include "crash_script.h"
#include "platform/hardening.h"
#include "platform/instance_lock.h"
#include "prefs/pref_items.h"
#include "store/data_folder.h"
#include "store/log_file.h"
#include "store/payment_grid.h"
#include "store/storage_rules.h"

#include <csignal>
#include <cstdio>
#include <QCoreApplication>
#include <QDate>
#include <QThread>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void say(const QByteArray& text) {
    // Unbuffered: whatever was said before a kill has reached the test.
    const QByteArray line = text + '\n';
    if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
        std::_Exit(3);
}

[[noreturn]] void failStep(const char* what) {
    std::fprintf(stderr, "step failed: %s\n", what);
    std::_Exit(2);
}

int recordCount(const PaymentGrid& grid) {
    int count = 0;
    while (grid.holdsRecord(count + 1))
        ++count;
    return count;
}

// The add, remove and backup commands as the main window runs them, on the grid and the files.
int runCommands(const QString& programFolder, quint32 seed) {
    const ProgramFiles files(programFolder);
    PaymentGrid grid;
    if (!grid.loadFile(files.paymentLog()).opened)
        failStep("load");
    say("ready");
    CrashScript::Script script(seed);
    PrefItems prefs;
    prefs[PrefItems::UsYr] = QStringLiteral("0");
    for (int done = 1;; ++done) {
        const int records = recordCount(grid);
        const CrashScript::Step step = script.next(records);
        switch (step.kind) {
        case CrashScript::Kind::Append: {
            const int row = records + 1;
            if (row == grid.rows() - 1)
                grid.addRows(1);
            const QList<QByteArray> fields = step.line.split('|');
            for (int column = 0; column < PaymentGrid::RecordColumns; ++column)
                grid.setCell(row, column, QString::fromLatin1(fields.at(column)));
            if (!appendToFile(files.paymentLog(), grid.recordLine(row)))
                failStep("append");
            grid.addRows(1);
            break;
        }
        case CrashScript::Kind::Remove: {
            grid.takeRecord(step.record + 1);
            if (!rewriteLog(files.paymentLog(), grid))
                failStep("remove");
            break;
        }
        case CrashScript::Kind::Store:
            prefs[PrefItems::JanN] = step.name;
            if (!Storage::storeLogCopy(files, Storage::storageName(prefs, QDate(2027, 1, 5))).ok)
                failStep("store");
            break;
        }
        say(QByteArray::number(done));
    }
}

int holdLock(const QString& dataFolder) {
    InstanceLock lock(dataFolder);
    if (lock.acquire() != InstanceLock::State::Held)
        return 2;
    say("held");
    for (;;)
        QThread::sleep(60);
}

int reportProtection() {
    protectProcessMemory();
    rlimit core{};
    getrlimit(RLIMIT_CORE, &core);
    say("core " + QByteArray::number(qulonglong(core.rlim_cur)) + ' ' + QByteArray::number(qulonglong(core.rlim_max)));
    say("dumpable " + QByteArray::number(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0)));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // Never outlive the test that started it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 4 && args.at(1) == u"commands")
        return runCommands(args.at(2), args.at(3).toUInt());
    if (args.size() == 3 && args.at(1) == u"lock")
        return holdLock(args.at(2));
    if (args.size() == 2 && args.at(1) == u"protect")
        return reportProtection();
    std::fprintf(stderr, "usage: reliability_worker commands <folder> <seed> | lock <folder> | protect\n");
    return 1;
}

#include "crash_script.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// Kills a child process at random moments while it appends records, removes records and stores copies of the
// log, then checks that the log and every storage copy hold either what they held before the step that was
// cut short, or what that step was to write: never a mix, never a cut file, never a stray file.
class TestCrashSafety final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedAtRandomMomentsLosesNothing();

private:
    // What the data folder holds now, as a model to compare with.
    static CrashScript::Model onDisk(const QString& dataFolder, QStringList* strays);
    static void reset(const QString& dataFolder, CrashScript::Model& model);
};

namespace {

constexpr int Kills = 200;
constexpr int FreshStartEvery = 25; // storage copies pile up under numbered names; a fresh folder bounds them
constexpr int InitialRecords = 8000;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

CrashScript::Model TestCrashSafety::onDisk(const QString& dataFolder, QStringList* strays) {
    CrashScript::Model model;
    const QDir dir(dataFolder);
    for (const QString& name :
         dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name == u"db.db") {
            const QByteArray bytes = readFile(dir.filePath(name));
            for (QByteArray line : bytes.split('\n')) {
                if (line.endsWith('\r'))
                    line.chop(1);
                if (!line.isEmpty())
                    model.records.append(line);
            }
            // A log that does not end in a line break was cut: that must show as a difference.
            if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
                model.records.append("<cut>");
        } else if (name.endsWith(u".db")) {
            model.copies.insert(name, readFile(dir.filePath(name)));
        } else {
            strays->append(name);
        }
    }
    return model;
}

void TestCrashSafety::reset(const QString& dataFolder, CrashScript::Model& model) {
    QDir(dataFolder).removeRecursively();
    QVERIFY(QDir().mkpath(dataFolder));
    QFile log(dataFolder + QStringLiteral("/db.db"));
    QVERIFY(log.open(QIODevice::WriteOnly));
    const QByteArray bytes = CrashScript::initialLog(InitialRecords);
    QCOMPARE(log.write(bytes), bytes.size());
    log.close();
    model = {};
    for (QByteArray line : bytes.split('\n')) {
        line.chop(1);
        if (!line.isEmpty())
            model.records.append(line);
    }
}

void TestCrashSafety::killedAtRandomMomentsLosesNothing() {
    QTemporaryDir program;
    QVERIFY(program.isValid());
    const QString dataFolder = program.filePath(QStringLiteral("data"));
    CrashScript::Model model;
    QRandomGenerator random(20270105);
    QElapsedTimer clock;
    clock.start();
    int newStepsSeen = 0;
    int temporaryFilesLeft = 0;
    int stepsRun = 0;

    for (int kill = 0; kill < Kills; ++kill) {
        if (kill % FreshStartEvery == 0)
            reset(dataFolder, model);
        const quint32 seed = random.generate();
        QProcess child;
        child.setProgram(QStringLiteral(QUORVANE_WORKER));
        child.setArguments({QStringLiteral("commands"), program.path(), QString::number(seed)});
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start();
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        // Loading is not what is tested: the clock starts once the child is at work.
        QVERIFY2(child.waitForReadyRead(30000), "the child never got ready");
        QThread::usleep(random.bounded(30000u));
        child.kill();
        QVERIFY(child.waitForFinished(30000));
        const QByteArray output = child.readAllStandardOutput();
        QVERIFY2(output.startsWith("ready\n"), output.left(200).constData());
        QVERIFY2(child.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("the child ended by itself: ") +
                            QString::fromLocal8Bit(child.readAllStandardError())));
        const int finished = int(output.count('\n')) - 1;

        // Replays the same series: after the finished steps, and after the step the kill may have cut short.
        CrashScript::Script script(seed);
        CrashScript::Model before = model;
        for (int i = 0; i < finished; ++i)
            before.apply(script.next(int(before.records.size())));
        CrashScript::Model after = before;
        after.apply(script.next(int(after.records.size())));

        QStringList strays;
        const CrashScript::Model found = onDisk(dataFolder, &strays);
        // A kill between the two steps by which Qt puts a new file in place leaves that new file under a
        // temporary name ("db.db.AbCdEf"): whole, as the step meant to write it, and owner-only. Anything
        // else is a stray.
        for (const QString& stray : std::as_const(strays)) {
            const QString target = stray.left(stray.size() - 7);
            const QByteArray content = readFile(QDir(dataFolder).filePath(stray));
            const QByteArray meant = target == u"db.db" ? after.log() : after.copies.value(target, "<none>");
            QVERIFY2(stray.size() > 7 && stray.at(stray.size() - 7) == u'.' && content == meant,
                     qPrintable(QStringLiteral("left behind: ") + stray));
            QVERIFY(QFile::remove(QDir(dataFolder).filePath(stray)));
            ++temporaryFilesLeft;
        }
        const bool old = found == before;
        const bool complete = found == after;
        if (!old && !complete) {
            qWarning() << "kill" << kill << "after" << finished << "steps: log holds" << found.records.size()
                       << "records, expected" << before.records.size() << "or" << after.records.size() << "; copies"
                       << found.copies.keys() << "expected" << before.copies.keys() << "or" << after.copies.keys();
            QFAIL("the data folder holds neither the old nor the new content");
        }
        newStepsSeen += complete && !old ? 1 : 0;
        stepsRun += finished;
        model = complete ? after : before;
    }
    qInfo("%d kills after %d finished steps; %d fell between a step's write and its report, %d left a whole new file "
          "under a temporary name; %lld ms",
          Kills, stepsRun, newStepsSeen, temporaryFilesLeft, qint64(clock.elapsed()));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"

#include "app/main_window.h"
#include "app/startup.h"
#include "platform/instance_lock.h"
#include "prefs/password_lock.h"
#include "prefs/preferences.h"
#include "store/creditor_list.h"
#include "store/log_file.h"
#include "store/storage_rules.h"

#include "scripted.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

// One run per data folder, the files that hold the user's data readable by their owner only, and a process
// that keeps its memory (with the passwords in it) to itself.
class TestSingleInstance final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void secondStartSaysWhereTheFirstRuns();
    void runInAnotherProcessHoldsTheFolder();
    void lockOfACrashedRunIsTakenOver_data();
    void lockOfACrashedRunIsTakenOver();
    void noCopyTakesTheLocksName();
    void dataFilesAreOwnerOnly_data();
    void dataFilesAreOwnerOnly();
    void processKeepsItsMemoryToItself();
    void realProgramTakesOverAfterACrash();

private:
    QString lockPath() const { return m_program->dataFile(InstanceLock::fileName()); }

    std::unique_ptr<TestProgram> m_program;
    mode_t m_umask = 0;
};

namespace {

qint64 lockOwner(const QString& path) {
    QLockFile lock(path);
    qint64 pid = 0;
    QString host;
    QString application;
    return lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

// A worker that holds the folder's lock until it is killed, as a run that crashes would leave it.
bool startHolder(QProcess& holder, const QString& dataFolder) {
    holder.start(QStringLiteral(QUORVANE_WORKER), {QStringLiteral("lock"), dataFolder});
    return holder.waitForReadyRead(30000) && holder.readAllStandardOutput() == "held\n";
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 07777;
}

} // namespace

void TestSingleInstance::init() {
    m_program = std::make_unique<TestProgram>();
    // The permissive mask most desktops use, so that owner-only files are the program's doing.
    m_umask = umask(022);
}

void TestSingleInstance::cleanup() {
    umask(m_umask);
    QCOMPARE(m_program->prompter.pending(), 0);
    m_program.reset();
}

void TestSingleInstance::secondStartSaysWhereTheFirstRuns() {
    auto first = std::make_unique<Startup>(m_program->services);
    QVERIFY(first->Main());
    QVERIFY(QFileInfo::exists(lockPath()));

    m_program->prompter.expect(Prompt::Answer::Ok);
    Startup second(m_program->services);
    QVERIFY(!second.Main());
    QVERIFY(m_program->exit.requested());
    QVERIFY(!second.splash());
    const Prompt::Message message = m_program->prompter.messages().first();
    QVERIFY(message.text.startsWith(QStringLiteral("Quorvane is already running from this folder")));
    QVERIFY(message.text.contains(QDir::toNativeSeparators(m_program->dir.filePath(QStringLiteral("data")))));
    QCOMPARE(message.icon, Prompt::Icon::Exclamation);
    // The second start left the first one's lock alone.
    QCOMPARE(lockOwner(lockPath()), QCoreApplication::applicationPid());

    // Once the first run ends, the folder is free again.
    first.reset();
    QVERIFY(!QFileInfo::exists(lockPath()));
    m_program->exit.reset();
    Startup third(m_program->services);
    QVERIFY(third.Main());
}

void TestSingleInstance::runInAnotherProcessHoldsTheFolder() {
    QProcess holder;
    QVERIFY(startHolder(holder, m_program->dir.filePath(QStringLiteral("data"))));
    m_program->prompter.expect(Prompt::Answer::Ok);
    {
        Startup second(m_program->services);
        QVERIFY(!second.Main());
    }
    QCOMPARE(lockOwner(lockPath()), holder.processId());

    // The holder crashes: its lock stays behind and the next start takes it over without a word.
    holder.kill();
    QVERIFY(holder.waitForFinished());
    QVERIFY(QFileInfo::exists(lockPath()));
    m_program->exit.reset();
    Startup next(m_program->services);
    QVERIFY(next.Main());
    QCOMPARE(m_program->prompter.messages().size(), 1);
    QCOMPARE(lockOwner(lockPath()), QCoreApplication::applicationPid());
}

void TestSingleInstance::lockOfACrashedRunIsTakenOver_data() {
    QTest::addColumn<QByteArray>("content");
    // A run killed between making the lock file and writing into it leaves it empty.
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\xff\xfe not a lock\n\n\n");
    // A process number that cannot be running.
    QTest::newRow("gone process") << QByteArray("2147483646\nquorvane\n") + QSysInfo::machineHostName().toUtf8() + '\n';
}

void TestSingleInstance::lockOfACrashedRunIsTakenOver() {
    QFETCH(QByteArray, content);
    m_program->writeData(InstanceLock::fileName(), content);
    Startup startup(m_program->services);
    QVERIFY(startup.Main());
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(lockOwner(lockPath()), QCoreApplication::applicationPid());
}

void TestSingleInstance::noCopyTakesTheLocksName() {
    const ProgramFiles files(m_program->folder());
    QVERIFY(Storage::isReservedName(files, QStringLiteral("Quorvane.LOCK")));
    InstanceLock lock(files.DataFolder());
    QCOMPARE(lock.acquire(), InstanceLock::State::Held);
    m_program->writeData(QStringLiteral("db.db"), "Visa|01/02/2027|5.00|A\r\n");
    const Storage::StoredCopy copy = Storage::storeLogCopy(files, InstanceLock::fileName());
    QVERIFY(copy.ok);
    QVERIFY(copy.name != InstanceLock::fileName());
    QCOMPARE(lockOwner(lockPath()), QCoreApplication::applicationPid());
}

void TestSingleInstance::dataFilesAreOwnerOnly_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("payment log") << "db.db";
    QTest::newRow("rewritten payment log") << "db.db rewritten";
    QTest::newRow("creditor list") << "creditors.dat";
    QTest::newRow("storage copy") << "archive.db";
    QTest::newRow("backup copy") << "db.bak";
    QTest::newRow("breach log") << "seqbreach.log";
    QTest::newRow("preferences") << "settings.ini";
}

void TestSingleInstance::dataFilesAreOwnerOnly() {
    QFETCH(QString, file);
    const ProgramFiles files(m_program->folder());
    QVERIFY(EnsurePaymentLog(files));
    QString path = m_program->dataFile(file);
    if (file == u"db.db rewritten") {
        path = files.paymentLog();
        // A log left readable by others (by an older version, or by hand) becomes private at its next rewrite.
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
        PaymentGrid grid;
        grid.setCell(1, 0, QStringLiteral("Visa"));
        QVERIFY(rewriteLog(path, grid));
    } else if (file == u"creditors.dat") {
        QVERIFY(appendCreditorLine(path, QStringLiteral("Visa|jdoe|s3cret|")));
    } else if (file == u"archive.db") {
        QVERIFY(Storage::storeLogCopy(files, file).ok);
    } else if (file == u"db.bak") {
        QVERIFY(Storage::copyWhole(files.paymentLog(), path));
    } else if (file == u"seqbreach.log") {
        QVERIFY(LogSecurityBreach(files, QStringLiteral("guess"), m_program->clock.now()));
    } else if (file == u"settings.ini") {
        path = m_program->dir.filePath(file);
        PreferenceValues values;
        values.password = QStringLiteral("s3cret");
        QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, {}));
    }
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(modeOf(path), mode_t(0600));
}

void TestSingleInstance::processKeepsItsMemoryToItself() {
    QProcess child;
    child.start(QStringLiteral(QUORVANE_WORKER), {QStringLiteral("protect")});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardOutput(), QByteArray("core 0 0\ndumpable 0\n"));
}

void TestSingleInstance::realProgramTakesOverAfterACrash() {
    // The program finds its data folder beside itself: a copy of it gets a folder of its own.
    const QString program = m_program->dir.filePath(QStringLiteral("quorvane"));
    const QByteArray original = QFile::encodeName(QStringLiteral(QUORVANE_PROGRAM));
    if (::link(original.constData(), QFile::encodeName(program).constData()) != 0 &&
        !QFile::copy(QStringLiteral(QUORVANE_PROGRAM), program))
        QSKIP("cannot copy the program");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_program->dir.filePath(QStringLiteral("config")));

    for (int run = 0; run < 2; ++run) {
        QProcess quorvane;
        quorvane.setProcessEnvironment(environment);
        quorvane.start(program, {});
        QVERIFY(quorvane.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(lockPath()), quorvane.processId(), 30000);
        // No core file, whatever the shell's limit.
        QFile limits(QStringLiteral("/proc/%1/limits").arg(quorvane.processId()));
        QVERIFY(limits.open(QIODevice::ReadOnly));
        const QByteArray table = limits.readAll();
        const qsizetype row = table.indexOf("Max core file size");
        QVERIFY(row >= 0);
        QCOMPARE(table.mid(row).split('\n').first().simplified(), QByteArray("Max core file size 0 0 bytes"));
        // A crash: the lock stays behind for the next run to take over.
        quorvane.kill();
        QVERIFY(quorvane.waitForFinished());
        QVERIFY(QFileInfo::exists(lockPath()));
    }
}

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"

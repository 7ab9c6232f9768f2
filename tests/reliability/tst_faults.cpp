#include "app/entry_area.h"
#include "app/main_window.h"
#include "app/storage_commands.h"
#include "faults.h"
#include "prefs/password_lock.h"
#include "prefs/preferences.h"
#include "reports/reports_window.h"
#include "store/creditor_list.h"

#include "scripted.h"

#include <optional>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

// Every command of the main window under a real fault of the disk or the data folder: it reports its own
// message, writes nothing half, loses nothing already written, and the grid shows what the log holds. Once
// the fault is gone the program works on as before.
class TestFaults final : public QObject {
    Q_OBJECT

public:
    enum class Fault { FullDisk, FullDevice, ReadOnlyFolder, MissingFolder, LogIsAFolder };
    Q_ENUM(Fault)
    enum class Command { AddRecord, AddCreditor, Remove, Backup, MonthlyBackup, BreachLog, Preferences, Report };
    Q_ENUM(Command)

private Q_SLOTS:
    void init();
    void cleanup();
    void commandUnderFault_data();
    void commandUnderFault();

private:
    MainWindow& window();
    void applyFault(Fault fault, Command command);
    void liftFault();
    // Runs a command; with failing, the answers its failure asks for are scripted.
    void run(Command command, bool failing = true);
    // The data folder's files by name; the two date records are left out, since a failed monthly backup
    // rewrites one of them on purpose.
    QMap<QString, QByteArray> dataFiles() const;
    QByteArrayList gridRecords() const;

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<MainWindow> m_window;
    std::optional<FileSizeLimit> m_fullDisk;
    std::optional<ReadOnlyFolder> m_readOnly;
    QStringList m_linked; // data files put aside for a link to the full device
    bool m_logIsAFolder = false;
    bool m_breachLogged = false;
    QString m_report;
};

namespace {

const QByteArray Log = "Visa|01/02/2027|5.00|A\r\nBank|01/03/2027|12.00|B\r\nWater|01/04/2027|30.10|C\r\n";
const QString FailedToSave = QStringLiteral("Failed to Save to DataBase");
const QString DiskError02 = QStringLiteral("Disk Access Error 02");

struct Expected {
    QString text;
    QString title;
    Prompt::Icon icon = Prompt::Icon::Critical;
};

Expected expectedFor(TestFaults::Command command) {
    switch (command) {
    case TestFaults::Command::AddRecord:
    case TestFaults::Command::Remove:
        return {FailedToSave, DiskError02};
    case TestFaults::Command::AddCreditor:
        return {FailedToSave, DiskError02, Prompt::Icon::Information};
    case TestFaults::Command::Backup:
        return {QStringLiteral("Error creating File"), QStringLiteral("Disk Access Error 01")};
    case TestFaults::Command::MonthlyBackup:
        return {QStringLiteral("Error creating DataBase Back Up. Check your disk and try again"),
                QStringLiteral("Disk Error 03")};
    case TestFaults::Command::Preferences:
        return {QStringLiteral("Failed to Save Preferences"), QStringLiteral("Settings Access Error")};
    case TestFaults::Command::BreachLog: // writes nothing and says nothing, as the password window wants
    case TestFaults::Command::Report:    // says it in the report window itself
        break;
    }
    return {};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestFaults::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->clock.set(QDateTime(QDate(2027, 1, 5), QTime(9, 30)));
    m_program->writeData(QStringLiteral("db.db"), Log);
    QVERIFY(appendCreditorLine(m_program->dataFile(QStringLiteral("creditors.dat")),
                               QStringLiteral("Visa|jdoe|s3cret|https://visa.example/")));
    // Settings exist, so that a failed save has something to lose.
    PreferenceValues values;
    values.MnBK = 0;
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, {}));
    m_breachLogged = false;
    m_report.clear();
}

void TestFaults::cleanup() {
    liftFault();
    const int pending = m_program->prompter.pending();
    m_window.reset();
    m_program.reset();
    QCOMPARE(pending, 0);
}

MainWindow& TestFaults::window() {
    if (!m_window)
        m_window = openMainWindow(m_program->services);
    return *m_window;
}

void TestFaults::applyFault(Fault fault, Command command) {
    const QString data = m_program->dir.filePath(QStringLiteral("data"));
    switch (fault) {
    case Fault::FullDisk: {
        // No file of this process may grow much now. The disk fills up in the middle of the command's write:
        // a few bytes past the end of the file it appends to, a few bytes into a new file.
        qint64 room = 10;
        if (command == Command::AddRecord)
            room += QFileInfo(m_program->dataFile(QStringLiteral("db.db"))).size();
        if (command == Command::AddCreditor)
            room += QFileInfo(m_program->dataFile(QStringLiteral("creditors.dat"))).size();
        m_fullDisk.emplace(room);
        break;
    }
    case Fault::FullDevice:
        if (!QFileInfo(QStringLiteral("/dev/full")).exists())
            QSKIP("no /dev/full here");
        for (const QString& name :
             {QStringLiteral("db.db"), QStringLiteral("creditors.dat"), QStringLiteral("seqbreach.log")}) {
            const QString path = m_program->dataFile(name);
            if (QFileInfo::exists(path))
                QVERIFY(QFile::rename(path, path + QStringLiteral(".aside")));
            QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
            m_linked.append(name);
        }
        break;
    case Fault::ReadOnlyFolder:
        m_readOnly.emplace(data);
        if (!m_readOnly->active())
            QSKIP("this process can write into read-only folders and cannot give that up");
        break;
    case Fault::MissingFolder:
        QVERIFY(QDir(data).removeRecursively());
        break;
    case Fault::LogIsAFolder:
        QVERIFY(QFile::rename(m_program->dataFile(QStringLiteral("db.db")), data + QStringLiteral(".log-aside")));
        QVERIFY(QDir().mkpath(m_program->dataFile(QStringLiteral("db.db")) + QStringLiteral("/inside")));
        m_logIsAFolder = true;
        break;
    }
}

void TestFaults::liftFault() {
    m_fullDisk.reset();
    m_readOnly.reset();
    for (const QString& name : std::as_const(m_linked)) {
        const QString path = m_program->dataFile(name);
        QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists() && !QFileInfo(QStringLiteral("/dev/full")).isFile());
        QVERIFY(QFile::remove(path));
        if (QFileInfo::exists(path + QStringLiteral(".aside")))
            QVERIFY(QFile::rename(path + QStringLiteral(".aside"), path));
    }
    m_linked.clear();
    if (m_logIsAFolder) {
        const QString data = m_program->dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir(m_program->dataFile(QStringLiteral("db.db"))).removeRecursively());
        QVERIFY(QFile::rename(data + QStringLiteral(".log-aside"), m_program->dataFile(QStringLiteral("db.db"))));
        m_logIsAFolder = false;
    }
}

void TestFaults::run(Command command, bool failing) {
    MainWindow& w = window();
    if (command == Command::Remove)
        m_program->prompter.expect(Prompt::Answer::Yes);
    if (failing && !expectedFor(command).text.isEmpty())
        m_program->prompter.expect(Prompt::Answer::Ok);
    switch (command) {
    case Command::AddRecord:
        w.entry()->Combo1->setEditText(QStringLiteral("Gas"));
        w.entry()->Text1[2]->setText(QStringLiteral("41.00"));
        w.entry()->Text1[3]->setText(QStringLiteral("G-7"));
        w.AddPaymentRecord();
        break;
    case Command::AddCreditor:
        w.entry()->Combo1->setEditText(QStringLiteral("Phone"));
        w.AddCreditor();
        break;
    case Command::Remove: {
        const QRect cell = w.FlexGr->visualRect(w.grid().index(1, 0));
        QTest::mouseClick(w.FlexGr->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(w.FlexGr->hasFocus());
        w.RemovePaymentRecord();
        QCOMPARE(m_program->prompter.messages().first().title, QStringLiteral("Removal Confirmation"));
        break;
    }
    case Command::Backup:
        w.storage()->Savemnu_Click();
        break;
    case Command::MonthlyBackup:
        w.storage()->BackUpLogMonthly();
        break;
    case Command::BreachLog:
        m_breachLogged = LogSecurityBreach(w.files(), QStringLiteral("guess"), m_program->clock.now());
        break;
    case Command::Preferences: {
        PreferenceValues values;
        values.password = QStringLiteral("new password");
        SavePreferences(m_program->settings, m_program->prompter, values, {});
        break;
    }
    case Command::Report: {
        ReportsWindow report;
        ReportRequest request;
        request.logPath = w.files().paymentLog();
        report.refresh(request);
        m_report = report.txtreprt->toPlainText();
        break;
    }
    }
}

QMap<QString, QByteArray> TestFaults::dataFiles() const {
    QMap<QString, QByteArray> files;
    const QDir dir(m_program->dir.filePath(QStringLiteral("data")));
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name != u"MlastSv.dat" && name != u"lastSv.dat")
            files.insert(name, readFile(dir.filePath(name)));
    }
    return files;
}

QByteArrayList TestFaults::gridRecords() const {
    QByteArrayList records;
    for (int row = 1; row < m_window->grid().rows(); ++row) {
        if (m_window->grid().holdsRecord(row))
            records.append(m_window->grid().recordLine(row));
    }
    return records;
}

void TestFaults::commandUnderFault_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Command>("command");
    const auto add = [](Fault fault, Command command) {
        QTest::addRow("%s, %s", QMetaEnum::fromType<Fault>().valueToKey(int(fault)),
                      QMetaEnum::fromType<Command>().valueToKey(int(command)))
            << fault << command;
    };
    const Command everyWrite[] = {Command::AddRecord,     Command::AddCreditor, Command::Remove, Command::Backup,
                                  Command::MonthlyBackup, Command::BreachLog,   Command::Report};
    for (const Fault fault : {Fault::FullDisk, Fault::FullDevice, Fault::ReadOnlyFolder}) {
        for (const Command command : everyWrite)
            add(fault, command);
    }
    add(Fault::FullDisk, Command::Preferences);
    // Without its folder, the breach log makes the folder anew, as it does at the first start: not a fault.
    for (const Command command : everyWrite) {
        if (command != Command::BreachLog)
            add(Fault::MissingFolder, command);
    }
    // A folder in place of the log stops the commands that need the log; the creditor list and the breach
    // log are not in its way.
    for (const Command command :
         {Command::AddRecord, Command::Remove, Command::Backup, Command::MonthlyBackup, Command::Report})
        add(Fault::LogIsAFolder, command);
}

void TestFaults::commandUnderFault() {
    QFETCH(Fault, fault);
    QFETCH(Command, command);
    MainWindow& w = window();
    const QByteArrayList shown = gridRecords();
    QCOMPARE(shown.size(), 3);
    const int creditors = w.entry()->Combo1->count();
    const QMap<QString, QByteArray> before = dataFiles();
    const QByteArray settingsBefore = readFile(m_program->dir.filePath(QStringLiteral("settings.ini")));

    applyFault(fault, command);
    if (QTest::currentTestFailed())
        return;
    const Expected expected = expectedFor(command);
    run(command);
    if (QTest::currentTestFailed())
        return;

    // Its own message, once (after the removal's question).
    QList<Prompt::Message> answers = m_program->prompter.messages();
    if (command == Command::Remove)
        answers.removeFirst();
    if (expected.text.isEmpty()) {
        QCOMPARE(answers.size(), 0);
    } else {
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().text, expected.text);
        QCOMPARE(answers.first().title, expected.title);
        QCOMPARE(answers.first().icon, expected.icon);
    }
    if (command == Command::BreachLog)
        QVERIFY(!m_breachLogged);
    const bool logReadable = fault == Fault::FullDisk || fault == Fault::ReadOnlyFolder;
    if (command == Command::Report) {
        QCOMPARE(m_report.startsWith(QStringLiteral("DataBase contains 3 entries")), logReadable);
        if (!logReadable) // the text box keeps its lines with LF alone
            QCOMPARE(m_report, ReportsWindow::unreadableLogText(w.files().paymentLog())
                                   .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    // The grid still shows what the log holds, and the creditor box what the list holds.
    QCOMPARE(gridRecords(), shown);
    QCOMPARE(w.entry()->Combo1->count(), creditors);

    liftFault();
    if (fault == Fault::MissingFolder) {
        QVERIFY(!QFileInfo::exists(m_program->dir.filePath(QStringLiteral("data"))));
        return;
    }
    // Nothing written half, nothing lost, nothing left behind.
    QCOMPARE(dataFiles(), before);
    QCOMPARE(readFile(m_program->dir.filePath(QStringLiteral("settings.ini"))), settingsBefore);

    // With the fault gone, the program goes on: a new record reaches the log and the grid.
    m_program->prompter.clear();
    run(Command::AddRecord, false);
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(m_program->readData(QStringLiteral("db.db")),
             Log + "Gas|" + w.grid().cell(4, 1).toLatin1() + "|41.00|G-7\r\n");
    QCOMPARE(gridRecords().size(), 4);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"

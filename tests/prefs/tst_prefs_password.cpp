#include "app/startup.h"
#include "prefs/pass_req.h"
#include "prefs/password_lock.h"
#include "prefs/password_request.h"
#include "prefs/preferences.h"
#include "store/data_folder.h"

#include "scripted.h"

#include <functional>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString Stored = QStringLiteral("Secret");

PassReq* openDialog() {
    PassReq* found = nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == u"PassReq" && window->isVisible()) {
            if (found)
                return nullptr; // two at once: never right
            found = qobject_cast<PassReq*>(window);
        }
    }
    return found;
}

int passReqCount() {
    int count = 0;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        count += window->objectName() == u"PassReq" ? 1 : 0;
    return count;
}

// Acts on the password dialog once the waiting caller has shown it. A dialog left without an answer is closed,
// so that a failing test ends instead of waiting.
void whenShown(std::function<void(PassReq*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        // The action may delete the dialog.
        const QPointer<PassReq> dialog = openDialog();
        if (!dialog) {
            QTest::qFail("no password dialog to answer", __FILE__, __LINE__);
            return;
        }
        act(dialog);
        if (dialog && dialog->isVisible() && !dialog->Auth()) {
            QTest::qFail("the password dialog was left waiting", __FILE__, __LINE__);
            dialog->close();
        }
    });
}

void typeAndPressEnter(PassReq* dialog, const QString& typed) {
    QTest::keyClicks(dialog->Text1, typed);
    QTest::keyClick(dialog->Text1, Qt::Key_Return);
}

// Readable and writable by its owner, by nobody else.
bool ownerOnly(const QString& path) {
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    return !(permissions & others) && permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QByteArray entry(const QByteArray& typed) {
    return "[ 01-02-2026 ]   [ 10:55:00 ]     > " + typed + " < \r\n\r\n";
}

} // namespace

class TestPrefsPassword final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void breachEntryLayout_data();
    void breachEntryLayout();
    void breachLogAppendsAndHides();
    void breachLogThatCannotBeWritten();

    void dialogAsShown();
    void rightPasswordAnswersOk_data();
    void rightPasswordAnswersOk();
    void wrongPasswordsAreLoggedAndTheThirdRefuses();
    void givingUpAnswersCancel_data();
    void givingUpAnswersCancel();
    void oneRequestAtATime();

    void startWithoutStoredPassword_data();
    void startWithoutStoredPassword();
    void startPassword_data();
    void startPassword();

private:
    void storePreferences(const QString& password, int passwordAtStart);

    std::unique_ptr<TestProgram> m_program;
};

void TestPrefsPassword::init() {
    m_program = std::make_unique<TestProgram>();
}

void TestPrefsPassword::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    QVERIFY(!passwordRequestWaiting());
    m_program.reset();
}

void TestPrefsPassword::storePreferences(const QString& password, int passwordAtStart) {
    PreferenceValues values;
    values.password = password;
    values.PssL = passwordAtStart;
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, {}));
}

void TestPrefsPassword::breachEntryLayout_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");

    const QDateTime morning(QDate(2026, 1, 2), QTime(10, 55));
    QTest::newRow("typed text") << morning << QStringLiteral("secret") << entry("secret");
    QTest::newRow("empty") << morning << QString() << entry("");
    QTest::newRow("spaces kept") << morning << QStringLiteral(" a b ") << entry(" a b ");
    QTest::newRow("code page") << morning << QStringLiteral("€ü") << entry("\x80\xFC");
    QTest::newRow("outside the code page") << morning << QStringLiteral("pΩ") << entry("p?");
    QTest::newRow("late, two digits each") << QDateTime(QDate(2025, 12, 31), QTime(23, 5, 9)) << QStringLiteral("x")
                                           << QByteArray("[ 12-31-2025 ]   [ 23:05:09 ]     > x < \r\n\r\n");
}

void TestPrefsPassword::breachEntryLayout() {
    QFETCH(QDateTime, when);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    // The regional settings must not show through.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const QByteArray made = securityBreachEntry(typed, when);
    QLocale::setDefault(before);
    QCOMPARE(made, bytes);
}

void TestPrefsPassword::breachLogAppendsAndHides() {
    // No data folder yet, as at a start-up before the folder is made sure of.
    const ProgramFiles files(m_program->folder());
    QVERIFY(LogSecurityBreach(files, QStringLiteral("one"), m_program->clock.now()));
    m_program->clock.set(QDateTime(QDate(2026, 2, 3), QTime(7, 8, 9)));
    QVERIFY(LogSecurityBreach(files, QString(), m_program->clock.now()));

    QCOMPARE(m_program->readData(QStringLiteral("seqbreach.log")),
             entry("one") + "[ 02-03-2026 ]   [ 07:08:09 ]     >  < \r\n\r\n");
#ifdef Q_OS_WIN
    QVERIFY(QFileInfo(files.breachLog()).isHidden());
#else
    QVERIFY(ownerOnly(files.breachLog()));
    // Even a log that someone opened up is closed again by the next entry.
    QFile::setPermissions(files.breachLog(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                                                 QFileDevice::ReadGroup);
    QVERIFY(LogSecurityBreach(files, QStringLiteral("three"), m_program->clock.now()));
    QVERIFY(ownerOnly(files.breachLog()));
#endif
}

void TestPrefsPassword::breachLogThatCannotBeWritten() {
    const ProgramFiles files(m_program->folder());
    QVERIFY(QDir().mkpath(files.breachLog())); // a folder where the log should be
    QVERIFY(!LogSecurityBreach(files, QStringLiteral("x"), m_program->clock.now()));

    // The attempt still counts, and nothing is shown.
    PassReq dialog(m_program->services, Stored);
    dialog.show();
    typeAndPressEnter(&dialog, QStringLiteral("x"));
    QCOMPARE(dialog.FailedAttempts(), 2);
    QVERIFY(m_program->prompter.messages().isEmpty());
    QVERIFY(QFileInfo(files.breachLog()).isDir());
}

void TestPrefsPassword::dialogAsShown() {
    whenShown([](PassReq* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Password Required"));
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Password"));
        QCOMPARE(dialog->Text1->accessibleName(), QStringLiteral("Password"));
        QCOMPARE(dialog->Command2->text(), QStringLiteral("Ok"));
        QCOMPARE(dialog->Command1->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("Text1")), dialog->Text1);
        QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("Command2")), dialog->Command2);
        QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("Command1")), dialog->Command1);
        QCOMPARE(dialog->focusWidget(), dialog->Text1);
        QCOMPARE(dialog->FailedAttempts(), 1);
        QTest::keyClicks(dialog->Text1, QStringLiteral("abc"));
        QCOMPARE(dialog->Text1->displayText(), QStringLiteral("***"));
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    });
    QCOMPARE(RequestPassword(m_program->services, Stored), std::optional(PasswordResult::cancel));
    QCOMPARE(passReqCount(), 0);
}

void TestPrefsPassword::rightPasswordAnswersOk_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("click Ok") << 0;
    QTest::newRow("Return") << 1;
    QTest::newRow("keypad Enter") << 2;
}

void TestPrefsPassword::rightPasswordAnswersOk() {
    QFETCH(int, how);
    whenShown([how](PassReq* dialog) {
        QTest::keyClicks(dialog->Text1, Stored);
        if (how == 0)
            QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        else
            QTest::keyClick(dialog->Text1, how == 1 ? Qt::Key_Return : Qt::Key_Enter,
                            how == 1 ? Qt::NoModifier : Qt::KeypadModifier);
    });
    QCOMPARE(RequestPassword(m_program->services, Stored), std::optional(PasswordResult::Ok));
    QVERIFY(!QFileInfo::exists(m_program->dataFile(QStringLiteral("seqbreach.log"))));
    QVERIFY(m_program->prompter.messages().isEmpty());
}

void TestPrefsPassword::wrongPasswordsAreLoggedAndTheThirdRefuses() {
    m_program->prompter.expect(Prompt::Answer::Ok);
    whenShown([this](PassReq* dialog) {
        typeAndPressEnter(dialog, QStringLiteral("secret")); // case differs: wrong
        QCOMPARE(dialog->Text1->text(), QString());
        QCOMPARE(dialog->FailedAttempts(), 2);
        QVERIFY(!dialog->Auth());
        QCOMPARE(m_program->readData(QStringLiteral("seqbreach.log")), entry("secret"));
        // Enter held down repeats its key: the repeats try nothing.
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(dialog->Text1, &repeat);
        }
        QCOMPARE(dialog->FailedAttempts(), 2);
        QTest::mouseClick(dialog->Command2, Qt::LeftButton); // empty: wrong as well
        QCOMPARE(dialog->FailedAttempts(), 3);
        QVERIFY(m_program->prompter.messages().isEmpty());
        typeAndPressEnter(dialog, QStringLiteral("Secret "));
    });
    QCOMPARE(RequestPassword(m_program->services, Stored), std::optional(PasswordResult::WRNG));
    QCOMPARE(m_program->readData(QStringLiteral("seqbreach.log")), entry("secret") + entry("") + entry("Secret "));
    QCOMPARE(m_program->prompter.messages().size(), 1);
    const Prompt::Message& message = m_program->prompter.messages().constFirst();
    QCOMPARE(message.text, QStringLiteral("Access Forbiden"));
    QCOMPARE(message.title, QStringLiteral("Access Error"));
    QCOMPARE(message.icon, Prompt::Icon::Critical);
    QCOMPARE(message.buttons, Prompt::Buttons::Ok);
}

void TestPrefsPassword::givingUpAnswersCancel_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("window closed") << 2;
    QTest::newRow("hidden from outside") << 3;
    QTest::newRow("destroyed") << 4;
}

void TestPrefsPassword::givingUpAnswersCancel() {
    QFETCH(int, how);
    whenShown([how](PassReq* dialog) {
        QTest::keyClicks(dialog->Text1, QStringLiteral("wrong"));
        switch (how) {
        case 0:
            QTest::mouseClick(dialog->Command1, Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(dialog->Text1, Qt::Key_Escape);
            break;
        case 2:
            dialog->close();
            break;
        case 3:
            dialog->hide();
            break;
        default:
            delete dialog;
            return;
        }
        QCOMPARE(dialog->Auth(), std::optional(PasswordResult::cancel));
    });
    QCOMPARE(RequestPassword(m_program->services, Stored), std::optional(PasswordResult::cancel));
    QVERIFY(!QFileInfo::exists(m_program->dataFile(QStringLiteral("seqbreach.log"))));
    QCOMPARE(passReqCount(), 0);
}

void TestPrefsPassword::oneRequestAtATime() {
    std::optional<PasswordResult> second = PasswordResult::Ok;
    whenShown([this, &second](PassReq* dialog) {
        QVERIFY(passwordRequestWaiting());
        second = RequestPassword(m_program->services, Stored);
        QCOMPARE(passReqCount(), 1);
        typeAndPressEnter(dialog, Stored);
    });
    QCOMPARE(RequestPassword(m_program->services, Stored), std::optional(PasswordResult::Ok));
    QCOMPARE(second, std::nullopt);
    // Once answered, the next request is shown again.
    whenShown([](PassReq* dialog) { QTest::mouseClick(dialog->Command1, Qt::LeftButton); });
    QCOMPARE(RequestPassword(m_program->services, Stored), std::optional(PasswordResult::cancel));
}

void TestPrefsPassword::startWithoutStoredPassword_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("passwordAtStart");
    QTest::newRow("asked at start, none stored") << QString() << 1;
    QTest::newRow("stored, not asked at start") << Stored << 0;
}

void TestPrefsPassword::startWithoutStoredPassword() {
    QFETCH(QString, password);
    QFETCH(int, passwordAtStart);
    storePreferences(password, passwordAtStart);
    Startup startup(m_program->services);
    QVERIFY(startup.Main());
    QCOMPARE(passReqCount(), 0);
    QVERIFY(startup.splash() && startup.splash()->isVisible());
    QVERIFY(!m_program->exit.requested());
    QVERIFY(m_program->prompter.messages().isEmpty());
}

void TestPrefsPassword::startPassword_data() {
    QTest::addColumn<QStringList>("typed"); // "<cancel>" clicks Cancel
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("log");

    QTest::newRow("right at the first try") << QStringList{Stored} << true << QStringList() << QByteArray();
    QTest::newRow("wrong, wrong, right") << QStringList{QStringLiteral("guess"), QStringLiteral("SECRET"), Stored}
                                         << true << QStringList() << entry("guess") + entry("SECRET");
    QTest::newRow("three wrong") << QStringList{QStringLiteral("a"), QStringLiteral("secret"), QStringLiteral("c")}
                                 << false
                                 << QStringList{QStringLiteral("Access Forbiden"),
                                                QStringLiteral("Access Forbiden - Quitting")}
                                 << entry("a") + entry("secret") + entry("c");
    QTest::newRow("wrong, then cancel") << QStringList{QStringLiteral("a"), QStringLiteral("<cancel>")} << false
                                        << QStringList() << entry("a");
}

void TestPrefsPassword::startPassword() {
    QFETCH(QStringList, typed);
    QFETCH(bool, starts);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, log);

    storePreferences(Stored, 1);
    for (int i = 0; i < messages.size(); ++i)
        m_program->prompter.expect(Prompt::Answer::Ok);
    whenShown([typed](PassReq* dialog) {
        for (const QString& text : typed) {
            QVERIFY(!dialog->Auth());
            if (text == u"<cancel>")
                QTest::mouseClick(dialog->Command1, Qt::LeftButton);
            else
                typeAndPressEnter(dialog, text);
        }
    });

    Startup startup(m_program->services);
    QCOMPARE(startup.Main(), starts);
    QCOMPARE(m_program->exit.requested(), !starts);
    QCOMPARE(m_program->prompter.texts(), messages);
    for (const Prompt::Message& message : m_program->prompter.messages()) {
        QCOMPARE(message.icon, Prompt::Icon::Critical);
        QCOMPARE(message.title, message.text.endsWith(u"Quitting") ? QStringLiteral("Unauthorized Access")
                                                                   : QStringLiteral("Access Error"));
    }
    QCOMPARE(m_program->readData(QStringLiteral("seqbreach.log")), log);
    QCOMPARE(passReqCount(), 0);
    // Refused: the program ends before the splash, with no file changed but the breach log.
    QCOMPARE(startup.splash() != nullptr, starts);
    QCOMPARE(QFileInfo::exists(m_program->dataFile(QStringLiteral("db.db"))), starts);
}

QTEST_MAIN(TestPrefsPassword)
#include "tst_prefs_password.moc"

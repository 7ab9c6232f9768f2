#include "app/entry_area.h"
#include "app/main_window.h"
#include "prefs/pass_req.h"
#include "prefs/password_request.h"
#include "prefs/preferences.h"
#include "prefs/prefs_dialog.h"
#include "prefs/settings_command.h"

#include "scripted.h"

#include <functional>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString Stored = QStringLiteral("Secret");

template <typename Window> QList<Window*> shown(const QString& name) {
    QList<Window*> found;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == name && window->isVisible())
            found.append(qobject_cast<Window*>(window));
    }
    return found;
}

// Answers the password prompt once the waiting command has shown it; a prompt left without an answer is
// closed, so that a failing test ends instead of waiting.
void whenAsked(const QStringList& typed) {
    QTimer::singleShot(0, [typed] {
        const QList<PassReq*> prompts = shown<PassReq>(QStringLiteral("PassReq"));
        if (prompts.size() != 1) {
            QTest::qFail("no password prompt to answer", __FILE__, __LINE__);
            return;
        }
        PassReq* prompt = prompts.constFirst();
        for (const QString& text : typed) {
            if (text == u"<cancel>") {
                QTest::mouseClick(prompt->Command1, Qt::LeftButton);
                continue;
            }
            QTest::keyClicks(prompt->Text1, text);
            QTest::keyClick(prompt->Text1, Qt::Key_Return);
        }
        if (prompt->isVisible() && !prompt->Auth()) {
            QTest::qFail("the password prompt was left waiting", __FILE__, __LINE__);
            prompt->close();
        }
    });
}

QByteArray entry(const QByteArray& typed) {
    return "[ 01-02-2026 ]   [ 10:55:00 ]     > " + typed + " < \r\n\r\n";
}

// Clicks a check box where the user does: on its box, not on the empty space its row may stretch to.
void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

} // namespace

// The Settings command from the main window's side: the password, the window hidden and shown again, and
// what a saved record changes there.
class TestPrefsDialogCommand final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void passwordBeforeTheDialog_data();
    void passwordBeforeTheDialog();
    void closedForGood();
    void oneDialogAtATime();
    void savedRecordTakesEffectInTheMainWindow();

private:
    MainWindow& window();
    Prefs* runCommand();
    void storePreferences(const PreferenceValues& values);

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<MainWindow> m_window;
    int m_refreshes = 0;
    int m_dropsOnTop = 0;
};

void TestPrefsDialogCommand::init() {
    m_program = std::make_unique<TestProgram>();
    m_refreshes = 0;
    m_dropsOnTop = 0;
}

void TestPrefsDialogCommand::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    QVERIFY(!passwordRequestWaiting());
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown<Prefs>(QStringLiteral("Prefs")).isEmpty());
    m_program.reset();
}

MainWindow& TestPrefsDialogCommand::window() {
    if (!m_window)
        m_window = openMainWindow(m_program->services);
    return *m_window;
}

Prefs* TestPrefsDialogCommand::runCommand() {
    MainWindow& w = window();
    return mnuprefs_Click(
        m_program->services, w.prefItems(), &w,
        [this] {
            ++m_refreshes;
            m_window->ApplyWindowPreferences();
        },
        [] { return true; }, [this] { ++m_dropsOnTop; });
}

void TestPrefsDialogCommand::storePreferences(const PreferenceValues& values) {
    PreferenceValues stored = values;
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, stored, {}));
}

void TestPrefsDialogCommand::passwordBeforeTheDialog_data() {
    QTest::addColumn<int>("pass");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("typed"); // empty: no prompt expected
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("log");

    QTest::newRow("not required") << 0 << Stored << QStringList() << true << QStringList() << QByteArray();
    QTest::newRow("required, none stored") << 1 << QString() << QStringList() << true << QStringList() << QByteArray();
    QTest::newRow("right password") << 1 << Stored << QStringList{Stored} << true << QStringList() << QByteArray();
    QTest::newRow("wrong, then right") << 1 << Stored << QStringList{"secret", Stored} << true << QStringList()
                                       << entry("secret");
    QTest::newRow("three wrong") << 1 << Stored << QStringList{"a", "b", "c"} << false << QStringList{"Access Forbiden"}
                                 << entry("a") + entry("b") + entry("c");
    QTest::newRow("wrong, then cancelled")
        << 1 << Stored << QStringList{"a", "<cancel>"} << false << QStringList() << entry("a");
}

void TestPrefsDialogCommand::passwordBeforeTheDialog() {
    QFETCH(int, pass);
    QFETCH(QString, password);
    QFETCH(QStringList, typed);
    QFETCH(bool, opens);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, log);

    PreferenceValues values;
    values.Pass = pass;
    values.password = password;
    storePreferences(values);
    for (qsizetype i = 0; i < messages.size(); ++i)
        m_program->prompter.expect(Prompt::Answer::Ok);
    MainWindow& w = window();
    if (!typed.isEmpty())
        whenAsked(typed);

    const QPointer<Prefs> dialog = runCommand();
    QCOMPARE(m_dropsOnTop, 1);
    QCOMPARE(dialog != nullptr, opens);
    QCOMPARE(shown<Prefs>(QStringLiteral("Prefs")).size(), opens ? 1 : 0);
    QVERIFY(shown<PassReq>(QStringLiteral("PassReq")).isEmpty());
    QCOMPARE(w.isVisible(), !opens);
    QCOMPARE(m_program->prompter.texts(), messages);
    QCOMPARE(m_program->readData(QStringLiteral("seqbreach.log")), log);

    if (dialog) {
        QTest::mouseClick(dialog->Command4, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QTRY_VERIFY(!dialog);
        QCOMPARE(m_refreshes, 0);
    }
}

void TestPrefsDialogCommand::closedForGood() {
    PreferenceValues values;
    values.Nprf = 1;
    storePreferences(values);
    QCOMPARE(runCommand(), nullptr);
    QVERIFY(window().isVisible());
    QCOMPARE(m_dropsOnTop, 0);
}

void TestPrefsDialogCommand::oneDialogAtATime() {
    Prefs* first = runCommand();
    QVERIFY(first);
    QCOMPARE(runCommand(), first);
    QCOMPARE(shown<Prefs>(QStringLiteral("Prefs")).size(), 1);
    first->close();
}

void TestPrefsDialogCommand::savedRecordTakesEffectInTheMainWindow() {
    MainWindow& w = window();
    QCOMPARE(w.focusColor(), 65280);
    QCOMPARE(w.noFocusColor(), 255);
    QVERIFY(!w.prefItems().isOn(PrefItems::Nprf));

    const QPointer<Prefs> dialog = runCommand();
    QVERIFY(dialog);
    QVERIFY(!w.isVisible());
    m_program->prompter.expectColor(0x00FFFF);
    QTest::mouseClick(dialog->Command5[0], Qt::LeftButton);
    m_program->prompter.expectColor(0xFF0000);
    QTest::mouseClick(dialog->Command5[1], Qt::LeftButton);
    clickBox(dialog->Check8);
    m_program->prompter.expect(Prompt::Answer::Ok); // the warning
    clickBox(dialog->Check9);
    QTest::mouseClick(dialog->Command3, Qt::LeftButton);

    QVERIFY(w.isVisible());
    QCOMPARE(m_refreshes, 1);
    QCOMPARE(w.noFocusColor(), 0x00FFFF);
    QCOMPARE(w.focusColor(), 0xFF0000);
    QVERIFY(w.prefItems().isOn(PrefItems::NPas));
    QVERIFY(!w.details()->Text2[2]->isVisible());
    QVERIFY(w.details()->Text3->isVisible());
    QVERIFY(w.prefItems().isOn(PrefItems::Nprf));
    const QAction* settings = w.findChild<QAction*>(QStringLiteral("mnuprefs"));
    QVERIFY(settings);
    QVERIFY(!settings->isEnabled());
    QTRY_VERIFY(!dialog);

    // Never again.
    QCOMPARE(runCommand(), nullptr);
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TestPrefsDialogCommand)
#include "tst_prefs_dialog_command.moc"

#include "platform/windows_rgb.h"
#include "prefs/password_lock.h"
#include "prefs/preferences.h"
#include "prefs/prefs_dialog.h"
#include "prefs/prefs_rules.h"
#include "store/data_folder.h"

#include "scripted.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A record with every value away from its design default.
PreferenceValues unusualValues() {
    PreferenceValues values;
    values.Jan1 = 2; // grey: never made by the dialog, kept when the record holds it
    values.UsYr = 0;
    values.JanN = QStringLiteral("archive");
    values.MnBK = 0;
    values.MBKF = QStringLiteral("/mnt/safe/log.bak");
    values.DBdl = 1;
    values.Shut = 1;
    values.ShTm = QStringLiteral("45");
    values.Dupl = 0;
    values.NPas = 1;
    values.ontp = 0;
    values.Nprf = 1;
    values.Pass = 1;
    values.Aids = 0;
    values.NoFo = 16711680;
    values.SiFo = 65535;
    values.PssL = 1;
    values.password = QStringLiteral("pa ss€");
    return values;
}

QStringList recordOf(const PreferenceValues& values) {
    QStringList items;
    const QStringList all = values.values();
    for (qsizetype i = 0; i < all.size(); ++i)
        items.append(Preferences::keys().at(i) + all.at(i));
    return items;
}

// The colour a button shows, away from its caption.
QColor shownColor(QPushButton* button) {
    return button->grab().toImage().pixelColor(6, 6);
}

// Types any text, characters beyond Latin-1 included, one key event per character.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void replaceText(QLineEdit* box, const QString& typed) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, typed);
}

// Clicks a check box where the user does: on its box, not on the empty space its row may stretch to.
void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

} // namespace

class TestPrefsDialog final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void designDefaultsWithNoRecord();
    void keyboardOrder();
    void storedRecordComesBackUnchanged();
    void fillGoesByKeyInRecordOrder_data();
    void fillGoesByKeyInRecordOrder();
    void defaultBackupPath_data();
    void defaultBackupPath();

    void okWithoutStorageName_data();
    void okWithoutStorageName();
    void endingTheDialog_data();
    void endingTheDialog();
    void recordThatCannotBeStoredKeepsTheDialog();

    void minutesBoxOnLeaving_data();
    void minutesBoxOnLeaving();
    void passwordBoxesFollowTheirChecks();
    void passwordBoxKeepsOutSeparators_data();
    void passwordBoxKeepsOutSeparators();
    void neverShowAgainWarnsOnEveryClick();
    void colourButtons_data();
    void colourButtons();
    void browseButtons_data();
    void browseButtons();

    void deleteBreachLog_data();
    void deleteBreachLog();
    void showBreachLog_data();
    void showBreachLog();

private:
    Prefs& dialog(QWidget* mainWindow = nullptr);
    QStringList stored() const { return Preferences::readItems(m_program->settings); }
    void store(const QStringList& items);

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QWidget> m_mainWindow; // outlives the dialog it parents
    std::unique_ptr<Prefs> m_dialog;
    int m_refreshes = 0;
};

void TestPrefsDialog::init() {
    m_program = std::make_unique<TestProgram>();
    m_refreshes = 0;
}

void TestPrefsDialog::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_dialog.reset();
    m_mainWindow.reset();
    m_program.reset();
}

Prefs& TestPrefsDialog::dialog(QWidget* mainWindow) {
    if (!m_dialog) {
        m_dialog = std::make_unique<Prefs>(
            m_program->services, [this] { ++m_refreshes; }, mainWindow);
        m_dialog->show();
        m_dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(m_dialog.get()))
            qWarning("the preferences dialog did not become active");
    }
    return *m_dialog;
}

void TestPrefsDialog::store(const QStringList& items) {
    QVERIFY(Preferences::storeRecord(m_program->settings, items.join(u'|')));
}

void TestPrefsDialog::designDefaultsWithNoRecord() {
    Prefs& d = dialog();
    QCOMPARE(d.windowTitle(), QStringLiteral("Preferences - Quorvane"));
    QVERIFY(!d.isModal());

    const QList<std::tuple<QCheckBox*, const char*, Qt::CheckState>> checks = {
        {d.Check1, "Automatically Store Data Base on Jan 1st", Qt::Checked},
        {d.Check2, "Use Year as Filename for DB Storage", Qt::Checked},
        {d.Check3, "Back Up Data Base monthly", Qt::Checked},
        {d.Check4, "Auto Shut Down", Qt::Unchecked},
        {d.Check5, "Disable Delete", Qt::Unchecked},
        {d.Check6, "Always On Top At Launch", Qt::Checked},
        {d.Check7, "Allow Duplicated Confirmation Numbers", Qt::Checked},
        {d.Check8, "Never Show Passwords", Qt::Unchecked},
        {d.Check9, "Never Show This Screen Again", Qt::Unchecked},
        {d.Check10, "Preferences Requires Password", Qt::Unchecked},
        {d.Check11, "mask", Qt::Checked},
        {d.Check12, "Use focus aids", Qt::Checked},
        {d.Check13, "Password Required to Start Quorvane", Qt::Unchecked},
    };
    for (const auto& [box, text, state] : checks) {
        QCOMPARE(box->text(), QString::fromUtf8(text));
        QCOMPARE(box->checkState(), state);
    }
    QCOMPARE(d.Text1->text(), QStringLiteral("10"));
    QCOMPARE(d.Label2->text(), QStringLiteral("min"));
    QCOMPARE(d.Label4->text(), QStringLiteral("Security breach log"));
    QCOMPARE(d.Label1->text(), GetSpecialFolderPath(SpecialFolder::Documents) + u'/');
    QCOMPARE(d.Text2->text(), QString());
    QCOMPARE(d.Text3->text(), QString());

    // Dependent controls agree with their boxes.
    QVERIFY(!d.Text2->isEnabled());
    QVERIFY(!d.Command2->isEnabled());
    QVERIFY(!d.Text3->isEnabled());
    QVERIFY(!d.Check11->isEnabled());
    QCOMPARE(d.Text3->echoMode(), QLineEdit::Password);
    QVERIFY(d.Text1->isEnabled());
    QVERIFY(d.Command5[0]->isEnabled() && d.Command5[1]->isEnabled());
    QCOMPARE(d.BackColor(0), 255);
    QCOMPARE(d.BackColor(1), 49152);
    QCOMPARE(shownColor(d.Command5[0]), fromWindowsRgb(255));
    QCOMPARE(shownColor(d.Command5[1]), fromWindowsRgb(49152));

    // Every control answers to its design name; every box to its caption.
    for (const char* name : {"Check1",   "Check2",   "Check3",      "Check4",      "Check5",   "Check6",   "Check7",
                             "Check8",   "Check9",   "Check10",     "Check11",     "Check12",  "Check13",  "Text1",
                             "Text2",    "Text3",    "Label1",      "Label2",      "Label4",   "Command1", "Command2",
                             "Command3", "Command4", "Command5(0)", "Command5(1)", "Command6", "Command7"})
        QVERIFY2(d.findChild<QWidget*>(QString::fromLatin1(name)), name);
    QCOMPARE(d.Text1->accessibleName(), QStringLiteral("Auto Shut Down minutes"));
    QCOMPARE(d.Text2->accessibleName(), QStringLiteral("File name"));
    QCOMPARE(d.Text3->accessibleName(), QStringLiteral("Password"));
    QVERIFY(d.Command3->isDefault());
    QCOMPARE(d.Command3->text(), QStringLiteral("&Ok"));
    QCOMPARE(d.Command4->text(), QStringLiteral("&Cancel"));

    // OK at once stores the design defaults.
    QTest::mouseClick(d.Command3, Qt::LeftButton);
    PreferenceValues defaults;
    defaults.MBKF = d.Label1->text();
    QCOMPARE(stored(), recordOf(defaults));
    QCOMPARE(m_refreshes, 1);
    QVERIFY(!d.isVisible());
}

void TestPrefsDialog::keyboardOrder() {
    Prefs& d = dialog();
    d.Check2->setChecked(false);
    d.Check10->setChecked(true);
    const QList<QWidget*> expected = {d.Check1,  d.Check2,      d.Text2,       d.Command2, d.Check3,   d.Command1,
                                      d.Check5,  d.Check7,      d.Check8,      d.Check6,   d.Check4,   d.Text1,
                                      d.Check13, d.Check10,     d.Text3,       d.Check11,  d.Command6, d.Command7,
                                      d.Check12, d.Command5[0], d.Command5[1], d.Check9,   d.Command3, d.Command4};
    d.Check1->setFocus();
    QList<QWidget*> visited = {QApplication::focusWidget()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    QCOMPARE(visited, expected);
}

void TestPrefsDialog::storedRecordComesBackUnchanged() {
    PreferenceValues values = unusualValues();
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, {}));
    const QStringList before = stored();

    Prefs& d = dialog();
    QCOMPARE(d.values().values(), unusualValues().values());
    QVERIFY(d.Text2->isEnabled());
    QCOMPARE(d.Text2->text(), QStringLiteral("archive"));
    QVERIFY(d.Text3->isEnabled());
    QCOMPARE(d.Text3->echoMode(), QLineEdit::Password);
    QVERIFY(!d.Command5[0]->isEnabled());
    QCOMPARE(shownColor(d.Command5[0]), fromWindowsRgb(16711680));
    // Shown from the record, the "never again" box warns of nothing.
    QVERIFY(m_program->prompter.messages().isEmpty());

    QTest::mouseClick(d.Command3, Qt::LeftButton);
    QCOMPARE(stored(), before);
    QCOMPARE(m_refreshes, 1);
}

void TestPrefsDialog::fillGoesByKeyInRecordOrder_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("storageName");
    QTest::addColumn<bool>("storageNameEnabled");
    QTest::addColumn<bool>("shutDown");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("passwordEnabled");
    QTest::addColumn<bool>("colourButtonsEnabled");

    QTest::newRow("name after the dated check")
        << QStringList{"UsYr=1", "JanN=archive"} << "archive" << false << false << "" << false << true;
    // Setting a box to the state it already has runs no rule: the name stays, in a disabled box.
    QTest::newRow("name before the dated check, already checked")
        << QStringList{"JanN=archive", "UsYr=1"} << "archive" << false << false << "" << false << true;
    QTest::newRow("name before the dated check")
        << QStringList{"UsYr=0", "JanN=archive", "UsYr=1"} << "" << false << false << "" << false << true;
    QTest::newRow("undated name") << QStringList{"UsYr=0", "JanN=archive"} << "archive" << true << false << "" << false
                                  << true;
    QTest::newRow("stops at a check that is no number")
        << QStringList{"Shut=1", "UsYr=yes", "UsYr=0", "JanN=archive"} << "" << false << true << "" << false << true;
    QTest::newRow("unknown and differently cased keys left out")
        << QStringList{"shut=1", "ABCD=1", "UsYr=0"} << "" << true << false << "" << false << true;
    QTest::newRow("password with neither check")
        << QStringList{"1asdrtyuh=pw"} << "" << false << false << "pw" << false << true;
    QTest::newRow("password check cleared after the password")
        << QStringList{"Pass=1", "1asdrtyuh=pw", "Pass=0"} << "" << false << false << "" << false << true;
    QTest::newRow("start password keeps the box")
        << QStringList{"PssL=1", "1asdrtyuh=pw", "Pass=0"} << "" << false << false << "pw" << true << true;
    QTest::newRow("focus aids off") << QStringList{"Aids=0"} << "" << false << false << "" << false << false;
    QTest::newRow("focus aids back on") << QStringList{"Aids=0", "Aids=1"} << "" << false << false << "" << false
                                        << true;
}

void TestPrefsDialog::fillGoesByKeyInRecordOrder() {
    QFETCH(QStringList, items);
    QFETCH(QString, storageName);
    QFETCH(bool, storageNameEnabled);
    QFETCH(bool, shutDown);
    QFETCH(QString, password);
    QFETCH(bool, passwordEnabled);
    QFETCH(bool, colourButtonsEnabled);

    store(items);
    Prefs& d = dialog();
    QCOMPARE(d.Text2->text(), storageName);
    QCOMPARE(d.Text2->isEnabled(), storageNameEnabled);
    QCOMPARE(d.Command2->isEnabled(), storageNameEnabled);
    QCOMPARE(d.Check4->isChecked(), shutDown);
    QCOMPARE(d.Text3->text(), password);
    QCOMPARE(d.Text3->isEnabled(), passwordEnabled);
    QCOMPARE(d.Command5[0]->isEnabled(), colourButtonsEnabled);
    QCOMPARE(d.Command5[1]->isEnabled(), colourButtonsEnabled);
    if (!password.isEmpty())
        QVERIFY(d.Check11->isChecked());
}

void TestPrefsDialog::defaultBackupPath_data() {
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("path");
    QTest::newRow("documents folder") << "/home/ann/Documents"
                                      << "/home/ann/Documents/";
    QTest::newRow("already ends with a separator") << "/home/ann/Documents/"
                                                   << "/home/ann/Documents/";
    QTest::newRow("no documents folder") << "" << QDir::homePath() + u'/';
    QTest::newRow("outside the code page") << QStringLiteral("/home/Дмитрий/Documents") << "";
    QTest::newRow("record separator") << "/home/a|b/Documents"
                                      << "";
}

void TestPrefsDialog::defaultBackupPath() {
    QFETCH(QString, documents);
    QFETCH(QString, path);
    QCOMPARE(PrefsRules::defaultBackupPath(documents), path);
}

void TestPrefsDialog::okWithoutStorageName_data() {
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::newRow("Ok keeps the default name") << Prompt::Answer::Ok;
    QTest::newRow("Cancel goes back") << Prompt::Answer::Cancel;
}

void TestPrefsDialog::okWithoutStorageName() {
    QFETCH(Prompt::Answer, answer);
    Prefs& d = dialog();
    clickBox(d.Check2);
    QVERIFY(d.Text2->isEnabled());
    m_program->prompter.expect(answer);
    QTest::mouseClick(d.Command3, Qt::LeftButton);

    QCOMPARE(m_program->prompter.messages().size(), 1);
    const Prompt::Message& message = m_program->prompter.messages().constFirst();
    QCOMPARE(message.text,
             QStringLiteral("No value assigned for Storage Filename. Click Ok to keep the default filename"));
    QCOMPARE(message.title, QStringLiteral("Configuration Error"));
    QCOMPARE(message.buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(message.icon, Prompt::Icon::None);

    if (answer == Prompt::Answer::Ok) {
        QVERIFY(!d.isVisible());
        const QStringList items = stored();
        QCOMPARE(items.value(1), QStringLiteral("UsYr=1"));
        QCOMPARE(items.value(2), QStringLiteral("JanN="));
        QCOMPARE(m_refreshes, 1);
    } else {
        QVERIFY(d.isVisible());
        QVERIFY(stored().isEmpty());
        QCOMPARE(m_refreshes, 0);
        QVERIFY(!d.Check2->isChecked());
    }
}

void TestPrefsDialog::endingTheDialog_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("saves");
    QTest::newRow("Ok") << "ok" << true;
    QTest::newRow("Enter") << "enter" << true;
    QTest::newRow("Cancel") << "cancel" << false;
    QTest::newRow("Escape") << "escape" << false;
    QTest::newRow("window closed") << "close" << false;
    QTest::newRow("destroyed") << "destroy" << false;
}

void TestPrefsDialog::endingTheDialog() {
    QFETCH(QString, how);
    QFETCH(bool, saves);

    m_mainWindow = std::make_unique<QWidget>();
    QWidget& mainWindow = *m_mainWindow;
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    Prefs& d = dialog(&mainWindow);
    QVERIFY(!mainWindow.isVisible());
    clickBox(d.Check5);

    if (how == u"ok")
        QTest::mouseClick(d.Command3, Qt::LeftButton);
    else if (how == u"enter")
        QTest::keyClick(d.Check5, Qt::Key_Return);
    else if (how == u"cancel")
        QTest::mouseClick(d.Command4, Qt::LeftButton);
    else if (how == u"escape")
        QTest::keyClick(d.Check5, Qt::Key_Escape);
    else if (how == u"close")
        d.close();
    else
        m_dialog.reset();

    QVERIFY(!m_dialog || !m_dialog->isVisible());
    QVERIFY(mainWindow.isVisible());
    QCOMPARE(m_refreshes, saves ? 1 : 0);
    QCOMPARE(stored().value(5), saves ? QStringLiteral("DBdl=1") : QString());
}

void TestPrefsDialog::recordThatCannotBeStoredKeepsTheDialog() {
    Prefs& d = dialog();
    // The settings file's place is taken by a folder: nothing can be written there.
    QVERIFY(QDir().mkpath(m_program->dir.filePath(QStringLiteral("settings.ini"))));
    m_program->prompter.expect(Prompt::Answer::Ok);
    QTest::mouseClick(d.Command3, Qt::LeftButton);
    QCOMPARE(m_program->prompter.texts(), QStringList{QStringLiteral("Failed to Save Preferences")});
    QVERIFY(d.isVisible());
    QCOMPARE(m_refreshes, 1);
}

void TestPrefsDialog::minutesBoxOnLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one") << "1"
                         << "2";
    QTest::newRow("empty") << ""
                           << "2";
    QTest::newRow("not a number") << "soon"
                                  << "2";
    QTest::newRow("two") << "2"
                         << "2";
    QTest::newRow("fifteen") << "15"
                             << "15";
}

void TestPrefsDialog::minutesBoxOnLeaving() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Prefs& d = dialog();
    replaceText(d.Text1, typed);
    QCOMPARE(d.Text1->text(), typed);
    QTest::keyClick(d.Text1, Qt::Key_Tab);
    QVERIFY(!d.Text1->hasFocus());
    QCOMPARE(d.Text1->text(), shown);
}

void TestPrefsDialog::passwordBoxesFollowTheirChecks() {
    Prefs& d = dialog();
    clickBox(d.Check13);
    QVERIFY(d.Check10->isChecked());
    QVERIFY(d.Text3->isEnabled());
    QVERIFY(d.Check11->isEnabled());
    QTest::keyClicks(d.Text3, QStringLiteral("pw"));

    // The start password still needs the box.
    clickBox(d.Check10);
    QVERIFY(!d.Check10->isChecked());
    QVERIFY(d.Text3->isEnabled());
    QCOMPARE(d.Text3->text(), QStringLiteral("pw"));

    // Neither wants a password any more: the box empties; the mask box keeps its state.
    clickBox(d.Check13);
    QVERIFY(!d.Text3->isEnabled());
    QCOMPARE(d.Text3->text(), QString());
    QVERIFY(d.Check11->isEnabled());

    clickBox(d.Check10);
    QVERIFY(d.Text3->isEnabled());
    QTest::keyClicks(d.Text3, QStringLiteral("abc"));
    QCOMPARE(d.Text3->displayText(), QStringLiteral("***"));
    clickBox(d.Check11);
    QCOMPARE(d.Text3->displayText(), QStringLiteral("abc"));
    clickBox(d.Check10);
    QVERIFY(!d.Text3->isEnabled());
    QVERIFY(!d.Check11->isEnabled());
    QCOMPARE(d.Text3->text(), QString());
}

void TestPrefsDialog::passwordBoxKeepsOutSeparators_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("typed at the end") << "ab:c|" << false << "abc" << QStringList();
    QTest::newRow("pasted") << "x|y:z" << true << "xyz" << QStringList();
    QTest::newRow("outside the code page")
        << QStringLiteral("pΩ") << false << "p" << QStringList{"Character not permited"};
}

void TestPrefsDialog::passwordBoxKeepsOutSeparators() {
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, kept);
    QFETCH(QStringList, messages);
    for (qsizetype i = 0; i < messages.size(); ++i)
        m_program->prompter.expect(Prompt::Answer::Ok);

    Prefs& d = dialog();
    clickBox(d.Check10);
    d.Text3->setFocus();
    if (pasted) {
        QApplication::clipboard()->setText(typed);
        QTest::keyClick(d.Text3, Qt::Key_V, Qt::ControlModifier);
    } else {
        typeText(d.Text3, typed);
    }
    QCOMPARE(d.Text3->text(), kept);
    QCOMPARE(m_program->prompter.texts(), messages);

    QTest::mouseClick(d.Command3, Qt::LeftButton);
    QCOMPARE(stored().value(17), QStringLiteral("1asdrtyuh=") + kept);
}

void TestPrefsDialog::neverShowAgainWarnsOnEveryClick() {
    for (int i = 0; i < 3; ++i)
        m_program->prompter.expect(Prompt::Answer::Ok);
    Prefs& d = dialog();
    clickBox(d.Check9);
    clickBox(d.Check9);
    QVERIFY(!d.Check9->isChecked());
    d.Check9->setFocus();
    QTest::keyClick(d.Check9, Qt::Key_Space);
    QVERIFY(d.Check9->isChecked());

    QCOMPARE(m_program->prompter.messages().size(), 3);
    for (const Prompt::Message& message : m_program->prompter.messages()) {
        QCOMPARE(message.text,
                 QStringLiteral("If you mark this option you will not be able to modify settings in the future\r\n"
                                "In the event you need to make changes, a new installation will be needed to reset "
                                "this mark"));
        QCOMPARE(message.title, QStringLiteral("Warning!!!"));
        QCOMPARE(message.icon, Prompt::Icon::Exclamation);
        QCOMPARE(message.buttons, Prompt::Buttons::Ok);
    }
}

void TestPrefsDialog::colourButtons_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<std::optional<int>>("chosen");
    QTest::addColumn<int>("colour");
    QTest::newRow("no focus chosen") << 0 << std::optional<int>(0x00FFFF) << 0x00FFFF;
    QTest::newRow("focus chosen") << 1 << std::optional<int>(0xFF0000) << 0xFF0000;
    QTest::newRow("cancelled keeps the colour") << 1 << std::optional<int>() << 49152;
}

void TestPrefsDialog::colourButtons() {
    QFETCH(int, index);
    QFETCH(std::optional<int>, chosen);
    QFETCH(int, colour);

    Prefs& d = dialog();
    m_program->prompter.expectColor(chosen);
    QTest::mouseClick(d.Command5[size_t(index)], Qt::LeftButton);
    QCOMPARE(m_program->prompter.texts(), QStringList{QStringLiteral("<colour>")});
    QCOMPARE(d.BackColor(index), colour);
    QCOMPARE(shownColor(d.Command5[size_t(index)]), fromWindowsRgb(colour));

    // Without focus aids the buttons choose nothing.
    clickBox(d.Check12);
    QTest::mouseClick(d.Command5[size_t(index)], Qt::LeftButton);
    QCOMPARE(m_program->prompter.messages().size(), 1);

    QTest::mouseClick(d.Command3, Qt::LeftButton);
    QCOMPARE(stored().value(14 + index), Preferences::keys().at(14 + index) + QString::number(colour));
}

void TestPrefsDialog::browseButtons_data() {
    QTest::addColumn<bool>("backup");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("shown"); // empty: unchanged
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("back-up file") << true << "/mnt/safe/quorvane.bak"
                                  << "/mnt/safe/quorvane.bak" << QStringList{"<save file>"};
    QTest::newRow("back-up cancelled") << true << ""
                                       << "" << QStringList{"<save file>"};
    QTest::newRow("back-up path the record cannot hold")
        << true << QStringLiteral("/mnt/Ωmega/log.bak") << "" << QStringList{"<save file>", "Character not permited"};
    QTest::newRow("storage name") << false << "/elsewhere/archive.db"
                                  << "archive.db" << QStringList{"<open file>"};
    QTest::newRow("storage cancelled") << false << ""
                                       << "" << QStringList{"<open file>"};
}

void TestPrefsDialog::browseButtons() {
    QFETCH(bool, backup);
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    QFETCH(QStringList, messages);

    Prefs& d = dialog();
    clickBox(d.Check2);
    QTest::keyClicks(d.Text2, QStringLiteral("typed"));
    const QString before = backup ? d.Label1->text() : d.Text2->text();
    m_program->prompter.expectFile(chosen);
    if (messages.size() > 1)
        m_program->prompter.expect(Prompt::Answer::Ok);
    QTest::mouseClick(backup ? d.Command1 : d.Command2, Qt::LeftButton);

    QCOMPARE(m_program->prompter.texts(), messages);
    QCOMPARE(backup ? d.Label1->text() : d.Text2->text(), shown.isEmpty() ? before : shown);
    QTest::mouseClick(d.Command3, Qt::LeftButton);
    const QStringList items = stored();
    QCOMPARE(backup ? items.value(4) : items.value(2),
             (backup ? QStringLiteral("MBKF=") : QStringLiteral("JanN=")) + (shown.isEmpty() ? before : shown));
}

void TestPrefsDialog::deleteBreachLog_data() {
    QTest::addColumn<QString>("log"); // "none", "hidden", "folder"
    QTest::addColumn<QString>("message");
    QTest::addColumn<Prompt::Icon>("icon");
    QTest::newRow("no log") << "none"
                            << "Failed to delete" << Prompt::Icon::Critical;
    QTest::newRow("hidden log") << "hidden"
                                << "Action successful" << Prompt::Icon::None;
    QTest::newRow("a folder in its place") << "folder"
                                           << "Failed to delete" << Prompt::Icon::Critical;
}

void TestPrefsDialog::deleteBreachLog() {
    QFETCH(QString, log);
    QFETCH(QString, message);
    QFETCH(Prompt::Icon, icon);

    const ProgramFiles files(m_program->folder());
    if (log == u"hidden")
        QVERIFY(LogSecurityBreach(files, QStringLiteral("guess"), m_program->clock.now()));
    if (log == u"folder") {
        QVERIFY(QDir().mkpath(files.breachLog()));
        m_program->writeData(QStringLiteral("seqbreach.log/kept"), "x");
    }
    m_program->prompter.expect(Prompt::Answer::Ok);
    QTest::mouseClick(dialog().Command6, Qt::LeftButton);

    QCOMPARE(m_program->prompter.texts(), QStringList{message});
    const Prompt::Message& shown = m_program->prompter.messages().constFirst();
    QCOMPARE(shown.icon, icon);
    QCOMPARE(shown.title, QStringLiteral("Quorvane"));
    QCOMPARE(shown.buttons, Prompt::Buttons::Ok);
    QCOMPARE(QFileInfo::exists(files.breachLog()), log == u"folder");
}

void TestPrefsDialog::showBreachLog_data() {
    QTest::addColumn<bool>("logged");
    QTest::newRow("no log") << false;
    QTest::newRow("log") << true;
}

void TestPrefsDialog::showBreachLog() {
    QFETCH(bool, logged);
    const ProgramFiles files(m_program->folder());
    if (logged)
        QVERIFY(LogSecurityBreach(files, QStringLiteral("guess"), m_program->clock.now()));
    else
        m_program->prompter.expect(Prompt::Answer::Ok);
    QTest::mouseClick(dialog().Command7, Qt::LeftButton);

    if (logged) {
        QCOMPARE(m_program->shell.opened, QList<QUrl>{QUrl::fromLocalFile(files.breachLog())});
        QVERIFY(m_program->prompter.messages().isEmpty());
    } else {
        QVERIFY(m_program->shell.opened.isEmpty());
        QCOMPARE(m_program->prompter.texts(), QStringList{QStringLiteral("Failed to open")});
        QCOMPARE(m_program->prompter.messages().constFirst().icon, Prompt::Icon::Information);
    }
}

QTEST_MAIN(TestPrefsDialog)
#include "tst_prefs_dialog.moc"

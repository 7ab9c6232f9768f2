#include "app/caption_label.h"
#include "app/entry_area.h"
#include "app/main_window.h"
#include "store/creditor_list.h"

#include "scripted.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestMainWindow final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void addCreditorWritesAndLists();
    void addCreditorRefusesSameNameOnly();
    void creditorListLoadsNamedEntries();
    void addedRecordReachesFile();
    void recordThatCannotBeWrittenIsTakenBack();
    void refusedCharacters_data();
    void refusedCharacters();
    void accessibleNamesAreCaptions();
    void everyControlHasAName();
    void tabOrderFollowsTheWindow();
    void toolbarFitsBesideTheQuitPicture_data();
    void toolbarFitsBesideTheQuitPicture();

private:
    MainWindow& window();
    void typeCreditor(const QString& name, const QString& user, const QString& password, const QString& url);

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->writeData(QStringLiteral("db.db"), QByteArray());
}

void TestMainWindow::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_window.reset();
    m_program.reset();
}

MainWindow& TestMainWindow::window() {
    if (!m_window) {
        m_window = std::make_unique<MainWindow>(m_program->services);
        m_window->Form_Load();
        m_window->show();
    }
    return *m_window;
}

void TestMainWindow::typeCreditor(const QString& name, const QString& user, const QString& password,
                                  const QString& url) {
    MainWindow& w = window();
    w.entry()->Combo1->setEditText(name);
    w.details()->Text2[1]->setText(user);
    w.details()->Text2[2]->setText(password);
    w.details()->Text2[0]->setText(url);
}

void TestMainWindow::addCreditorWritesAndLists() {
    typeCreditor("Visa", "", "", "https://visa.example");
    window().AddCreditor();
    QCOMPARE(window().creditorEntries(), QStringList{"Visa| | |https://visa.example"});
    QCOMPARE(window().entry()->Combo1->count(), 1);
    QCOMPARE(window().entry()->Combo1->currentText(), QString());
    for (QLineEdit* box : window().details()->Text2)
        QVERIFY(box->text().isEmpty());
    QCOMPARE(readCreditorFile(m_program->dataFile("creditors.dat")), QStringList{"Visa| | |https://visa.example"});
}

void TestMainWindow::addCreditorRefusesSameNameOnly() {
    typeCreditor("Visa", "a", "b", "");
    window().AddCreditor();
    typeCreditor("Visa", "other", "", "");
    window().AddCreditor();
    // The same name again writes nothing, says nothing and keeps the boxes (with the space put in).
    QCOMPARE(window().details()->Text2[2]->text(), QStringLiteral(" "));
    typeCreditor("VISA", "c", "d", "");
    window().AddCreditor();
    QCOMPARE(readCreditorFile(m_program->dataFile("creditors.dat")), (QStringList{"Visa|a|b|", "VISA|c|d|"}));
}

void TestMainWindow::creditorListLoadsNamedEntries() {
    const QString path = m_program->dataFile("creditors.dat");
    for (const char* entry : {"Visa|a|b|", "|nameless|x|", "Bank|c|d|u"})
        QVERIFY(appendCreditorLine(path, entry));
    QCOMPARE(window().creditorEntries().size(), 3);
    QComboBox* combo = window().entry()->Combo1;
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Visa"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Bank"));
}

void TestMainWindow::addedRecordReachesFile() {
    MainWindow& w = window();
    w.entry()->Combo1->setEditText("Visa");
    w.entry()->Text1[1]->setText("3/4/2026");
    w.entry()->Text1[2]->setText("12.00");
    w.entry()->Text1[3]->setText("A-1");
    w.AddPaymentRecord();
    QCOMPARE(m_program->readData("db.db"), QByteArray("Visa|03/04/2026|12.00|A-1\r\n"));
    QCOMPARE(w.grid().cell(1, 1), QStringLiteral("03/04/2026"));
    QCOMPARE(w.grid().rows(), 13);
}

void TestMainWindow::recordThatCannotBeWrittenIsTakenBack() {
    MainWindow& w = window();
    // A log on a full device: the append fails whoever runs the test.
    QVERIFY(QFile::remove(m_program->dataFile("db.db")));
    if (!QFile::exists("/dev/full") || !QFile::link("/dev/full", m_program->dataFile("db.db")))
        QSKIP("no /dev/full here");
    w.entry()->Combo1->setEditText("Visa");
    w.entry()->Text1[2]->setText("12.00");
    w.entry()->Text1[3]->setText("A-1");
    m_program->prompter.expect(Prompt::Answer::Ok);
    w.AddPaymentRecord();
    QCOMPARE(m_program->prompter.texts(), QStringList{"Failed to Save to DataBase"});
    QCOMPARE(m_program->prompter.messages().first().title, QStringLiteral("Disk Access Error 02"));
    QCOMPARE(m_program->prompter.messages().first().icon, Prompt::Icon::Critical);
    QVERIFY(!w.grid().holdsRecord(1));
    QCOMPARE(w.grid().rows(), 12);
    // The boxes keep what was typed, so the user can try again.
    QCOMPARE(w.entry()->Text1[3]->text(), QStringLiteral("A-1"));
}

void TestMainWindow::refusedCharacters_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("comma in creditor") << "Combo1"
                                       << "," << true;
    QTest::newRow("bar in creditor") << "Combo1"
                                     << "|" << true;
    QTest::newRow("bar in user name") << "Text2(1)"
                                      << "|" << true;
    QTest::newRow("bar in password") << "Text2(2)"
                                     << "|" << true;
    QTest::newRow("bar in address") << "Text2(0)"
                                    << "|" << false;
    QTest::newRow("comma in address") << "Text2(0)"
                                      << "," << true;
    QTest::newRow("accent in creditor") << "Combo1"
                                        << "\u00e9" << false;
    QTest::newRow("outside the code page") << "Text2(2)"
                                           << "\u4e2d" << true;
}

void TestMainWindow::refusedCharacters() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    MainWindow& w = window();
    QLineEdit* edit = box == "Combo1" ? w.entry()->Combo1->lineEdit() : w.findChild<QLineEdit*>(box);
    QVERIFY(edit);
    edit->setFocus();
    QTest::keyClicks(edit, "ab");
    if (refused)
        m_program->prompter.expect(Prompt::Answer::Ok);
    for (const QChar c : typed) {
        // QTest only types ASCII; a key event that carries the character types anything.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
    QCOMPARE(edit->text(), refused ? QStringLiteral("ab") : QStringLiteral("ab") + typed);
    QCOMPARE(m_program->prompter.texts(), refused ? QStringList{"Character not permited"} : QStringList{});
}

void TestMainWindow::accessibleNamesAreCaptions() {
    MainWindow& w = window();
    QCOMPARE(w.entry()->Combo1->accessibleName(), QStringLiteral("Creditor"));
    QCOMPARE(w.entry()->DTPicker1->accessibleName(), QStringLiteral("Date"));
    QCOMPARE(w.entry()->Text1[2]->accessibleName(), QStringLiteral("Payment $"));
    QCOMPARE(w.entry()->Text1[3]->accessibleName(), QStringLiteral("Confirmation"));
    QCOMPARE(w.details()->Text2[0]->accessibleName(), QStringLiteral("Login URL"));
    QCOMPARE(w.details()->Text2[1]->accessibleName(), QStringLiteral("Username"));
    QCOMPARE(w.details()->Text2[2]->accessibleName(), QStringLiteral("Password"));
}

void TestMainWindow::everyControlHasAName() {
    MainWindow& w = window();
    QStringList names;
    for (QWidget* widget : w.findChildren<QWidget*>()) {
        const bool control = (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QToolButton*>(widget) ||
                             QStringList{"Image1", "Label2", "Picture2"}.contains(widget->objectName());
        // A combo box's or date picker's own editor is part of it; the box carries the name.
        const QWidget* parent = widget->parentWidget();
        const bool inner = qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent);
        if (!control || inner || !widget->isVisibleTo(&w))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const QString name = accessible->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName() + " " + widget->metaObject()->className()));
        names.append(name);
    }
    // What a screen reader reads out for the main window's controls.
    for (const char* expected : {"Creditor", "Date", "Confirmation", "Payment $", "Login URL", "Username", "Password",
                                 "Mask the password", "Open URL", "Go", "Payments", "Quit Quorvane", "Add", "Store",
                                 "Remove", "Config", "Window", "Report", "Help"})
        QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);
}

void TestMainWindow::tabOrderFollowsTheWindow() {
    MainWindow& w = window();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.entry()->Combo1->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QWidget* named = focus;
        while (named && named->accessibleName().isEmpty() && named->parentWidget())
            named = named->parentWidget();
        order.append(named ? named->accessibleName() : QString());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(order, (QStringList{"Creditor", "Date", "Confirmation", "Payment $", "Username", "Password",
                                 "Mask the password", "Login URL"}));
}

// The window's width is fixed; a desktop with a large font must not push the last toolbar button (and its
// menu arrow) under the quit picture.
void TestMainWindow::toolbarFitsBesideTheQuitPicture_data() {
    QTest::addColumn<qreal>("points");
    QTest::newRow("usual font") << 9.0;
    QTest::newRow("large desktop font") << 12.0;
}

void TestMainWindow::toolbarFitsBesideTheQuitPicture() {
    QFETCH(qreal, points);
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSizeF(points);
    QApplication::setFont(large);
    MainWindow& w = window();
    QApplication::setFont(before);
    const QWidget* quit = w.Picture2;
    for (const QToolButton* button : w.findChildren<QToolButton*>()) {
        if (!button->objectName().startsWith(u"Toolbar1.") || !button->isVisible())
            continue;
        const QRect place(button->mapTo(quit->parentWidget(), QPoint(0, 0)), button->size());
        QVERIFY2(place.right() < quit->x(), qPrintable(button->objectName()));
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

#include "app/twips.h"
#include "browser/browser_launcher.h"
#include "browser/chrome_widgets.h"
#include "browser/mini_browser.h"
#include "platform/clipboard.h"

#include "fake_control.h"
#include "scripted.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolBar>

// The browser window's chrome, driven through its widgets, with a stand-in for the web engine: no page is
// loaded here.
class TestBrowserWindow final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensMaximisedOnTheLoginPage();
    void closingDiscardsTheWindowButKeepsItsFlags();
    void titleDoubleClickFillsAndRestores();
    void gripSnapsTo910OnTheWindow();
    void timer2HidesTheGrip();
    void bareSurfaceClickRestoresTheDefaultGeometry();
    void hiddenTrayStillFollowsTheCopies();
    void statusClockTakesTheProgramClock();
    void padlockFollowsTheBrowser();
    void toolbarDispatch();
    void addressBoxClickSelectsAll();

private:
    MiniBrowser& open(const QString& address = QStringLiteral("https://bank.example/login"));
    MiniBrowser& openNormal();
    void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons);
    void click(QAction* action);
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }

    std::unique_ptr<TestProgram> m_program;
    std::array<std::unique_ptr<QLineEdit>, 3> m_boxes;
    std::unique_ptr<BrowserLauncher> m_launcher;
    FakeControl* m_control = nullptr;
    int m_mainShown = 0;
};

void TestBrowserWindow::init() {
    m_program = std::make_unique<TestProgram>();
    QDir().mkpath(m_program->folder() + QStringLiteral("/help"));
    QFile blank(m_program->folder() + QStringLiteral("/help/blank.html"));
    QVERIFY(blank.open(QIODevice::WriteOnly));
    m_boxes = {std::make_unique<QLineEdit>(), std::make_unique<QLineEdit>(), std::make_unique<QLineEdit>()};
    m_boxes[1]->setText(QStringLiteral("alice"));
    m_boxes[2]->setText(QStringLiteral("s3cret"));
    m_mainShown = 0;
    m_launcher = std::make_unique<BrowserLauncher>(
        std::array<QLineEdit*, 3>{m_boxes[0].get(), m_boxes[1].get(), m_boxes[2].get()}, m_program->services,
        [this] { ++m_mainShown; }, nullptr,
        [this](QWidget* parent) {
            auto control = std::make_unique<FakeControl>(parent);
            m_control = control.get();
            return control;
        });
    Clipboard::clear();
}

void TestBrowserWindow::cleanup() {
    m_launcher.reset();
    m_program.reset();
}

MiniBrowser& TestBrowserWindow::open(const QString& address) {
    m_boxes[0]->setText(address);
    m_launcher->OpenLoginPage();
    MiniBrowser* window = m_launcher->window();
    if (!window)
        qFatal("the browser did not open");
    return *window;
}

// The window restored to its design geometry by its own restore button.
MiniBrowser& TestBrowserWindow::openNormal() {
    MiniBrowser& window = open();
    QTest::mouseClick(window.Image5, Qt::LeftButton);
    if (window.isMaximized())
        qFatal("the browser did not restore");
    return window;
}

void TestBrowserWindow::send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void TestBrowserWindow::click(QAction* action) {
    MiniBrowser* window = m_launcher->window();
    QTest::mouseClick(window->Toolbar1->widgetForAction(action), Qt::LeftButton);
}

void TestBrowserWindow::opensMaximisedOnTheLoginPage() {
    m_program->clock.set(QDateTime(QDate(2026, 1, 2), QTime(10, 55, 7)));
    MiniBrowser& window = open();
    QVERIFY(window.isMaximized());
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!window.parentWidget());
    QCOMPARE(window.Label1->text(), QStringLiteral("Skimora"));
    QCOMPARE(window.Text1->text(), QStringLiteral("https://bank.example/login"));
    QVERIFY(window.Text1->isReadOnly());
    const QString blank = QUrl::fromLocalFile(m_program->folder() + QStringLiteral("/help/blank.html")).toString();
    QCOMPARE(m_control->calls,
             QStringList({QStringLiteral("navigate ") + blank, QStringLiteral("navigate https://bank.example/login")}));

    // Twelve buttons: their keys, and the credentials captured from the main window's boxes.
    QStringList keys;
    for (int i = 1; i <= 12; ++i)
        keys << (window.button(i)->isSeparator() && window.button(i)->objectName().isEmpty()
                     ? QStringLiteral("|")
                     : window.button(i)->objectName());
    QCOMPARE(keys.join(u' '), QStringLiteral("| back forward refresh stop sep user pass | trash | quorv"));
    QCOMPARE(window.button(2)->toolTip(), QStringLiteral("Go Back"));
    QCOMPARE(window.button(10)->toolTip(), QStringLiteral("Clear User/Pass Captions"));
    QCOMPARE(window.button(12)->toolTip(), QStringLiteral("Show Quorvane Screen"));
    QCOMPARE(window.button(7)->toolTip(), QStringLiteral("alice"));
    QCOMPARE(window.button(8)->toolTip(), QStringLiteral("s3cret"));
    QCOMPARE(window.button(8)->data().toString(), QStringLiteral("s3cret"));

    // The layout of a maximised window, in pixels of the design's twips.
    QTRY_COMPARE(window.size(), screen().size());
    const int width = window.width() * 15;
    const int height = window.height() * 15;
    QCOMPARE(window.closebtn->geometry(), twipsRect(width - 300, 30, 240, 210));
    QCOMPARE(window.Image5->geometry(), twipsRect(width - 560, 30, 240, 210));
    QCOMPARE(window.minBtn->geometry(), twipsRect(width - 800, 30, 240, 210));
    QVERIFY(window.Image5->isVisible());
    QVERIFY(!window.Image7->isVisible());
    QCOMPARE(window.Frame1->geometry(), twipsRect(0, 600, width, height - 580));
    QCOMPARE(m_control->widget()->geometry(), twipsRect(45, 45, width - 100, height - 680));
    QCOMPARE(window.Text1->geometry(), twipsRect(2325, 5, width - 800 - 2325 - 400, 285));
    QVERIFY(!window.Picture2->isVisible());
    QVERIFY(!window.Image4->isVisible());
    QCOMPARE(window.Label2->text(), QStringLiteral(" empty"));
    QCOMPARE(window.ClipStatLbl->text(), QStringLiteral("10:55:07"));
    QVERIFY(window.Timer1->isActive() || window.button(7)->isEnabled());
    QVERIFY(window.Timer2->isActive());
    QCOMPARE(window.closebtn->accessibleName(), QStringLiteral("Exit Browser"));
}

void TestBrowserWindow::closingDiscardsTheWindowButKeepsItsFlags() {
    MiniBrowser* first = &open();
    QTest::mouseDClick(first->lblbar, Qt::LeftButton);
    QVERIFY(m_launcher->flags().ScreenFilled);

    // Another creditor while the window is open: its page and its credentials, in the same window.
    m_boxes[1]->setText(QStringLiteral("bob"));
    QCOMPARE(&open(QStringLiteral("b.example")), first);
    QCOMPARE(m_control->calls.last(), QStringLiteral("navigate http://b.example"));
    QCOMPARE(first->button(7)->toolTip(), QStringLiteral("bob"));
    m_boxes[1]->setText(QStringLiteral("carol"));

    QTest::mouseClick(first->closebtn, Qt::LeftButton);
    QTRY_VERIFY(!m_launcher->window());

    MiniBrowser& second = open(QStringLiteral("b.example"));
    QCOMPARE(second.button(7)->toolTip(), QStringLiteral("carol"));
    QVERIFY(second.Timer3->isActive());
    QVERIFY(m_launcher->flags().ScreenFilled);
}

void TestBrowserWindow::titleDoubleClickFillsAndRestores() {
    MiniBrowser& window = openNormal();
    QCOMPARE(window.geometry(), twipsRect(1950, 975, 8070, 6435));
    QVERIFY(window.Image7->isVisible());

    QTest::mouseDClick(window.lblbar, Qt::LeftButton);
    QCOMPARE(window.geometry(), QRect(0, 0, screen().width(), twips(screen().height() * 15 - 400)));
    QVERIFY(window.Image7->isVisible());
    QVERIFY(!window.Image5->isVisible());
    QVERIFY(!window.Timer3->isActive());
    QVERIFY(window.ClipStatLbl->text().isEmpty());
    QCOMPARE(window.Frame1->height(), twips(window.chrome().window().height() - 580));

    QTest::mouseDClick(window.Label1, Qt::LeftButton);
    QCOMPARE(window.geometry(), QRect(129, 64, 540, 431));
    QCOMPARE(window.closebtn->x(), twips(7785));
    QCOMPARE(window.Image5->x(), twips(7485));
    QVERIFY(window.Image5->isVisible());
    QVERIFY(!m_launcher->flags().ScreenFilled);

    // "Path:" toggles too; the maximised window only flips the flag.
    QTest::mouseDClick(window.Label3, Qt::LeftButton);
    QCOMPARE(window.pos(), QPoint(0, 0));
    window.mnuMaximize->trigger();
    QVERIFY(window.isMaximized());
    const QRect maximised = window.geometry();
    QTest::mouseDClick(window.lblbar, Qt::LeftButton);
    QCOMPARE(window.geometry(), maximised);
    QVERIFY(!m_launcher->flags().ScreenFilled);
}

void TestBrowserWindow::gripSnapsTo910OnTheWindow() {
    MiniBrowser& window = openNormal();
    window.setGeometry(100, 100, 400, 60); // 6000 x 900 twips
    QCOMPARE(window.chrome().window().size(), QSize(6000, 900));

    send(window.Frame1, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton);
    QVERIFY(window.Picture2->isVisible());
    QCOMPARE(window.Picture2->pos(), QPoint(twips(6000 - 315), twips(900 - 360)));

    send(window.Picture2, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    send(window.Picture2, QEvent::MouseMove, QPoint(2, 2), Qt::LeftButton);
    QCOMPARE(window.geometry(), QRect(100, 100, 400, twips(910)));
    QCOMPARE(window.Picture2->y(), twips(910 - 225));
    // No layout until the grip is let go.
    QCOMPARE(window.Frame1->height(), twips(900 - 580));

    send(window.Picture2, QEvent::MouseMove, QPoint(15, 30), Qt::LeftButton);
    QCOMPARE(window.chrome().window().size(), QSize(6040, 950));
    send(window.Picture2, QEvent::MouseButtonRelease, QPoint(15, 30), Qt::NoButton);
    QVERIFY(!window.Picture2->isVisible());
    QCOMPARE(window.Frame1->height(), twips(950 - 580));
    QCOMPARE(window.closebtn->x(), twips(6040 - 300));

    // A maximised window shows no grip.
    window.mnuMaximize->trigger();
    send(window.Frame1, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton);
    QVERIFY(!window.Picture2->isVisible());
}

void TestBrowserWindow::timer2HidesTheGrip() {
    MiniBrowser& window = openNormal();
    send(window.Frame1, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton);
    QVERIFY(window.Picture2->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!window.Picture2->isVisible(), 5000);
}

void TestBrowserWindow::bareSurfaceClickRestoresTheDefaultGeometry() {
    MiniBrowser& window = openNormal();
    window.setGeometry(10, 10, 700, 500);
    QVERIFY(!window.childAt(5, 30));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(5, 30));
    QCOMPARE(window.geometry(), QRect(129, 64, 540, 431));
    QCOMPARE(window.Frame1->geometry(), twipsRect(0, 585, 8100, 6465 - 600));
    QCOMPARE(window.Text1->geometry(), twipsRect(2325, 5, 3600, 285));

    // Clicking the strip's own parts does not.
    window.setGeometry(10, 10, 700, 500);
    QTest::mouseClick(window.ClipStatLbl, Qt::LeftButton);
    QCOMPARE(window.geometry(), QRect(10, 10, 700, 500));

    window.mnuMaximize->trigger();
    const QRect maximised = window.geometry();
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(5, 30));
    QCOMPARE(window.geometry(), maximised);
}

void TestBrowserWindow::hiddenTrayStillFollowsTheCopies() {
    MiniBrowser& window = open();
    QTRY_VERIFY(window.button(7)->isEnabled());
    window.mnuClipbtray->trigger();
    QVERIFY(!window.Picture1->isVisible());
    QVERIFY(!window.mnuClipbtray->isChecked());

    click(window.button(7));
    QCOMPARE(Clipboard::text(), QStringLiteral("alice"));
    QCOMPARE(window.Label2->text(), QStringLiteral(" alice  "));

    window.mnuClipbtray->trigger();
    QVERIFY(window.Picture1->isVisible());
    QVERIFY(window.mnuClipbtray->isChecked());
    QCOMPARE(window.chrome().Picture1.width(), window.Label2->width() * 15 + 375 + 750 + 160);

    QTest::mouseClick(window.Image3, Qt::LeftButton);
    QVERIFY(Clipboard::text().isEmpty());
    QCOMPARE(window.Label2->text(), QStringLiteral(" empty  "));
}

void TestBrowserWindow::statusClockTakesTheProgramClock() {
    m_program->clock.set(QDateTime(QDate(2026, 1, 2), QTime(9, 5, 3)));
    MiniBrowser& window = open();
    QCOMPARE(window.ClipStatLbl->text(), QStringLiteral("09:05:03"));
    m_program->clock.set(QDateTime(QDate(2026, 1, 2), QTime(23, 59, 59)));
    QTRY_COMPARE(window.ClipStatLbl->text(), QStringLiteral("23:59:59"));
}

void TestBrowserWindow::padlockFollowsTheBrowser() {
    MiniBrowser& window = open();
    m_control->reportSecurity(6);
    QVERIFY(window.Image4->isVisible());
    m_control->reportSecurity(0);
    QVERIFY(!window.Image4->isVisible());
}

void TestBrowserWindow::toolbarDispatch() {
    MiniBrowser& window = open();
    m_control->busy = true;
    QTRY_VERIFY(!window.button(7)->isEnabled());
    QVERIFY(!window.button(8)->isEnabled());
    m_control->calls.clear();

    click(window.button(5));
    QVERIFY(window.button(7)->isEnabled());
    QVERIFY(window.button(8)->isEnabled());
    click(window.button(2));
    click(window.button(3));
    QCOMPARE(m_control->calls, QStringList({"stop", "back", "forward"}));

    // Keys from the keyboard too.
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(m_control->calls.last(), QStringLiteral("back"));

    click(window.button(12));
    QCOMPARE(m_mainShown, 1);
    QVERIFY(window.isVisible());

    // An unknown key does nothing.
    m_control->calls.clear();
    window.Toolbar1_ButtonClick(QStringLiteral("Back"));
    QVERIFY(m_control->calls.isEmpty());
}

void TestBrowserWindow::addressBoxClickSelectsAll() {
    MiniBrowser& window = open();
    QTest::mouseClick(window.Text1, Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(window.Text1->selectedText(), QStringLiteral("https://bank.example/login"));
}

QTEST_MAIN(TestBrowserWindow)
#include "tst_browser_window.moc"

#include "browser/browser_chrome.h"
#include "browser/login_address.h"

#include <QTest>

Q_DECLARE_METATYPE(BrowserWindowState)

// The browser window's layout, screen-filling, default geometry, grip and tray rules, without a window.
class TestBrowserChrome final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void layoutFollowsTheWindow_data();
    void layoutFollowsTheWindow();
    void layoutSkipsWhatCannotBeSized();
    void layoutWaitsWhileTheGripIsDragged();
    void titleDoubleClickOnMaximisedWindowOnlyFlipsTheFlag();
    void titleDoubleClickFillsThenRestores();
    void resetLayout_data();
    void resetLayout();
    void stateButtonsSwapAndKeepTheFlag();
    void gripSnapsTo910_data();
    void gripSnapsTo910();
    void gripStepsBy40_data();
    void gripStepsBy40();
    void gripDoesNothingWhenMaximisedOrNotPressed();
    void gripReleaseHidesAndLaysOut();
    void timer2HidesTheGripEvery50Ticks();
    void trayFitsItsLabel();
    void loginAddress_data();
    void loginAddress();

private:
    // A window in the normal state at the default geometry, on a 1024 x 768 screen.
    BrowserChrome& normalWindow();

    BrowserFlags m_flags;
    std::unique_ptr<BrowserChrome> m_chrome;
};

void TestBrowserChrome::init() {
    m_flags = BrowserFlags();
    m_chrome = std::make_unique<BrowserChrome>(m_flags);
    m_chrome->setScreen(QSize(1024 * 15, 768 * 15));
}

BrowserChrome& TestBrowserChrome::normalWindow() {
    m_chrome->windowStateChanged(BrowserWindowState::Normal);
    m_chrome->windowMoved(QPoint(1935, 960));
    m_chrome->windowResized(QSize(8100, 6465));
    m_chrome->takeGeometryRequest();
    return *m_chrome;
}

void TestBrowserChrome::layoutFollowsTheWindow_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("maximiseShown");
    QTest::addColumn<int>("closeLeft");
    QTest::addColumn<int>("stateButtonLeft");
    QTest::addColumn<int>("minLeft");
    QTest::addColumn<int>("addressWidth");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QPoint>("grip");

    QTest::newRow("default, restore shown") << QSize(8100, 6465) << false << 7800 << 7540 << 7300 << 4575
                                            << QRect(0, 600, 8100, 5885) << QSize(8000, 5785) << QPoint(7785, 6105);
    QTest::newRow("full screen, maximise shown")
        << QSize(15360, 11120) << true << 15060 << 14800 << 14560 << 11835 << QRect(0, 600, 15360, 10540)
        << QSize(15260, 10440) << QPoint(15045, 10760);
}

void TestBrowserChrome::layoutFollowsTheWindow() {
    QFETCH(int, closeLeft);
    QFETCH(int, stateButtonLeft);
    QFETCH(int, minLeft);
    QFETCH(int, addressWidth);
    QFETCH(QRect, frame);
    QFETCH(QSize, page);
    QFETCH(QPoint, grip);
    QFETCH(QSize, size);
    QFETCH(bool, maximiseShown);
    BrowserChrome& c = *m_chrome;
    c.Image7Visible = maximiseShown;
    c.Image5Visible = !maximiseShown;
    const QRect untouched = maximiseShown ? c.Image5 : c.Image7;
    c.windowResized(size);

    QCOMPARE(c.closebtn.left(), closeLeft);
    QCOMPARE((maximiseShown ? c.Image7 : c.Image5).left(), stateButtonLeft);
    QCOMPARE(maximiseShown ? c.Image5 : c.Image7, untouched);
    QCOMPARE(c.minBtn.left(), minLeft);
    QCOMPARE(c.Text1.width(), addressWidth);
    QCOMPARE(c.Frame1, frame);
    QCOMPARE(c.WebBrowser1, QRect(QPoint(45, 45), page));
    QCOMPARE(c.Picture2.topLeft(), grip);
    QCOMPARE(c.lblbar.width(), size.width());
    QCOMPARE(c.PictureBar.width(), size.width());
    // The tray starts 100 right of the toolbar and runs to the window's width, its top 340 above the strip's.
    QCOMPARE(c.Picture1, QRect(6355, -55, size.width(), 375));
}

void TestBrowserChrome::layoutSkipsWhatCannotBeSized() {
    BrowserChrome& c = *m_chrome;
    const QRect frame = c.Frame1;
    const QRect page = c.WebBrowser1;
    c.windowResized(QSize(6000, 300));
    // The frame cannot be 280 twips short of nothing: its height and the page's stay, the rest goes on.
    QCOMPARE(c.Frame1.height(), frame.height());
    QCOMPARE(c.WebBrowser1.height(), page.height());
    QCOMPARE(c.Frame1.width(), 6000);
    QCOMPARE(c.closebtn.left(), 5700);
    QCOMPARE(c.Text1.width(), 5700 - 260 - 240 - 2325 - 400);
}

void TestBrowserChrome::layoutWaitsWhileTheGripIsDragged() {
    BrowserChrome& c = normalWindow();
    c.gripPressed();
    const QRect close = c.closebtn;
    c.windowResized(QSize(9000, 7000));
    QCOMPARE(c.closebtn, close);
    c.gripReleased();
    QCOMPARE(c.closebtn.left(), 8700);
}

void TestBrowserChrome::titleDoubleClickOnMaximisedWindowOnlyFlipsTheFlag() {
    BrowserChrome& c = *m_chrome;
    c.windowResized(QSize(15360, 11520));
    c.PictureBar.moveTop(300);
    const QRect window = c.window();
    const QRect close = c.closebtn;

    c.titleDoubleClicked();
    QVERIFY(m_flags.ScreenFilled);
    QCOMPARE(c.Picture1.top(), -40);
    QCOMPARE(c.window(), window);
    QVERIFY(!c.takeGeometryRequest());
    QVERIFY(c.clockRunning);
    QVERIFY(c.Image5Visible);
    QVERIFY(!c.Image7Visible);

    c.titleDoubleClicked();
    QVERIFY(!m_flags.ScreenFilled);
    QCOMPARE(c.window(), window);
    QCOMPARE(c.closebtn, close);
    QVERIFY(!c.takeGeometryRequest());
    QVERIFY(c.clockRunning);
}

void TestBrowserChrome::titleDoubleClickFillsThenRestores() {
    BrowserChrome& c = normalWindow();
    c.Picture2Visible = true;
    c.titleDoubleClicked();
    QVERIFY(m_flags.ScreenFilled);
    QVERIFY(!c.Picture2Visible);
    QCOMPARE(c.window(), QRect(0, 0, 15360, 11120));
    QVERIFY(c.takeGeometryRequest());
    QVERIFY(!c.clockRunning);
    QVERIFY(c.Image7Visible);
    QVERIFY(!c.Image5Visible);
    QCOMPARE(c.Image7.left(), c.Image5.left());
    QCOMPARE(c.Frame1.height(), 11120 - 580);
    QCOMPARE(c.WebBrowser1.height(), 11120 - 680);

    c.setTrayLabelWidth(600);
    c.titleDoubleClicked();
    QVERIFY(!m_flags.ScreenFilled);
    QCOMPARE(c.window(), QRect(1935, 960, 8100, 6465));
    // The default geometry sets the buttons by hand; the maximise button keeps its place and stays shown.
    QCOMPARE(c.minBtn.left(), 7245);
    QCOMPARE(c.Image5.left(), 7485);
    QCOMPARE(c.closebtn.left(), 7785);
    QVERIFY(c.Image5Visible);
    QVERIFY(c.Image7Visible);
    QCOMPARE(c.Image7.left(), 7540);
    QCOMPARE(c.ClipStatLbl.topLeft(), QPoint(120, 360));
    QCOMPARE(c.Frame1.height(), 5885);
    QCOMPARE(c.Picture1, QRect(6355, -55, 600 + 375 + 160, 375));
}

void TestBrowserChrome::resetLayout_data() {
    QTest::addColumn<BrowserWindowState>("state");
    QTest::addColumn<bool>("reset");
    QTest::newRow("normal") << BrowserWindowState::Normal << true;
    QTest::newRow("maximised") << BrowserWindowState::Maximized << false;
    QTest::newRow("minimised") << BrowserWindowState::Minimized << false;
}

void TestBrowserChrome::resetLayout() {
    QFETCH(bool, reset);
    QFETCH(BrowserWindowState, state);
    BrowserChrome& c = normalWindow();
    c.windowMoved(QPoint(300, 200));
    c.windowResized(QSize(10000, 9000));
    c.windowStateChanged(state);
    const QRect window = c.window();
    const QRect address = c.Text1;

    c.ResetLayout();
    if (!reset) {
        QCOMPARE(c.window(), window);
        QCOMPARE(c.Text1, address);
        return;
    }
    QCOMPARE(c.window(), QRect(1935, 960, 8100, 6465));
    QCOMPARE(c.Frame1.top(), 585);
    QCOMPARE(c.Frame1.height(), 6465 - 600);
    QCOMPARE(c.WebBrowser1.height(), 5745);
    QCOMPARE(c.Text1, QRect(2325, 5, 3600, 285));
}

void TestBrowserChrome::stateButtonsSwapAndKeepTheFlag() {
    BrowserChrome& c = normalWindow();
    c.restoreClicked();
    QVERIFY(c.Image7Visible);
    QVERIFY(!c.Image5Visible);
    QCOMPARE(c.Image7.left(), c.closebtn.left() - 260);
    QVERIFY(!m_flags.ScreenFilled);

    c.maximizeClicked();
    QCOMPARE(c.state(), BrowserWindowState::Maximized);
    QVERIFY(c.takeStateRequest());
    QVERIFY(m_flags.ScreenFilled);
    QVERIFY(!c.Image7Visible);
    QVERIFY(c.Image5Visible);
    QCOMPARE(c.Image5.left(), c.closebtn.left() - 260);

    // The menu changes the state and the flag, never the buttons.
    c.menuRestoreSize();
    QCOMPARE(c.state(), BrowserWindowState::Normal);
    QVERIFY(m_flags.ScreenFilled);
    QVERIFY(c.Image5Visible);
    c.menuMinimize();
    QCOMPARE(c.state(), BrowserWindowState::Minimized);
    QVERIFY(!m_flags.ScreenFilled);
    c.menuMaximize();
    QCOMPARE(c.state(), BrowserWindowState::Maximized);
    QVERIFY(!m_flags.ScreenFilled);
    QVERIFY(c.Image5Visible);
}

void TestBrowserChrome::gripSnapsTo910_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("snapped");
    QTest::addColumn<QPoint>("grip");
    QTest::newRow("900 high") << QSize(5000, 900) << QSize(5000, 910) << QPoint(4685, 685);
    QTest::newRow("short and narrow: height first") << QSize(600, 880) << QSize(600, 910) << QPoint(285, 685);
    QTest::newRow("900 wide") << QSize(900, 4000) << QSize(910, 4000) << QPoint(540, 3640);
}

void TestBrowserChrome::gripSnapsTo910() {
    QFETCH(QSize, snapped);
    QFETCH(QPoint, grip);
    QFETCH(QSize, size);
    BrowserChrome& c = normalWindow();
    c.windowResized(size);
    c.gripPressed();
    // Upward and leftward: the window would shrink, but it snaps to 910 instead.
    c.gripMoved(QPoint(0, 0));
    QCOMPARE(c.window().size(), snapped);
    QCOMPARE(c.Picture2.topLeft(), grip);
    QVERIFY(c.takeGeometryRequest());
}

void TestBrowserChrome::gripStepsBy40_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QSize>("change");
    // The grip is 315 x 540: its middle is 157.5 across, 270 down.
    QTest::newRow("exactly at half height shrinks") << QPoint(165, 270) << QSize(40, -40);
    QTest::newRow("just below half grows") << QPoint(165, 285) << QSize(40, 40);
    QTest::newRow("left of the middle narrows") << QPoint(150, 285) << QSize(-40, 40);
    QTest::newRow("top-left corner") << QPoint(0, 0) << QSize(-40, -40);
}

void TestBrowserChrome::gripStepsBy40() {
    QFETCH(QPoint, pointer);
    QFETCH(QSize, change);
    BrowserChrome& c = normalWindow();
    c.restoreClicked(); // shows the maximise button
    const QRect grip = c.Picture2;
    const QRect close = c.closebtn;
    const QRect frame = c.Frame1;
    c.gripPressed();
    c.gripMoved(pointer);
    QCOMPARE(c.window(), QRect(1935, 960, 8100 + change.width(), 6465 + change.height()));
    QCOMPARE(c.Picture2, grip.translated(change.width(), change.height()));
    // No layout while dragging: the close button and the frame wait for the release.
    QCOMPARE(c.closebtn, close);
    QCOMPARE(c.Frame1, frame);
    QCOMPARE(c.Image7.left(), close.left() - 260);
}

void TestBrowserChrome::gripDoesNothingWhenMaximisedOrNotPressed() {
    BrowserChrome& c = normalWindow();
    c.gripMoved(QPoint(300, 500));
    QCOMPARE(c.window().size(), QSize(8100, 6465));

    c.windowStateChanged(BrowserWindowState::Maximized);
    c.mouseMovedOverFrame();
    QVERIFY(!c.Picture2Visible);
    c.gripPressed();
    c.gripMoved(QPoint(300, 500));
    QCOMPARE(c.window().size(), QSize(8100, 6465));
    QVERIFY(!c.takeGeometryRequest());
}

void TestBrowserChrome::gripReleaseHidesAndLaysOut() {
    BrowserChrome& c = normalWindow();
    c.mouseMovedOverFrame();
    QVERIFY(c.Picture2Visible);
    c.gripPressed();
    c.gripMoved(QPoint(300, 500));
    c.gripMoved(QPoint(300, 500));
    c.gripReleased();
    QVERIFY(!m_flags.GripDragging);
    QVERIFY(!c.Picture2Visible);
    QCOMPARE(c.window().size(), QSize(8180, 6545));
    QCOMPARE(c.closebtn.left(), 8180 - 300);
    QCOMPARE(c.Frame1.height(), 6545 - 580);
    QCOMPARE(c.Picture2.topLeft(), QPoint(8180 - 315, 6545 - 360));
}

void TestBrowserChrome::timer2HidesTheGripEvery50Ticks() {
    BrowserChrome& c = normalWindow();
    for (int tick = 0; tick < 200; ++tick)
        c.Timer2Tick();
    QCOMPARE(m_flags.GripTicks, quint16(50));

    c.mouseMovedOverFrame();
    c.Timer2Tick();
    QVERIFY(!c.Picture2Visible);
    QCOMPARE(m_flags.GripTicks, quint16(0));

    // Shown again at once, it stays for 49 ticks and goes at the 50th.
    c.mouseMovedOverFrame();
    for (int tick = 1; tick < 50; ++tick) {
        c.Timer2Tick();
        QVERIFY2(c.Picture2Visible, qPrintable(QString::number(tick)));
    }
    c.Timer2Tick();
    QVERIFY(!c.Picture2Visible);

    // Never while it is being dragged.
    for (int tick = 0; tick < 60; ++tick)
        c.Timer2Tick();
    c.mouseMovedOverFrame();
    c.gripPressed();
    c.Timer2Tick();
    QVERIFY(c.Picture2Visible);
    QCOMPARE(m_flags.GripTicks, quint16(50));
}

void TestBrowserChrome::trayFitsItsLabel() {
    BrowserChrome& c = *m_chrome;
    c.ShowInTray(600);
    // The clock's label is placed in the strip by the tray label's measure.
    QCOMPARE(c.ClipStatLbl.left(), 600 + 375 + 60);
    QCOMPARE(c.Picture1.width(), 600 + 375 + 750 + 160);
    c.ClearTray(450);
    QCOMPARE(c.Picture1.width(), 450 + 375 + 60);
    QCOMPARE(c.ClipStatLbl.left(), 1035);
}

void TestBrowserChrome::loginAddress_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    QTest::newRow("https") << "https://bank.example/login"
                           << "https://bank.example/login";
    QTest::newRow("no scheme is http") << "bank.example/login"
                                       << "http://bank.example/login";
    QTest::newRow("dot at the second character") << "b.ex"
                                                 << "http://b.ex";
    QTest::newRow("no dot") << "localhost/login"
                            << "";
    QTest::newRow("only dot is the first character") << ".bank"
                                                     << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("file") << "file:///etc/hosts"
                          << "";
    QTest::newRow("local path") << "/home/user/page.html"
                                << "";
    QTest::newRow("javascript") << "javascript:alert(document.cookie)//.x"
                                << "";
    QTest::newRow("data") << "data:text/html,<b>x.y</b>"
                          << "";
}

void TestBrowserChrome::loginAddress() {
    QFETCH(QString, text);
    QFETCH(QString, address);
    const std::optional<QUrl> opened = loginPageAddress(text);
    QCOMPARE(opened ? opened->toString() : QString(), address);
}

QTEST_GUILESS_MAIN(TestBrowserChrome)
#include "tst_browser_chrome.moc"

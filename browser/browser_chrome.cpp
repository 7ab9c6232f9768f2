#include "browser/browser_chrome.h"

#include <utility>

namespace {

// A part cannot take a negative size: the step that asks for one fails.
bool setWidth(QRect& rect, int width) {
    if (width < 0)
        return false;
    rect.setWidth(width);
    return true;
}

bool setHeight(QRect& rect, int height) {
    if (height < 0)
        return false;
    rect.setHeight(height);
    return true;
}

void setLeft(QRect& rect, int left) {
    rect.moveLeft(left);
}

void setTop(QRect& rect, int top) {
    rect.moveTop(top);
}

} // namespace

BrowserChrome::BrowserChrome(BrowserFlags& flags)
    : m_flags(flags) {}

bool BrowserChrome::takeGeometryRequest() {
    return std::exchange(m_geometryRequested, false);
}

bool BrowserChrome::takeStateRequest() {
    return std::exchange(m_stateRequested, false);
}

void BrowserChrome::requestState(BrowserWindowState state) {
    m_state = state;
    m_stateRequested = true;
}

bool BrowserChrome::setWindowLeft(int left) {
    if (!movable())
        return false;
    m_window.moveLeft(left);
    m_geometryRequested = true;
    return true;
}

bool BrowserChrome::setWindowTop(int top) {
    if (!movable())
        return false;
    m_window.moveTop(top);
    m_geometryRequested = true;
    return true;
}

// A new size is a resize: the layout follows at once, as the window's resize handler would.
bool BrowserChrome::setWindowWidth(int width) {
    if (!movable() || width < 0)
        return false;
    m_window.setWidth(width);
    m_geometryRequested = true;
    LayOutBrowserWindow();
    return true;
}

bool BrowserChrome::setWindowHeight(int height) {
    if (!movable() || height < 0)
        return false;
    m_window.setHeight(height);
    m_geometryRequested = true;
    LayOutBrowserWindow();
    return true;
}

void BrowserChrome::windowResized(QSize size) {
    m_window.setSize(size);
    LayOutBrowserWindow();
}

void BrowserChrome::windowMoved(QPoint topLeft) {
    m_window.moveTopLeft(topLeft);
}

void BrowserChrome::LayOutBrowserWindow() {
    if (m_flags.GripDragging)
        return;
    // The window has no border: its inner size is its outer size.
    const int width = m_window.width();
    const int height = m_window.height();
    setWidth(PictureBar, width);
    if (setHeight(Frame1, height - 580))
        setHeight(WebBrowser1, Frame1.height() - 100);
    setWidth(Frame1, width);
    setWidth(WebBrowser1, Frame1.width() - 100);
    setTop(Picture2, height - 360);
    setLeft(Picture2, width - Picture2.width());
    setWidth(lblbar, width);
    setLeft(closebtn, width - 300);
    if (Image7Visible) {
        setLeft(Image7, closebtn.left() - Image7.width() - 20);
        setLeft(minBtn, Image7.left() - minBtn.width());
    } else {
        setLeft(Image5, closebtn.left() - Image5.width() - 20);
        setLeft(minBtn, Image5.left() - minBtn.width());
    }
    setTop(Picture1, PictureBar.top() - 340);
    setLeft(Picture1, Toolbar1.width() + Toolbar1.left() + 100);
    setWidth(Picture1, width);
    setWidth(Text1, minBtn.left() - Text1.left() - 400);
}

bool BrowserChrome::FillScreen() {
    m_flags.ScreenFilled = true;
    setTop(Picture1, PictureBar.top() - 340);
    if (!setWindowTop(0) || !setWindowLeft(0))
        return false;
    if (!setWindowHeight(m_screen.height() - 400) || !setWindowWidth(m_screen.width()))
        return false;
    if (!setHeight(Frame1, m_window.height() - 580) || !setHeight(WebBrowser1, Frame1.height() - 100))
        return false;
    setWidth(lblbar, m_window.width());
    clockRunning = false;
    setLeft(Image7, Image5.left());
    Image7Visible = true;
    Image5Visible = false;
    return true;
}

bool BrowserChrome::RestoreDefaultGeometry() {
    if (!setWindowLeft(1935) || !setWindowTop(960) || !setWindowHeight(6465) || !setWindowWidth(8100))
        return false;
    setTop(PictureBar, 285);
    setLeft(ClipStatLbl, 120);
    setTop(ClipStatLbl, 360);
    setLeft(minBtn, 7245);
    setLeft(Image5, 7485);
    Image5Visible = true;
    setLeft(closebtn, 7785);
    clockRunning = false;
    if (!setHeight(Frame1, m_window.height() - 580) || !setHeight(WebBrowser1, Frame1.height() - 100))
        return false;
    setTop(Picture1, PictureBar.top() - 340);
    setLeft(Picture1, Toolbar1.width() + Toolbar1.left() + 100);
    return setWidth(Picture1, Label2.width() + Label2.left() + 160);
}

void BrowserChrome::ResetLayout() {
    if (m_state == BrowserWindowState::Maximized || !RestoreDefaultGeometry())
        return;
    setTop(Frame1, 585);
    if (!setHeight(Frame1, m_window.height() - 600))
        return;
    setTop(PictureBar, 285);
    setHeight(WebBrowser1, 5745);
    setTop(Text1, 5);
    setLeft(Text1, 2325);
    setWidth(Text1, 3600);
}

void BrowserChrome::titleDoubleClicked() {
    Picture2Visible = false;
    if (m_flags.ScreenFilled) {
        // A maximised window refuses the default geometry; the flag flips all the same.
        RestoreDefaultGeometry();
        m_flags.ScreenFilled = false;
    } else {
        FillScreen();
    }
}

void BrowserChrome::minimizeClicked() {
    requestState(BrowserWindowState::Minimized);
}

void BrowserChrome::maximizeClicked() {
    m_flags.ScreenFilled = true;
    Image7Visible = false;
    Image5Visible = true;
    setLeft(Image5, closebtn.left() - Image5.width() - 20);
    requestState(BrowserWindowState::Maximized);
}

void BrowserChrome::restoreClicked() {
    Image7Visible = true;
    Image5Visible = false;
    setLeft(Image7, closebtn.left() - Image7.width() - 20);
    requestState(BrowserWindowState::Normal);
    m_flags.ScreenFilled = false;
}

void BrowserChrome::menuRestoreSize() {
    m_flags.ScreenFilled = true;
    requestState(BrowserWindowState::Normal);
}

void BrowserChrome::menuMinimize() {
    m_flags.ScreenFilled = false;
    minimizeClicked();
}

void BrowserChrome::menuMaximize() {
    requestState(BrowserWindowState::Maximized);
}

void BrowserChrome::toggleTray() {
    Picture1Visible = !Picture1Visible;
}

void BrowserChrome::mouseMovedOverFrame() {
    Picture2Visible = m_state != BrowserWindowState::Maximized;
}

void BrowserChrome::gripPressed() {
    m_flags.GripDragging = true;
}

void BrowserChrome::gripMoved(QPoint position) {
    if (!m_flags.GripDragging)
        return;
    if (m_window.height() <= 900) {
        if (setWindowHeight(910))
            setTop(Picture2, m_window.height() - 225);
        return;
    }
    if (m_window.width() <= 900) {
        if (setWindowWidth(910))
            setLeft(Picture2, m_window.width() - 370);
        return;
    }
    // Above or at the grip's middle shrinks, below it grows; the same across.
    const int dy = position.y() * 2 > Picture2.height() ? 40 : -40;
    if (!setWindowHeight(m_window.height() + dy))
        return;
    setTop(Picture2, Picture2.top() + dy);
    const int dx = position.x() * 2 > Picture2.width() ? 40 : -40;
    if (!setWindowWidth(m_window.width() + dx))
        return;
    setLeft(Picture2, Picture2.left() + dx);
    if (Image5Visible)
        setLeft(Image5, closebtn.left() - Image5.width() - 20);
    if (Image7Visible)
        setLeft(Image7, closebtn.left() - Image7.width() - 20);
}

void BrowserChrome::gripReleased() {
    Picture2Visible = false;
    m_flags.GripDragging = false;
    LayOutBrowserWindow();
}

void BrowserChrome::Timer2Tick() {
    if (m_flags.GripTicks < 50)
        ++m_flags.GripTicks;
    if (Picture2Visible && m_flags.GripTicks == 50 && !m_flags.GripDragging) {
        m_flags.GripTicks = 0;
        Picture2Visible = false;
    }
}

void BrowserChrome::ShowInTray(int label2Width) {
    Label2.setWidth(label2Width);
    // The clock's label lies in the strip, the tray's label in the tray: the left is taken as computed.
    setLeft(ClipStatLbl, Label2.width() + Label2.left() + 60);
    setWidth(Picture1, Label2.width() + Label2.left() + ClipStatLbl.width() + 160);
}

void BrowserChrome::ClearTray(int label2Width) {
    Label2.setWidth(label2Width);
    setWidth(Picture1, Label2.width() + Label2.left() + 60);
}

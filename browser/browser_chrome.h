#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

// The browser window's own flags. They belong to the window object, not to one opening of it: closing the
// window keeps them for the next time it opens.
struct BrowserFlags {
    bool ScreenFilled = false;
    bool GripDragging = false;
    quint16 GripTicks = 0;
};

enum class BrowserWindowState { Normal, Minimized, Maximized };

// Where the browser window's chrome lies and what is shown, in twips, with the rules that move it: the
// layout on resize, filling the screen, the default geometry, the title-bar buttons, the resize grip and
// the clipboard tray. The window applies the result to its widgets; here the rules run without a window.
//
// The window can only be moved or sized in the normal state: a routine that tries otherwise stops at that
// step, as does one that would give a part a negative size. The layout on resize skips such a step and
// goes on.
class BrowserChrome {
public:
    explicit BrowserChrome(BrowserFlags& flags);

    BrowserFlags& flags() { return m_flags; }
    const BrowserFlags& flags() const { return m_flags; }

    // The layout, on every resize of the window. Nothing while the grip is being dragged.
    void LayOutBrowserWindow();
    bool FillScreen();
    bool RestoreDefaultGeometry();
    // A click on the bare window surface or the browser's frame.
    void ResetLayout();
    // A double-click on the title bar, the title or the "Path:" label.
    void titleDoubleClicked();

    // The title-bar buttons and the menu.
    void minimizeClicked();
    void maximizeClicked();
    void restoreClicked();
    void menuRestoreSize();
    void menuMinimize();
    void menuMaximize();
    void toggleTray();

    // The resize grip. Positions are relative to the grip.
    void mouseMovedOverFrame();
    void gripPressed();
    void gripMoved(QPoint position);
    void gripReleased();
    void Timer2Tick();

    // The tray; the label's width is its text's, measured by the window.
    void ShowInTray(int label2Width);
    void ClearTray(int label2Width);
    void setTrayLabelWidth(int label2Width) { Label2.setWidth(label2Width); }

    // What the window is told by the system: its size after a resize, its position after a move, its state.
    void windowResized(QSize size);
    void windowMoved(QPoint topLeft);
    void windowStateChanged(BrowserWindowState state) { m_state = state; }
    void setScreen(QSize screen) { m_screen = screen; }

    // The window's geometry and state as the rules want them, and whether a rule changed them since the
    // window last applied them.
    const QRect& window() const { return m_window; }
    BrowserWindowState state() const { return m_state; }
    bool takeGeometryRequest();
    bool takeStateRequest();

    // The chrome, relative to the window unless a container is named.
    QRect lblbar{-15, 0, 8070, 315};
    QRect Label1{435, 45, 1110, 195};
    QRect Image2{0, 0, 345, 300};
    QRect Image4{1540, 0, 300, 300};
    QRect Label3{1800, 40, 465, 195};
    QRect Text1{2325, 5, 4535, 285};
    QRect minBtn{7260, 30, 240, 210};
    QRect Image7{7005, 30, 240, 210};
    QRect Image5{7515, 30, 240, 210};
    QRect closebtn{7785, 30, 240, 210};
    QRect PictureBar{360, 285, 8070, 315};
    QRect Toolbar1{1500, -60, 4755, 450}; // in PictureBar
    QRect ClipStatLbl{330, 60, 750, 195}; // in PictureBar
    QRect Picture1{5775, -45, 1890, 375}; // in PictureBar
    QRect Image3{0, 75, 480, 480};        // in Picture1
    QRect Label2{375, 60, 615, 255};      // in Picture1
    QRect Frame1{0, 600, 8070, 5855};
    QRect WebBrowser1{45, 45, 7970, 5755}; // in Frame1
    QRect Picture2{7755, 6075, 315, 540};

    bool Image7Visible = false;
    bool Image5Visible = true;
    bool Picture2Visible = false;
    bool Picture1Visible = true;
    bool clockRunning = true;

    // The size the window has when it is not maximised, before anyone moved or sized it.
    static constexpr QRect DesignGeometry{1950, 975, 8070, 6435};

private:
    bool setWindowLeft(int left);
    bool setWindowTop(int top);
    bool setWindowWidth(int width);
    bool setWindowHeight(int height);
    bool movable() const { return m_state == BrowserWindowState::Normal; }
    void requestState(BrowserWindowState state);

    BrowserFlags& m_flags;
    QRect m_window = DesignGeometry;
    BrowserWindowState m_state = BrowserWindowState::Maximized;
    QSize m_screen{15360, 11520};
    bool m_geometryRequested = false;
    bool m_stateRequested = false;
};

#pragma once

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

// The pieces of the browser window's own chrome.

// A title-bar label: pressing and dragging moves the window, a double-click toggles its size.
class TitleLabel final : public QLabel {
    Q_OBJECT

public:
    explicit TitleLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void dragStarted();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint m_pressedAt;
    bool m_pressed = false;
};

// A picture that acts when clicked: the title-bar buttons, the menu picture, the tray's clear picture.
// Its accessible name is its tooltip.
class ImageButton final : public QAbstractButton {
    Q_OBJECT

public:
    enum class Hover { Light, Danger };
    ImageButton(const QIcon& icon, const QString& toolTip, Hover hover, QWidget* parent = nullptr);

    // Where the picture sits when the button is taller than the part of it that shows.
    void setIconTop(int top) { m_iconTop = top; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Hover m_hover;
    bool m_under = false;
    int m_iconTop = -1;
};

// The address box: read-only; a click selects the whole address so that it can be copied.
class AddressBox final : public QLineEdit {
    Q_OBJECT

public:
    explicit AddressBox(QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The frame around the page. It tells when the mouse moves over or clicks its own border.
class BrowserFrame final : public QFrame {
    Q_OBJECT

public:
    explicit BrowserFrame(QWidget* parent = nullptr);

Q_SIGNALS:
    void borderHovered();
    void borderClicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The resize grip in the window's bottom-right corner. Positions are in pixels, relative to the grip.
class ResizeGrip final : public QWidget {
    Q_OBJECT

public:
    explicit ResizeGrip(QWidget* parent = nullptr);

Q_SIGNALS:
    void pressed();
    void moved(QPoint position);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

#include "browser/chrome_widgets.h"

#include "browser/browser_icons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

TitleLabel::TitleLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {}

void TitleLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressedAt = event->position().toPoint();
    }
    event->accept();
}

// The move starts once the pointer has really moved with the button held, so that a double-click still
// reaches the label.
void TitleLabel::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_pressed = false;
        Q_EMIT dragStarted();
    }
    event->accept();
}

void TitleLabel::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = false;
    event->accept();
}

void TitleLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pressed = false;
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    event->accept();
}

ImageButton::ImageButton(const QIcon& icon, const QString& toolTip, Hover hover, QWidget* parent)
    : QAbstractButton(parent)
    , m_hover(hover) {
    setIcon(icon);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_under || isDown()) {
        const QColor wash =
            m_hover == Hover::Danger ? QColor(0xe8, 0x11, 0x23) : QColor(255, 255, 255, isDown() ? 90 : 55);
        painter.fillRect(rect(), wash);
    }
    const int side = qMin(iconSize().width(), qMin(width(), height()));
    const int top = m_iconTop >= 0 ? m_iconTop : (height() - side) / 2;
    const QRect target((width() - side) / 2, top, side, side);
    icon().paint(&painter, target, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

void ImageButton::enterEvent(QEnterEvent* event) {
    m_under = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
    m_under = false;
    update();
    QAbstractButton::leaveEvent(event);
}

AddressBox::AddressBox(QWidget* parent)
    : QLineEdit(parent) {
    setReadOnly(true);
}

void AddressBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        selectAll();
}

BrowserFrame::BrowserFrame(QWidget* parent)
    : QFrame(parent) {
    setMouseTracking(true);
}

void BrowserFrame::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT borderHovered();
    QFrame::mouseMoveEvent(event);
}

void BrowserFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT borderClicked();
    event->accept();
}

ResizeGrip::ResizeGrip(QWidget* parent)
    : QWidget(parent) {
    setAutoFillBackground(true);
    setCursor(Qt::SizeFDiagCursor);
}

void ResizeGrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Only the grip's top lies inside the window: the picture sits there.
    const int side = qMin(width(), 20);
    BrowserIcons::titleIcon(BrowserIcons::Glyph::Grip, Qt::white)
        .paint(&painter, QRect((width() - side) / 2, 2, side, side));
}

void ResizeGrip::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed();
    event->accept();
}

void ResizeGrip::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT moved(event->position().toPoint());
    event->accept();
}

void ResizeGrip::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT released();
    event->accept();
}

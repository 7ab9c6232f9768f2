#include "app/caption_label.h"

#include <QMouseEvent>

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

void CaptionLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

void CaptionLabel::enterEvent(QEnterEvent* event) {
    Q_EMIT hovered();
    QLabel::enterEvent(event);
}

AreaFrame::AreaFrame(QWidget* parent)
    : QFrame(parent) {
    setMouseTracking(true);
}

void AreaFrame::mouseMoveEvent(QMouseEvent* event) {
    if (!childAt(event->position().toPoint()))
        Q_EMIT backgroundHovered();
    QFrame::mouseMoveEvent(event);
}

void AreaFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        Q_EMIT backgroundClicked();
    QFrame::mouseReleaseEvent(event);
}

#pragma once

#include <QLabel>

// A caption or picture that answers the mouse: click, double click and the mouse coming over it.
class CaptionLabel final : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void hovered();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
};

// A frame that tells when the mouse moves over its own background or it is clicked there.
class AreaFrame final : public QFrame {
    Q_OBJECT

public:
    explicit AreaFrame(QWidget* parent = nullptr);

Q_SIGNALS:
    void backgroundHovered();
    void backgroundClicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

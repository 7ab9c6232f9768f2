#include "browser/browser_icons.h"

#include <functional>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace BrowserIcons {

namespace {

using Painter = std::function<void(QPainter&, const QColor&)>;

// Paints a glyph designed on a 24 x 24 grid at whatever size and scale is asked for.
class DrawnIcon final : public QIconEngine {
public:
    DrawnIcon(Painter paint, QColor ink, bool fixedInk)
        : m_paint(std::move(paint))
        , m_ink(std::move(ink))
        , m_fixedInk(fixedInk) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const qreal side = qMin(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        m_paint(*painter, mode == QIcon::Disabled && !m_fixedInk ? QColor(0x70, 0x70, 0x70) : m_ink);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnIcon(m_paint, m_ink, m_fixedInk); }

private:
    Painter m_paint;
    QColor m_ink;
    bool m_fixedInk;
};

QPen line(const QColor& ink, qreal width) {
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void arrow(QPainter& p, const QColor& ink, bool left) {
    p.setPen(line(ink, 2.6));
    p.setBrush(Qt::NoBrush);
    const qreal tip = left ? 4.5 : 19.5;
    const qreal back = left ? 11.5 : 12.5;
    p.drawLine(QPointF(left ? 5 : 19, 12), QPointF(left ? 19.5 : 4.5, 12));
    QPainterPath head;
    head.moveTo(back, 5);
    head.lineTo(tip, 12);
    head.lineTo(back, 19);
    p.drawPath(head);
}

void refresh(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 4.5, 15, 15), 60 * 16, 270 * 16);
    QPainterPath head;
    head.moveTo(19.5, 3.5);
    head.lineTo(19.2, 9.4);
    head.lineTo(13.4, 8.6);
    p.drawPath(head);
}

void stop(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    QPainterPath octagon;
    const qreal a = 7.0, b = 17.0, lo = 2.5, hi = 21.5;
    octagon.moveTo(a, lo);
    octagon.lineTo(b, lo);
    octagon.lineTo(hi, a);
    octagon.lineTo(hi, b);
    octagon.lineTo(b, hi);
    octagon.lineTo(a, hi);
    octagon.lineTo(lo, b);
    octagon.lineTo(lo, a);
    octagon.closeSubpath();
    p.drawPath(octagon);
    p.setPen(line(Qt::white, 2.4));
    p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
}

void user(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(7.5, 2.5, 9, 9));
    QPainterPath body;
    body.moveTo(3, 21.5);
    body.cubicTo(3, 15, 7, 13, 12, 13);
    body.cubicTo(17, 13, 21, 15, 21, 21.5);
    body.closeSubpath();
    p.drawPath(body);
}

void key(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2.5, 7, 9, 9));
    p.drawLine(QPointF(11.5, 11.5), QPointF(21, 11.5));
    p.drawLine(QPointF(17.5, 11.5), QPointF(17.5, 15.5));
    p.drawLine(QPointF(20.5, 11.5), QPointF(20.5, 14.5));
}

void trash(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(3.5, 6), QPointF(20.5, 6));
    p.drawLine(QPointF(9.5, 6), QPointF(10, 3));
    p.drawLine(QPointF(10, 3), QPointF(14, 3));
    p.drawLine(QPointF(14, 3), QPointF(14.5, 6));
    QPainterPath can;
    can.moveTo(5.5, 6);
    can.lineTo(7, 21);
    can.lineTo(17, 21);
    can.lineTo(18.5, 6);
    p.drawPath(can);
    p.drawLine(QPointF(10, 10), QPointF(10.3, 17));
    p.drawLine(QPointF(14, 10), QPointF(13.7, 17));
}

void mainWindow(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 1.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 3.5, 19, 17), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(2.5, 3.5, 19, 4.5));
    p.setPen(line(ink, 1.6));
    for (qreal y : {11.5, 14.5, 17.5})
        p.drawLine(QPointF(6, y), QPointF(18, y));
}

void menu(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.4));
    for (qreal y : {6.0, 12.0, 18.0})
        p.drawLine(QPointF(4, y), QPointF(20, y));
}

void minimize(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.0));
    p.drawLine(QPointF(5, 17), QPointF(19, 17));
}

void maximize(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5, 5, 14, 13));
    p.drawLine(QPointF(5, 7), QPointF(19, 7));
}

void restore(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath behind;
    behind.moveTo(8, 7);
    behind.lineTo(8, 3.5);
    behind.lineTo(20.5, 3.5);
    behind.lineTo(20.5, 15);
    behind.lineTo(17, 15);
    p.drawPath(behind);
    p.drawRect(QRectF(3.5, 8, 13, 12));
}

void close(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.2));
    p.drawLine(QPointF(5.5, 5.5), QPointF(18.5, 18.5));
    p.drawLine(QPointF(18.5, 5.5), QPointF(5.5, 18.5));
}

void padlock(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 2.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(7.5, 11);
    shackle.lineTo(7.5, 7.5);
    shackle.arcTo(QRectF(7.5, 3, 9, 9), 180, -180);
    shackle.lineTo(16.5, 11);
    p.drawPath(shackle);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(4.5, 10.5, 15, 11), 2, 2);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(QRectF(10.5, 13.5, 3, 3));
    p.drawRect(QRectF(11.3, 15.5, 1.4, 3));
}

void clearClipboard(QPainter& p, const QColor& ink) {
    p.setPen(line(ink, 1.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 4, 16, 18), 2, 2);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(8.5, 2, 7, 4), 1, 1);
    p.setPen(line(QColor(0xc6, 0x28, 0x28), 2.2));
    p.drawLine(QPointF(9, 11), QPointF(15, 17));
    p.drawLine(QPointF(15, 11), QPointF(9, 17));
}

void grip(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (int row = 0; row < 3; ++row) {
        for (int col = 2 - row; col < 3; ++col)
            p.drawEllipse(QRectF(6 + col * 5, 6 + row * 5, 2.6, 2.6));
    }
}

Painter painterFor(Glyph glyph) {
    switch (glyph) {
    case Glyph::Back:
        return [](QPainter& p, const QColor& ink) { arrow(p, ink, true); };
    case Glyph::Forward:
        return [](QPainter& p, const QColor& ink) { arrow(p, ink, false); };
    case Glyph::Refresh:
        return refresh;
    case Glyph::Stop:
        return stop;
    case Glyph::User:
        return user;
    case Glyph::Password:
        return key;
    case Glyph::Trash:
        return trash;
    case Glyph::MainWindow:
        return mainWindow;
    case Glyph::Menu:
        return menu;
    case Glyph::Minimize:
        return minimize;
    case Glyph::Maximize:
        return maximize;
    case Glyph::Restore:
        return restore;
    case Glyph::Close:
        return close;
    case Glyph::Padlock:
        return padlock;
    case Glyph::ClearClipboard:
        return clearClipboard;
    case Glyph::Grip:
        return grip;
    }
    return {};
}

QColor colourOf(Glyph glyph) {
    switch (glyph) {
    case Glyph::Back:
    case Glyph::Forward:
        return QColor(0x1e, 0x6f, 0xd9);
    case Glyph::Refresh:
        return QColor(0x2e, 0x7d, 0x32);
    case Glyph::Stop:
        return QColor(0xc6, 0x28, 0x28);
    case Glyph::User:
        return QColor(0x45, 0x5a, 0x64);
    case Glyph::Password:
        return QColor(0xb0, 0x7d, 0x10);
    case Glyph::Padlock:
        return QColor(0xf2, 0xc0, 0x3a);
    default:
        return QColor(0x45, 0x5a, 0x64);
    }
}

} // namespace

QIcon icon(Glyph glyph) {
    return QIcon(new DrawnIcon(painterFor(glyph), colourOf(glyph), false));
}

QIcon titleIcon(Glyph glyph, const QColor& ink) {
    return QIcon(new DrawnIcon(painterFor(glyph), ink, true));
}

} // namespace BrowserIcons

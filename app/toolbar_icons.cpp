#include "app/toolbar_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace ToolbarIcons {

namespace {

const QColor Ink(0x1d, 0x4e, 0x89);
const QColor Accent(0xf2, 0xa9, 0x1e);
const QColor Danger(0xc0, 0x39, 0x2b);
const QColor Paper(0xfa, 0xfa, 0xf7);

void draw(QPainter& p, Picture picture, bool disabled) {
    p.setRenderHint(QPainter::Antialiasing);
    const auto pen = [&](const QColor& c, qreal w) {
        p.setPen(QPen(disabled ? QColor(0x9a, 0x9a, 0x9a) : c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    };
    const auto brush = [&](const QColor& c) { p.setBrush(disabled ? QColor(0xdd, 0xdd, 0xdd) : c); };
    switch (picture) {
    case Picture::Add:
        pen(Ink, 1.5);
        brush(Paper);
        p.drawRoundedRect(QRectF(3, 2, 14, 19), 2, 2);
        pen(Ink, 1.2);
        for (int y : {7, 11, 15})
            p.drawLine(QPointF(6, y), QPointF(13, y));
        pen(Accent, 3);
        p.drawLine(QPointF(18, 12), QPointF(18, 22));
        p.drawLine(QPointF(13, 17), QPointF(23, 17));
        break;
    case Picture::Store:
        pen(Ink, 1.5);
        brush(Ink);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        pen(Ink, 1);
        brush(Paper);
        p.drawRect(QRectF(7, 3.5, 10, 7));
        brush(Accent);
        p.drawRect(QRectF(6, 14, 12, 7));
        break;
    case Picture::Remove:
        pen(Danger, 1.5);
        brush(Paper);
        p.drawRoundedRect(QRectF(5, 6, 14, 16), 2, 2);
        p.drawLine(QPointF(3, 5), QPointF(21, 5));
        p.drawLine(QPointF(9, 2.5), QPointF(15, 2.5));
        for (qreal x : {9.0, 12.0, 15.0})
            p.drawLine(QPointF(x, 9), QPointF(x, 19));
        break;
    case Picture::Config: {
        pen(Ink, 1.5);
        brush(Paper);
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(12, 12);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.8, -10, 3.6, 4));
            p.restore();
        }
        p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
        brush(Accent);
        p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        break;
    }
    case Picture::Window:
        pen(Ink, 1.5);
        brush(Paper);
        p.drawRoundedRect(QRectF(3, 4, 18, 16), 2, 2);
        brush(Ink);
        p.drawRect(QRectF(3, 4, 18, 4));
        pen(Accent, 2);
        p.drawLine(QPointF(7, 16), QPointF(12, 11));
        p.drawLine(QPointF(12, 11), QPointF(17, 16));
        break;
    case Picture::Report:
        pen(Ink, 1.5);
        brush(Paper);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setPen(Qt::NoPen);
        brush(Ink);
        p.drawRect(QRectF(6, 12, 3, 6));
        brush(Accent);
        p.drawRect(QRectF(10.5, 8, 3, 10));
        brush(Ink);
        p.drawRect(QRectF(15, 6, 3, 12));
        break;
    case Picture::Help: {
        pen(Ink, 1.5);
        brush(Ink);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        QFont font;
        font.setPixelSize(14);
        font.setBold(true);
        p.setFont(font);
        p.setPen(disabled ? QColor(0xdd, 0xdd, 0xdd) : Paper);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Picture::Quit:
        pen(Danger, 1.5);
        brush(Paper);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        pen(Danger, 2.5);
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
        break;
    case Picture::OpenUrl:
        pen(Ink, 1.5);
        brush(Paper);
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 4, 9);
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        break;
    }
}

class DrawnIcon final : public QIconEngine {
public:
    explicit DrawnIcon(Picture picture)
        : m_picture(picture) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 24.0, rect.height() / 24.0);
        draw(*painter, m_picture, mode == QIcon::Disabled);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new DrawnIcon(m_picture); }

private:
    Picture m_picture;
};

} // namespace

QIcon icon(Picture picture) {
    return QIcon(new DrawnIcon(picture));
}

} // namespace ToolbarIcons

#include "store/date_text.h"

#include <algorithm>
#include <array>
#include <QList>

namespace {

struct Order {
    std::array<char16_t, 3> parts{u'M', u'd', u'y'};
    bool padDay = false;
    bool padMonth = false;
};

Order orderOf(const QLocale& locale) {
    const QString form = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype d = form.indexOf(u'd');
    const qsizetype m = form.indexOf(u'M');
    const qsizetype y = form.indexOf(u'y');
    Order order;
    if (d < 0 || m < 0 || y < 0 || form.contains(QStringLiteral("MMM")))
        return order; // no numeric month: month/day/year
    QList<std::pair<qsizetype, char16_t>> positions = {{d, u'd'}, {m, u'M'}, {y, u'y'}};
    std::sort(positions.begin(), positions.end());
    for (int i = 0; i < 3; ++i)
        order.parts[size_t(i)] = positions[i].second;
    order.padDay = form.contains(QStringLiteral("dd"));
    order.padMonth = form.contains(QStringLiteral("MM"));
    return order;
}

} // namespace

namespace DateText {

std::array<char16_t, 3> partOrder(const QLocale& locale) {
    return orderOf(locale).parts;
}

QString displayFormat(const QLocale& locale) {
    const Order order = orderOf(locale);
    QString form;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            form += u'/';
        switch (order.parts[size_t(i)]) {
        case u'd':
            form += order.padDay ? QStringLiteral("dd") : QStringLiteral("d");
            break;
        case u'M':
            form += order.padMonth ? QStringLiteral("MM") : QStringLiteral("M");
            break;
        default:
            form += QStringLiteral("yyyy");
            break;
        }
    }
    return form;
}

QString format(const QDate& date, const QLocale& locale) {
    const Order order = orderOf(locale);
    QString text;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            text += u'/';
        switch (order.parts[size_t(i)]) {
        case u'd':
            text += QString::number(date.day()).rightJustified(order.padDay ? 2 : 1, u'0');
            break;
        case u'M':
            text += QString::number(date.month()).rightJustified(order.padMonth ? 2 : 1, u'0');
            break;
        default:
            text += QString::number(date.year()).rightJustified(4, u'0');
            break;
        }
    }
    return text;
}

QDate parse(QStringView text, const QLocale& locale) {
    const auto parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return {};
    const Order order = orderOf(locale);
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok);
        if (!ok || parts[i].isEmpty())
            return {};
        switch (order.parts[size_t(i)]) {
        case u'd':
            day = value;
            break;
        case u'M':
            month = value;
            break;
        default:
            year = value;
            break;
        }
    }
    return QDate(year, month, day);
}

} // namespace DateText

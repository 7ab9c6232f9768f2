#include "app/entry_rules.h"

#include "store/creditor_list.h"

namespace EntryRules {

QString properCaseName(const QString& text) {
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isSpace()) {
            wordStart = true;
            continue;
        }
        if (wordStart)
            c = c.toUpper();
        wordStart = false;
    }
    if (result.size() == 3)
        result = result.toUpper();
    return result;
}

std::optional<QString> formatAmount(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed.at(i) == u'-' || trimmed.at(i) == u'+')) {
        negative = trimmed.at(i) == u'-';
        ++i;
    }
    QString whole, fraction;
    bool point = false;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            (point ? fraction : whole) += c;
        } else {
            return std::nullopt;
        }
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    // Round on the digits themselves, so no binary fraction creeps into a stored amount.
    QString digits = (whole.isEmpty() ? QStringLiteral("0") : whole) + QString(fraction + u"00").left(2);
    const bool roundUp = fraction.size() > 2 && fraction.at(2) >= u'5';
    if (roundUp) {
        qsizetype k = digits.size() - 1;
        while (k >= 0 && digits.at(k) == u'9') {
            digits[k] = u'0';
            --k;
        }
        if (k < 0)
            digits.prepend(u'1');
        else
            digits[k] = QChar(digits.at(k).unicode() + 1);
    }
    while (digits.size() > 3 && digits.at(0) == u'0')
        digits.remove(0, 1);
    const bool zero = digits.count(u'0') == digits.size();
    QString result = digits.left(digits.size() - 2) + u'.' + digits.right(2);
    if (negative && !zero)
        result.prepend(u'-');
    return result;
}

Amount normaliseAmount(const QString& text) {
    Amount amount;
    amount.text = text;
    const qsizetype comma = amount.text.indexOf(u',');
    if (comma >= 0)
        amount.text[comma] = u'.';
    if (const std::optional<QString> formatted = formatAmount(amount.text))
        amount.text = *formatted;
    if (amount.text == u"0.00" || amount.text == u".") {
        amount.text = QStringLiteral("0.00");
        amount.askZero = true;
        return amount;
    }
    amount.notNumber = !formatAmount(amount.text).has_value();
    return amount;
}

std::optional<QString> completeFirstLetter(const QStringList& names, int key) {
    for (const QString& name : names) {
        if (!name.isEmpty() && name.at(0).unicode() == key)
            return name;
    }
    return std::nullopt;
}

std::optional<Details> creditorDetails(const QStringList& entries, const QString& name) {
    std::optional<Details> found;
    for (const QString& plain : entries) {
        if (creditorName(plain) != name || name.isEmpty())
            continue;
        const CreditorEntry entry = CreditorEntry::fromPlain(plain);
        const auto shown = [](const QString& field) { return field == u" " ? QString() : field; };
        found = Details{entry.loginUrl, shown(entry.userName), shown(entry.password)};
    }
    return found;
}

} // namespace EntryRules

#include "app/web_address.h"

#include <QRegularExpression>

std::optional<QUrl> webAddress(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QString candidate = trimmed;
    if (!trimmed.contains(QStringLiteral("://"))) {
        // "mailto:x", "javascript:x", "C:\x": a scheme of its own. "bank.example:8080/login" is a host and port.
        static const QRegularExpression otherScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?![0-9])"));
        if (otherScheme.match(trimmed).hasMatch())
            return std::nullopt;
        candidate = QStringLiteral("http://") + trimmed;
    }
    const QUrl url(candidate, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return std::nullopt;
    return url;
}

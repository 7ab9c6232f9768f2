#include "browser/login_address.h"

#include "app/web_address.h"

std::optional<QUrl> loginPageAddress(const QString& text) {
    if (text.indexOf(QLatin1Char('.'), 1) < 0)
        return std::nullopt;
    return webAddress(text);
}

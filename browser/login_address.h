#pragma once

#include <optional>
#include <QString>
#include <QUrl>

// The address the browser opens for the text of the main window's Login URL box: nothing unless the text
// holds a "." after its first character, and only a web address (no scheme means http).
std::optional<QUrl> loginPageAddress(const QString& text);

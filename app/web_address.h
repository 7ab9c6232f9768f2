#pragma once

#include <optional>
#include <QString>
#include <QUrl>

// A creditor's login address is data from a file, never a command: only web addresses are opened. An
// address without a scheme is taken as http, as a browser's address bar does; any other scheme (a file, a
// program, javascript:, data:) gives no address.
std::optional<QUrl> webAddress(const QString& text);

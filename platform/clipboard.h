#pragma once

#include <QString>

// The system clipboard, text only. A secret (a user name or password) is marked so that clipboard managers
// and clipboard history leave it out.
namespace Clipboard {

void clear();
void putText(const QString& text, bool secret = false);
QString text();
bool isMarkedSecret();

} // namespace Clipboard

#pragma once

#include <QUrl>

// Hands a document or an address to the desktop, as the system's "open" does.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QUrl& url) = 0;
};

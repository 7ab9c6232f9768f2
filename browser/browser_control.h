#pragma once

#include <functional>
#include <memory>
#include <QObject>
#include <QUrl>

class QWidget;

// The embedded browser as the browser window sees it: the few operations it uses, and the one notification
// it listens to. The window never touches the web engine directly, so its tests can stand a plain widget in.
class BrowserControl : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The widget that shows the page; the window places it inside its frame.
    virtual QWidget* widget() = 0;

    virtual void Navigate(const QUrl& url) = 0;
    // Back and forward with no page in that direction do nothing.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    // True from a navigation's request until its page has finished loading, failed or been stopped.
    virtual bool Busy() const = 0;

Q_SIGNALS:
    // Non-zero for a page that came over https with a certificate the engine accepted, 0 for any other.
    void SetSecureLockIcon(int level);
};

using BrowserControlFactory = std::function<std::unique_ptr<BrowserControl>(QWidget* parent)>;

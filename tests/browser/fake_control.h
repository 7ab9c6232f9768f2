#pragma once

#include "browser/browser_control.h"

#include <QStringList>
#include <QWidget>

// A stand-in for the embedded browser: a plain widget that records what it was asked to do.
class FakeControl final : public BrowserControl {
public:
    explicit FakeControl(QWidget* parent)
        : m_widget(new QWidget(parent)) {
        m_widget->setObjectName(QStringLiteral("WebBrowser1"));
    }

    QWidget* widget() override { return m_widget; }
    void Navigate(const QUrl& url) override { calls.append(QStringLiteral("navigate ") + url.toString()); }
    void GoBack() override { calls.append(QStringLiteral("back")); }
    void GoForward() override { calls.append(QStringLiteral("forward")); }
    void Stop() override {
        calls.append(QStringLiteral("stop"));
        busy = false;
    }
    bool Busy() const override { return busy; }
    void reportSecurity(int level) { Q_EMIT SetSecureLockIcon(level); }

    QStringList calls;
    bool busy = false;

private:
    QWidget* m_widget;
};

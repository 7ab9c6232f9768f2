#pragma once

#include "browser/browser_control.h"

class QWebEngineView;

// The embedded browser on the web engine. Creating one starts the engine: the browser window does so only
// when it is first opened, so that the program starts without it.
class WebEngineControl final : public BrowserControl {
    Q_OBJECT

public:
    explicit WebEngineControl(QWidget* parent);
    ~WebEngineControl() override;

    QWidget* widget() override;
    void Navigate(const QUrl& url) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    bool Busy() const override;

private:
    QWebEngineView* m_view;
    // Between a navigation's request and the engine's report that its load started, the engine does not
    // count as loading yet; the browser does.
    bool m_requested = false;
    bool m_certificateRefused = false;
};

std::unique_ptr<BrowserControl> makeWebEngineControl(QWidget* parent);

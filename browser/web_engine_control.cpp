#include "browser/web_engine_control.h"

#include <QWebEngineCertificateError>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// A login page may open its links in a new window; this browser has one window, so they open in it.
class LoginWebView final : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

} // namespace

WebEngineControl::WebEngineControl(QWidget* parent)
    : m_view(new LoginWebView(parent)) {
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    m_view->setAccessibleName(QStringLiteral("Web page"));
    QWebEnginePage* page = m_view->page();
    // A certificate the engine refuses is never accepted here: the page fails and shows no padlock.
    connect(page, &QWebEnginePage::certificateError, this,
            [this](const QWebEngineCertificateError&) { m_certificateRefused = true; });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        const bool secureScheme = info.url().scheme() == u"https";
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            m_requested = false;
            m_certificateRefused = false;
            if (!secureScheme)
                Q_EMIT SetSecureLockIcon(0);
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            Q_EMIT SetSecureLockIcon(secureScheme && !m_certificateRefused ? 1 : 0);
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
        case QWebEngineLoadingInfo::LoadFailedStatus:
            Q_EMIT SetSecureLockIcon(0);
            break;
        }
    });
}

WebEngineControl::~WebEngineControl() = default;

QWidget* WebEngineControl::widget() {
    return m_view;
}

void WebEngineControl::Navigate(const QUrl& url) {
    m_view->setUrl(url);
    m_requested = true;
}

void WebEngineControl::GoBack() {
    if (m_view->history()->canGoBack())
        m_view->back();
}

void WebEngineControl::GoForward() {
    if (m_view->history()->canGoForward())
        m_view->forward();
}

void WebEngineControl::Stop() {
    m_requested = false;
    m_view->stop();
}

bool WebEngineControl::Busy() const {
    return m_requested || m_view->page()->isLoading();
}

std::unique_ptr<BrowserControl> makeWebEngineControl(QWidget* parent) {
    return std::make_unique<WebEngineControl>(parent);
}

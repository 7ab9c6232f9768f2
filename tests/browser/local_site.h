#pragma once

#include <memory>
#include <QHttpServer>
#include <QStringList>
#include <QUrl>

class QHttpServerResponder;

// Login pages served on 127.0.0.1, never from the internet: "/a" and "/b" (two creditors' pages, each with a
// link to "/next"), "/next", and "/slow", whose answer waits until the test releases it. With `secure`, the
// site speaks https with a self-signed certificate.
class LocalSite final {
public:
    explicit LocalSite(bool secure = false);
    ~LocalSite();

    bool listening() const { return m_port != 0; }
    QUrl url(const QString& path) const;
    // The address as a user types it into the Login URL box: no scheme.
    QString typed(const QString& path) const;
    void releaseSlow();
    // The paths asked for, in order; the browser's own favicon requests are left out.
    const QStringList& requests() const { return m_requests; }

private:
    QHttpServer m_server;
    bool m_secure;
    quint16 m_port = 0;
    QStringList m_requests;
    std::unique_ptr<QHttpServerResponder> m_slow;
};

#include "local_site.h"

#include <QFile>
#include <QHttpServerResponder>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>

namespace {

QByteArray page(const QString& title) {
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%1</title></head><body>"
                          "<h1>%1</h1><form><label>User <input name='user'></label>"
                          "<label>Password <input name='pass' type='password'></label></form>"
                          "<a id='next' href='/next'>next</a></body></html>")
        .arg(title)
        .toUtf8();
}

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(QUORVANE_BROWSER_FIXTURES "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LocalSite::LocalSite(bool secure)
    : m_secure(secure) {
    for (const char* name : {"a", "b", "next"}) {
        const QString path = u'/' + QLatin1String(name);
        m_server.route(path, [this, path, title = QStringLiteral("Page %1").arg(QLatin1String(name))] {
            m_requests.append(path);
            return QHttpServerResponse("text/html", page(title));
        });
    }
    m_server.route(QStringLiteral("/slow"), [this](const QHttpServerRequest&, QHttpServerResponder&& responder) {
        m_requests.append(QStringLiteral("/slow"));
        m_slow = std::make_unique<QHttpServerResponder>(std::move(responder));
    });
    if (m_secure) {
        if (!QSslSocket::supportsSsl())
            return;
        m_server.sslSetup(QSslCertificate(fixture("local_site.crt")), QSslKey(fixture("local_site.key"), QSsl::Rsa));
    }
    m_port = m_server.listen(QHostAddress::LocalHost, 0);
}

LocalSite::~LocalSite() = default;

QUrl LocalSite::url(const QString& path) const {
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_secure ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(m_port)
                    .arg(path));
}

QString LocalSite::typed(const QString& path) const {
    return QStringLiteral("127.0.0.1:%1%2").arg(m_port).arg(path);
}

void LocalSite::releaseSlow() {
    if (!m_slow)
        return;
    m_slow->write(page(QStringLiteral("Slow page")), "text/html");
    m_slow.reset();
}

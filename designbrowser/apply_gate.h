// Where the site's apply form lands. Its address belongs to no server: the
// gate sees the browser's request for exactly that address and redirects it,
// body and all, to a one-time address on our own loopback server, which
// answers "204 No Content" so the page stays as it was, and hands the body on.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

namespace vesweb {

class LoopbackServer;

// The apply address of the site's forms: ".invalid" never names a server.
inline const QString kApplyUrl = QStringLiteral("http://apply.vespera.invalid/");

class ApplyGate : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    ApplyGate(const QString &applyUrl, LoopbackServer &server, QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

signals:
    // A form was sent to the apply address, with this body. Emitted after
    // the browser had its answer, never while a request is being served.
    void applyRequested(const QString &url, const QByteArray &body);

private:
    QString m_applyUrl;
    QUrl m_base;
    QSet<QString> m_tokens; // one per redirected request, used once
};

} // namespace vesweb

// Where the site's apply form lands. Its address belongs to no server: the
// gate sees the browser's request for exactly that address and redirects it,
// body and all, to a one-time address on our own loopback server, which
// answers "204 No Content" so the page stays as it was, and hands the body on.
//
// Only a form of the page's own document applies. A form in a frame can send
// the whole page to the apply address too (target="_top"), and the request
// the engine shows looks the same; so a script of ours, in the page's main
// document only and out of the page scripts' reach, adds a mark to the data
// of the document's own apply forms, and a body without it is not taken.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

namespace vesweb {

class LoopbackServer;

// The apply address of the site's forms: ".invalid" never names a server.
inline const QString kApplyUrl = QStringLiteral("http://apply.vespera.invalid/");

class ApplyGate : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    ApplyGate(const QString &applyUrl, LoopbackServer &server, QObject *parent = nullptr);

    // Watches the requests of every page of the profile, and marks the
    // apply forms of their main documents.
    void watch(QWebEngineProfile *profile);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

signals:
    // A form was sent to the apply address, with this body. Emitted after
    // the browser had its answer, never while a request is being served.
    void applyRequested(const QString &url, const QByteArray &body);

private:
    QString m_applyUrl;
    QUrl m_base;
    QSet<QString> m_tokens; // one per redirected request, used once
    QByteArray m_mark;      // what the main document's apply forms carry
};

} // namespace vesweb

// Where the site's apply form lands.
#include "apply_gate.h"
#include "exchange.h"
#include "loopback_server.h"

#include <QHttpServer>
#include <QRandomGenerator>
#include <QTimer>

namespace vesweb {

namespace {
// Long and random enough that no page can guess its way to the endpoint.
QString newToken()
{
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), 4);
    return QString::fromLatin1(bytes.toHex());
}
} // namespace

ApplyGate::ApplyGate(const QString &applyUrl, LoopbackServer &server, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_applyUrl(applyUrl), m_base(server.base())
{
    server.http().route(
        QStringLiteral("/apply/<arg>"),
        [this, &server](const QString &token, const QHttpServerRequest &request) {
            if (!server.addressedHere(request))
                return LoopbackServer::misdirected();
            if (!m_tokens.remove(token))
                return QHttpServerResponse(QHttpServerResponder::StatusCode::NotFound);
            const QByteArray body = request.body();
            QTimer::singleShot(0, this, [this, body] { emit applyRequested(m_applyUrl, body); });
            return QHttpServerResponse(QHttpServerResponder::StatusCode::NoContent);
        });
}

void ApplyGate::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!isApplyRequest(info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame,
                        info.requestMethod(), info.requestUrl(), m_applyUrl))
        return;
    const QString token = newToken();
    m_tokens.insert(token);
    info.redirect(m_base.resolved(QUrl(QStringLiteral("apply/") + token)));
}

} // namespace vesweb

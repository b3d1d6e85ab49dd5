// Where the site's apply form lands.
#include "apply_gate.h"

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

ApplyGate::ApplyGate(const QString &applyUrl, QHttpServer &server, const QUrl &base,
                     QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_applyUrl(applyUrl), m_base(base)
{
    server.route(QStringLiteral("/apply/<arg>"), [this](const QString &token,
                                                        const QHttpServerRequest &request) {
        if (!m_tokens.remove(token))
            return QHttpServerResponse(QHttpServerResponder::StatusCode::NotFound);
        const QByteArray body = request.body();
        QTimer::singleShot(0, this, [this, body] { emit applyRequested(m_applyUrl, body); });
        return QHttpServerResponse(QHttpServerResponder::StatusCode::NoContent);
    });
}

void ApplyGate::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    // Only what a navigation asks for: a picture or a script pointed at the
    // apply address must not bring up the question.
    const auto type = info.resourceType();
    if (type != QWebEngineUrlRequestInfo::ResourceTypeMainFrame
        && type != QWebEngineUrlRequestInfo::ResourceTypeSubFrame)
        return;
    if (info.requestUrl().toString() != m_applyUrl)
        return;
    const QString token = newToken();
    m_tokens.insert(token);
    info.redirect(m_base.resolved(QUrl(QStringLiteral("apply/") + token)));
}

} // namespace vesweb

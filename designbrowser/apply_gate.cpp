// Where the site's apply form lands.
#include "apply_gate.h"
#include "exchange.h"
#include "loopback_server.h"

#include <QHttpServer>
#include <QRandomGenerator>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

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
    : QWebEngineUrlRequestInterceptor(parent), m_applyUrl(applyUrl), m_base(server.base()),
      m_mark(newToken().toLatin1())
{
    server.http().route(QStringLiteral("/apply/<arg>"), [this, &server](
                                                            const QString &token,
                                                            const QHttpServerRequest &request) {
        if (!server.addressedHere(request))
            return LoopbackServer::misdirected();
        if (!m_tokens.remove(token))
            return QHttpServerResponse(QHttpServerResponder::StatusCode::NotFound);
        const QByteArray body = request.body();
        // Unmarked: a frame's form, or the page's own without our script.
        if (body.contains(m_mark))
            QTimer::singleShot(0, this, [this, body] { emit applyRequested(m_applyUrl, body); });
        return QHttpServerResponse(QHttpServerResponder::StatusCode::NoContent);
    });
}

void ApplyGate::watch(QWebEngineProfile *profile)
{
    profile->setUrlRequestInterceptor(this);
    // The form data event comes for every form whose data is gathered, sent
    // by a button or by a script; heard on the main document, it comes only
    // for that document's own forms, never for a frame's. The application's
    // world shares the document, not the page's scripts and variables.
    QWebEngineScript mark;
    mark.setName(QStringLiteral("vesweb-apply-mark"));
    mark.setInjectionPoint(QWebEngineScript::DocumentCreation);
    mark.setWorldId(QWebEngineScript::ApplicationWorld);
    mark.setRunsOnSubFrames(false);
    mark.setSourceCode(
        QStringLiteral("document.addEventListener('formdata', function (e) {"
                       "  var form = e.target;"
                       "  if (form.ownerDocument === document && form.method === 'post'"
                       "      && form.action === '%1')"
                       "    e.formData.append('vesweb-mark', '%2');"
                       "}, true);")
            .arg(m_applyUrl, QString::fromLatin1(m_mark)));
    profile->scripts()->insert(mark);
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

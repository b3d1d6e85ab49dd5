// The design catalogue we ship, served on the loopback server.
#include "catalogue_site.h"

#include "catalogue.h"
#include "exchange.h"
#include "loopback_server.h"
#include "preview.h"

#include "common/data_dir.h"

#include <QDir>
#include <QHttpServer>

namespace vesweb {

namespace {
QHttpServerResponse answer(const QByteArray &mime, const QByteArray &content)
{
    if (content.isEmpty())
        return QHttpServerResponse(QHttpServerResponder::StatusCode::NotFound);
    QHttpServerResponse response(mime, content);
    response.setHeader("Cache-Control", "no-store");
    return response;
}
} // namespace

CatalogueSite::CatalogueSite(LoopbackServer &server, const QString &applyUrl,
                             const QStringList &dataFolders)
    : m_base(server.base()), m_applyUrl(applyUrl), m_folders(dataFolders)
{
    server.http().route(QStringLiteral("/"), [this, &server](const QHttpServerRequest &request) {
        if (!server.addressedHere(request))
            return LoopbackServer::misdirected();
        return answer("text/html; charset=Shift_JIS", page(request.body()));
    });
    server.http().route(
        QStringLiteral("/preview/<arg>"),
        [this, &server](const QString &fileName, const QHttpServerRequest &request) {
            if (!server.addressedHere(request))
                return LoopbackServer::misdirected();
            return answer("image/png", preview(fileName));
        });
}

QByteArray CatalogueSite::page(const QByteArray &postBody) const
{
    const QMap<QString, QString> posted = parseUrlEncodedForm(postBody);
    CataloguePage page;
    page.currentSkin = posted.value(QStringLiteral("des"));
    page.currentName = posted.value(QStringLiteral("name"));
    page.skins = vespera::installedDesigns(m_folders);
    page.applyUrl = m_applyUrl;
    page.previewBase = m_base.resolved(QUrl(QStringLiteral("preview/"))).toString();
    return cataloguePage(page);
}

QByteArray CatalogueSite::preview(const QString &fileName) const
{
    if (!fileName.endsWith(QLatin1String(".png")))
        return QByteArray();
    const QString skin = fileName.chopped(4);
    if (!isSafeDesignName(skin))
        return QByteArray();
    for (const QString &folder : m_folders) {
        const QString picture = common::pathIn(folder, skin + QStringLiteral(".vss"));
        if (common::fileExists(picture))
            return designPreviewPng(picture);
    }
    return QByteArray();
}

} // namespace vesweb

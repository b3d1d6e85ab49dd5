// The design catalogue we ship, served on the loopback server.
#include "catalogue_site.h"

#include "catalogue.h"
#include "exchange.h"
#include "loopback_server.h"
#include "preview.h"
#include "studio.h"

#include "common/data_dir.h"
#include "design/design_package.h"

#include <QDir>
#include <QFile>
#include <QHttpServer>
#include <QUrlQuery>

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
    // The studio's live preview: painted from the recipe in the address,
    // nothing read from disk and nothing written.
    server.http().route(
        QStringLiteral("/studio/preview.png"), [&server](const QHttpServerRequest &request) {
            if (!server.addressedHere(request))
                return LoopbackServer::misdirected();
            const auto recipe = painter::recipeFromField(
                QUrlQuery(request.url()).queryItemValue(QStringLiteral("r")));
            return answer("image/png", recipe ? studioPreviewPng(*recipe) : QByteArray());
        });
}

QByteArray CatalogueSite::page(const QByteArray &postBody) const
{
    const QMap<QString, QString> posted = parseUrlEncodedForm(postBody);
    const QString skin = posted.value(QStringLiteral("des"));
    const QString name = posted.value(QStringLiteral("name"));
    const QString view = posted.value(QStringLiteral("view"));
    if (view == QLatin1String("studio")) {
        const QString from = posted.value(QStringLiteral("from"), skin);
        return studio(skin, name, from, recipeOf(from).value_or(painter::Recipe()),
                      vespera::freeDesignName(from, m_folders));
    }
    // The design in use was made here: Home goes back to it, in the studio.
    // Its name is the record's (the skin posted is the one of start-up).
    if (view.isEmpty()) {
        if (const auto made = painter::recipeFromField(posted.value(QStringLiteral("c_mn"))))
            return studio(skin, name, name, *made, name);
    }
    CataloguePage page;
    page.currentSkin = skin;
    page.currentName = name;
    page.skins = vespera::installedDesigns(m_folders);
    page.applyUrl = m_applyUrl;
    page.previewBase = m_base.resolved(QUrl(QStringLiteral("preview/"))).toString();
    page.homeUrl = m_base.toString();
    return cataloguePage(page);
}

QByteArray CatalogueSite::studio(const QString &skin, const QString &name, const QString &from,
                                 const painter::Recipe &recipe, const QString &offeredName) const
{
    StudioPage page;
    page.startedFrom = from;
    page.designName = offeredName;
    page.recipe = recipe;
    for (const QString &design : vespera::installedDesigns(m_folders)) {
        if (recipeOf(design))
            page.bases << design;
    }
    page.fonts = digitFontFamilies();
    page.applyUrl = m_applyUrl;
    page.previewUrl = m_base.resolved(QUrl(QStringLiteral("studio/preview.png"))).toString();
    page.homeUrl = m_base.toString();
    page.currentSkin = skin;
    page.currentName = name;
    return studioPage(page);
}

std::optional<painter::Recipe> CatalogueSite::recipeOf(const QString &design) const
{
    if (!isSafeDesignName(design))
        return std::nullopt;
    for (const QString &folder : m_folders) {
        if (!common::fileExists(common::pathIn(folder, design + QStringLiteral(".vss"))))
            continue;
        QFile file(common::pathIn(folder, design + QStringLiteral(".recipe")));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return painter::parseRecipe(file.read(vespera::kMaxRecipeBytes + 1));
    }
    return std::nullopt;
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

// The design catalogue we ship, served from inside the design browser on its
// loopback server: the page that answers the browser's post, a preview
// picture of every design found in the data folders, and the studio where
// designs are made, with its live preview. It only ever reads: designs are
// written by the browser's apply, after the user said yes.
#pragma once

#include "painter/recipe.h"

#include <QStringList>
#include <QUrl>

namespace vesweb {

class LoopbackServer;

class CatalogueSite {
public:
    // Served by `server`; forms apply to `applyUrl`.
    CatalogueSite(LoopbackServer &server, const QString &applyUrl, const QStringList &dataFolders);

private:
    // The answer to a post: the list of designs, or the studio, asked for
    // by the post's "view", or when the design in use carries its recipe.
    QByteArray page(const QByteArray &postBody) const;
    QByteArray studio(const QString &skin, const QString &name, const QString &from,
                      const painter::Recipe &recipe, const QString &offeredName) const;
    // The recipe beside an installed design's pictures, if it has one.
    std::optional<painter::Recipe> recipeOf(const QString &design) const;
    QByteArray preview(const QString &fileName) const;

    QUrl m_base;
    QString m_applyUrl;
    QStringList m_folders;
};

} // namespace vesweb

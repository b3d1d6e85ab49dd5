// The design catalogue we ship, served from inside the design browser on its
// loopback server: the page that answers the browser's post, and a preview
// picture of every design found in the data folders.
#pragma once

#include <QStringList>
#include <QUrl>

namespace vesweb {

class LoopbackServer;

class CatalogueSite {
public:
    // Served by `server`; forms apply to `applyUrl`.
    CatalogueSite(LoopbackServer &server, const QString &applyUrl, const QStringList &dataFolders);

private:
    QByteArray page(const QByteArray &postBody) const;
    QByteArray preview(const QString &fileName) const;

    QUrl m_base;
    QString m_applyUrl;
    QStringList m_folders;
};

} // namespace vesweb

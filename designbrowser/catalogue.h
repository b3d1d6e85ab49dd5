// The design catalogue that ships with the design browser: the page it
// answers the browser's post with, listing every design found, each with an
// apply form addressed to the apply pseudo-URL.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace vesweb {

// The fields of a URL-encoded form whose text is Shift-JIS ("+" is a blank).
QMap<QString, QString> parseUrlEncodedForm(const QByteArray &body);

// Text made safe to stand in HTML, inside elements and quoted attributes.
QString htmlEscaped(const QString &text);

struct CataloguePage {
    QString currentSkin; // from the posted "des"
    QString currentName; // from the posted "name"
    QStringList skins;   // the designs found, by name
    QString applyUrl;    // where each apply form is submitted
    QString previewBase; // URL the preview of skin s is found at: previewBase + s + ".png"
    QString homeUrl;     // where the page's own forms go (the studio); none when empty
};

// The page in Shift-JIS, declared as such.
QByteArray cataloguePage(const CataloguePage &page);

} // namespace vesweb

// The design catalogue that ships with the design browser: the page it
// answers the browser's post with, listing every design found, each with an
// apply form addressed to the apply pseudo-URL.
#include "catalogue.h"

#include "common/setting_keys.h"
#include "common/shift_jis.h"

#include <QCoreApplication>
#include <QUrl>

namespace vesweb {

QMap<QString, QString> parseUrlEncodedForm(const QByteArray &body)
{
    QMap<QString, QString> fields;
    for (const QByteArray &pair : body.split('&')) {
        if (pair.isEmpty())
            continue;
        const int eq = pair.indexOf('=');
        auto decode = [](QByteArray part) {
            part.replace('+', ' ');
            return common::fromShiftJis(QByteArray::fromPercentEncoding(part));
        };
        fields.insert(decode(eq < 0 ? pair : pair.left(eq)),
                      eq < 0 ? QString() : decode(pair.mid(eq + 1)));
    }
    return fields;
}

QString htmlEscaped(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

namespace {
QString hidden(const QString &key, const QString &value)
{
    return QStringLiteral("<input type=\"hidden\" name=\"vsr%1\" value=\"%2\">")
        .arg(htmlEscaped(key), htmlEscaped(value));
}
QString text(const char *source) { return QCoreApplication::translate("Catalogue", source); }
} // namespace

QByteArray cataloguePage(const CataloguePage &page)
{
    const QString title = text(QT_TRANSLATE_NOOP("Catalogue", "デザインカタログ"));
    // The page's language, as its texts have it: "ja" untranslated.
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head>"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                       "<title>%2</title><style>")
            .arg(text(QT_TRANSLATE_NOOP("Catalogue", "ja")), title)
        + QStringLiteral("body{font-family:sans-serif;background:#f4f7fb;color:#1a2a3a;margin:1em}"
                         "h1{font-size:1.2em;border-bottom:2px solid #2858a0}"
                         ".design{display:inline-block;margin:.5em;padding:.5em;background:#fff;"
                         "border:1px solid #b8c8dc;border-radius:6px;text-align:center}"
                         ".design img{display:block;width:440px;height:59px;margin-bottom:.4em;"
                         "padding:4px;background:#4a6f9a;border-radius:4px}"
                         "</style></head><body>\n");
    // The design in use, once: the record's name after an apply (the skin
    // the browser posts stays the one it read at start-up), else that skin.
    const bool named = !page.currentName.isEmpty() && page.currentName != QLatin1String("def");
    html += QStringLiteral("<h1>%1</h1>\n<p>").arg(title)
            + text(QT_TRANSLATE_NOOP("Catalogue", "いまのデザイン：<b>%1</b>"))
                  .arg(htmlEscaped(named ? page.currentName : page.currentSkin));
    html += QStringLiteral("</p>\n");
    if (!page.homeUrl.isEmpty()) {
        html += QStringLiteral("<form id=\"studio\" method=\"post\" action=\"%1\">")
                    .arg(htmlEscaped(page.homeUrl));
        // The studio starts from the design in use.
        html += QStringLiteral("<input type=\"hidden\" name=\"des\" value=\"%1\">"
                               "<input type=\"hidden\" name=\"name\" value=\"%2\">"
                               "<input type=\"hidden\" name=\"from\" value=\"%3\">"
                               "<input type=\"hidden\" name=\"view\" value=\"studio\">")
                    .arg(htmlEscaped(page.currentSkin), htmlEscaped(page.currentName),
                         htmlEscaped(named ? page.currentName : page.currentSkin));
        html += QStringLiteral("<button type=\"submit\">%1</button></form>\n")
                    .arg(text(QT_TRANSLATE_NOOP("Catalogue", "新しいデザインを作る")));
    }
    if (page.skins.isEmpty())
        html += QStringLiteral("<p>%1</p>\n")
                    .arg(text(QT_TRANSLATE_NOOP("Catalogue", "デザインが見つかりません。")));
    for (const QString &skin : page.skins) {
        const QString preview = page.previewBase
                                + QString::fromLatin1(QUrl::toPercentEncoding(skin))
                                + QStringLiteral(".png");
        html += QStringLiteral("<div class=\"design\"><img src=\"%1\" alt=\"%2\">")
                    .arg(htmlEscaped(preview), htmlEscaped(skin));
        html += QStringLiteral("<form method=\"post\" enctype=\"multipart/form-data\" "
                               "accept-charset=\"Shift_JIS\" action=\"%1\">")
                    .arg(htmlEscaped(page.applyUrl));
        // An empty recipe: the design in use then was not made in the studio.
        html += hidden(common::key::kSkin, skin) + hidden(QStringLiteral("name"), skin)
                + hidden(QStringLiteral("c_mn"), QString())
                + hidden(QStringLiteral("fname"), skin + QStringLiteral(".vss"));
        html +=
            QStringLiteral("<b>%1</b> <button type=\"submit\">%2</button></form></div>\n")
                .arg(htmlEscaped(skin), text(QT_TRANSLATE_NOOP("Catalogue", "このデザインにする")));
    }
    html += QStringLiteral("</body></html>\n");
    return common::toShiftJis(html);
}

} // namespace vesweb

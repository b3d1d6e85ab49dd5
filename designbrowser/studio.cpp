// The design studio of the catalogue we ship.
#include "studio.h"

#include "catalogue.h"
#include "preview.h"

#include "design/design_picture.h"
#include "painter/design_painter.h"

#include <QCoreApplication>
#include <QFontDatabase>

namespace vesweb {

namespace {

QString text(const char *source) { return QCoreApplication::translate("Studio", source); }

// Every character outside ASCII as a numeric reference: the page then reads
// the same in any code, font names from any script included.
QByteArray asciiOnly(const QString &html)
{
    QByteArray out;
    out.reserve(html.size() * 2);
    for (const uint c : html.toUcs4()) {
        if (c < 0x80)
            out += char(c);
        else
            out += "&#" + QByteArray::number(c) + ';';
    }
    return out;
}

QString option(const QString &value, const QString &label, bool selected)
{
    return QStringLiteral("<option value=\"%1\"%2>%3</option>")
        .arg(htmlEscaped(value), selected ? QStringLiteral(" selected") : QString(),
             htmlEscaped(label));
}

struct Labelled {
    const char *key;
    const char *label;
};

// What each colour of a recipe paints, as the studio names it.
const Labelled kColourLabels[] = {
    {"face", QT_TRANSLATE_NOOP("Studio", "表示面")},
    {"ink", QT_TRANSLATE_NOOP("Studio", "数字と文字")},
    {"unlit", QT_TRANSLATE_NOOP("Studio", "消えている部分")},
    {"accent", QT_TRANSLATE_NOOP("Studio", "秒・週・ベル")},
    {"face-line", QT_TRANSLATE_NOOP("Studio", "区切り線")},
    {"saturday", QT_TRANSLATE_NOOP("Studio", "土曜日")},
    {"sunday", QT_TRANSLATE_NOOP("Studio", "日曜日")},
    {"outline", QT_TRANSLATE_NOOP("Studio", "外枠")},
    {"bay-top", QT_TRANSLATE_NOOP("Studio", "ボタン台（上）")},
    {"bay-bottom", QT_TRANSLATE_NOOP("Studio", "ボタン台（下）")},
    {"bay-edge", QT_TRANSLATE_NOOP("Studio", "ボタン台の境目")},
    {"button-top", QT_TRANSLATE_NOOP("Studio", "ボタン（上）")},
    {"button-bottom", QT_TRANSLATE_NOOP("Studio", "ボタン（下）")},
    {"button-edge", QT_TRANSLATE_NOOP("Studio", "ボタンの縁")},
    {"button-text", QT_TRANSLATE_NOOP("Studio", "ボタンの文字")},
    {"logo", QT_TRANSLATE_NOOP("Studio", "ロゴ")},
    {"dog-body", QT_TRANSLATE_NOOP("Studio", "犬の体")},
    {"dog-patch", QT_TRANSLATE_NOOP("Studio", "犬の耳")},
    {"dog-line", QT_TRANSLATE_NOOP("Studio", "犬の線")},
    {"dog-collar", QT_TRANSLATE_NOOP("Studio", "犬の首輪")},
    {"dog-tongue", QT_TRANSLATE_NOOP("Studio", "犬の舌")},
};

const Labelled kDigitStyles[] = {
    {"segments", QT_TRANSLATE_NOOP("Studio", "7セグメント")},
    {"strokes", QT_TRANSLATE_NOOP("Studio", "丸ペン")},
    {"dots", QT_TRANSLATE_NOOP("Studio", "ドット")},
    {"font", QT_TRANSLATE_NOOP("Studio", "フォント")},
};
const Labelled kSecondsStyles[] = {
    {"bars", QT_TRANSLATE_NOOP("Studio", "棒")},
    {"pie", QT_TRANSLATE_NOOP("Studio", "円")},
};

QString select(const char *key, const QString &chosen,
               const QVector<QPair<QString, QString>> &items)
{
    QString html = QStringLiteral("<select data-key=\"%1\">").arg(QLatin1String(key));
    for (const auto &item : items)
        html += option(item.first, item.second, item.first == chosen);
    return html + QStringLiteral("</select>");
}

QVector<QPair<QString, QString>> labelled(const Labelled *begin, const Labelled *end)
{
    QVector<QPair<QString, QString>> items;
    for (const Labelled *l = begin; l != end; ++l)
        items.append({QString::fromLatin1(l->key), text(l->label)});
    return items;
}

QString checkbox(const char *key, bool checked, const QString &label)
{
    return QStringLiteral("<label><input type=\"checkbox\" data-key=\"%1\"%2> %3</label>")
        .arg(QLatin1String(key), checked ? QStringLiteral(" checked") : QString(), label);
}

QString hidden(const QString &name, const QString &value, const QString &id = QString())
{
    return QStringLiteral("<input type=\"hidden\" name=\"%1\" value=\"%2\"%3>")
        .arg(htmlEscaped(name), htmlEscaped(value),
             id.isEmpty() ? QString() : QStringLiteral(" id=\"%1\"").arg(id));
}

// The page's script: the recipe is read off the controls, whatever they are
// (each names its entry with data-key), so the recipe's text has one author,
// the painter, which reads it back.
const char kScript[] = R"(
const controls = [...document.querySelectorAll('[data-key]')];
const preview = document.getElementById('preview');
function recipeText() {
  let t = 'vespera-recipe 1\n';
  for (const c of controls)
    t += c.dataset.key + ' ' + (c.type == 'checkbox' ? (c.checked ? 'yes' : 'no') : c.value) + '\n';
  return t;
}
function field(t) {
  let s = '';
  for (const b of new TextEncoder().encode(t)) s += String.fromCharCode(b);
  return btoa(s).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}
function update() {
  const f = field(recipeText());
  document.getElementById('recipe').value = f;
  preview.src = preview.dataset.base + '?r=' + f;
  const font = document.querySelector('[data-key=digits]').value == 'font';
  document.getElementById('font-row').style.display = font ? '' : 'none';
}
for (const c of controls) c.addEventListener('input', update);
document.getElementById('make').addEventListener('submit', e => {
  update();
  const name = document.getElementById('name').value.trim();
  if (!name || /[\/\\@]|\.\./.test(name)) {
    e.preventDefault();
    document.getElementById('name-problem').style.display = '';
    return;
  }
  document.getElementById('skin').value = name;
  document.getElementById('fname').value = name + '.vss';
});
update();
)";

} // namespace

QByteArray studioPage(const StudioPage &page)
{
    using painter::Recipe;
    const Recipe &r = page.recipe;
    const QString title = text(QT_TRANSLATE_NOOP("Studio", "デザインスタジオ"));
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head>"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                       "<title>%2</title><style>")
            .arg(QCoreApplication::translate("Catalogue", "ja"), title)
        + QStringLiteral(
            "body{font-family:sans-serif;background:#f4f7fb;color:#1a2a3a;margin:1em}"
            "h1{font-size:1.2em;border-bottom:2px solid #2858a0}"
            "#top{position:sticky;top:0;background:#f4f7fb;padding:.3em 0;z-index:1}"
            "#preview{display:block;width:440px;height:59px;margin:.3em 0;padding:4px;"
            "background:#4a6f9a;border-radius:4px}"
            "#colours{columns:3;column-gap:1.5em}"
            "fieldset{display:inline-block;vertical-align:top;margin:.3em;border:1px solid #b8c8dc;"
            "border-radius:6px;background:#fff}"
            "label{display:block;margin:.2em 0}"
            "input[type=color]{width:2.2em;height:1.4em;padding:0;vertical-align:middle}"
            "form{margin:.3em 0}"
            "#name-problem{color:#b00}"
            "</style></head><body>\n");
    html += QStringLiteral("<h1>%1</h1>\n").arg(title);

    // Back to the list, and another design to start from: forms posted to
    // the catalogue, with the design in use.
    auto catalogueForm = [&](const char *id, const char *view) {
        return QStringLiteral("<form id=\"%1\" method=\"post\" action=\"%2\">")
                   .arg(QLatin1String(id), htmlEscaped(page.homeUrl))
               + hidden(QStringLiteral("des"), page.currentSkin)
               + hidden(QStringLiteral("name"), page.currentName)
               + hidden(QStringLiteral("view"), QLatin1String(view));
    };
    html += catalogueForm("back", "list")
            + QStringLiteral("<button type=\"submit\">%1</button></form>\n")
                  .arg(text(QT_TRANSLATE_NOOP("Studio", "デザインカタログに戻る")));
    html += catalogueForm("base", "studio")
            + QStringLiteral("<label>%1 <select name=\"from\" onchange=\"this.form.submit()\">")
                  .arg(text(QT_TRANSLATE_NOOP("Studio", "もとにするデザイン")));
    for (const QString &base : page.bases)
        html += option(base, base, base == page.startedFrom);
    html += QStringLiteral("</select></label></form>\n");

    // The preview, the name and the button stay in sight while the controls scroll.
    html += QStringLiteral("<form id=\"make\" method=\"post\" enctype=\"multipart/form-data\" "
                           "accept-charset=\"Shift_JIS\" action=\"%1\">\n<div id=\"top\">")
                .arg(htmlEscaped(page.applyUrl));
    html += QStringLiteral("<img id=\"preview\" alt=\"\" data-base=\"%1\" src=\"%1?r=%2\">\n")
                .arg(htmlEscaped(page.previewUrl), painter::recipeField(r));
    html +=
        QStringLiteral("<label>%1 <input id=\"name\" name=\"vsrname\" "
                       "maxlength=\"64\" value=\"%2\"></label> ")
            .arg(text(QT_TRANSLATE_NOOP("Studio", "デザインの名前")), htmlEscaped(page.designName));
    html += hidden(QStringLiteral("vsrskin"), QString(), QStringLiteral("skin"))
            + hidden(QStringLiteral("vsrc_mn"), painter::recipeField(r), QStringLiteral("recipe"))
            + hidden(QStringLiteral("vsrfname"), QString(), QStringLiteral("fname"));
    html +=
        QStringLiteral("<button type=\"submit\">%1</button>\n"
                       "<p id=\"name-problem\" style=\"display:none\">%2</p></div>\n")
            .arg(QCoreApplication::translate("Catalogue", "このデザインにする"),
                 text(QT_TRANSLATE_NOOP("Studio", "名前には「/」「\\」「@」「..」を使えません。")));
    html += QStringLiteral("<fieldset><legend>%1</legend>\n")
                .arg(text(QT_TRANSLATE_NOOP("Studio", "数字")));
    html += QStringLiteral("<label>%1 %2</label>\n")
                .arg(text(QT_TRANSLATE_NOOP("Studio", "数字の形")),
                     select("digits", painter::digitStyleName(r.digits),
                            labelled(std::begin(kDigitStyles), std::end(kDigitStyles))));
    QVector<QPair<QString, QString>> fonts;
    QStringList families = page.fonts;
    if (!r.digitFont.isEmpty() && !families.contains(r.digitFont))
        families.prepend(r.digitFont); // a recipe's font that is not installed here
    for (const QString &family : families)
        fonts.append({family, family});
    html +=
        QStringLiteral("<div id=\"font-row\"><label>%1 %2</label>%3</div>\n")
            .arg(text(QT_TRANSLATE_NOOP("Studio", "フォント")),
                 select("digit-font", r.digitFont, fonts),
                 checkbox("digit-bold", r.digitBold, text(QT_TRANSLATE_NOOP("Studio", "太字"))));
    html += QStringLiteral("<label>%1 <input type=\"range\" data-key=\"slant\" min=\"-%2\" "
                           "max=\"%2\" step=\"0.01\" value=\"%3\"></label>\n")
                .arg(text(QT_TRANSLATE_NOOP("Studio", "傾き")))
                .arg(painter::kMaxSlant)
                .arg(r.slant);
    html += checkbox("unlit-segments", r.unlitSegments,
                     text(QT_TRANSLATE_NOOP("Studio", "消えている部分も薄く表示する")))
            + QLatin1Char('\n');
    html += QStringLiteral("<label>%1 %2</label>\n")
                .arg(text(QT_TRANSLATE_NOOP("Studio", "秒の表示")),
                     select("seconds", painter::secondsStyleName(r.seconds),
                            labelled(std::begin(kSecondsStyles), std::end(kSecondsStyles))));
    html += QStringLiteral("<label>%1 %2</label>\n")
                .arg(text(QT_TRANSLATE_NOOP("Studio", "日付の区切り")),
                     select("date-separator", QString(r.dateSeparator),
                            {{"/", "/"}, {"-", "-"}, {".", "."}}));
    html += QStringLiteral("</fieldset>\n<fieldset><legend>%1</legend><div id=\"colours\">\n")
                .arg(text(QT_TRANSLATE_NOOP("Studio", "色")));
    for (const Labelled &c : kColourLabels) {
        html += QStringLiteral(
                    "<label><input type=\"color\" data-key=\"%1\" value=\"%2\"> %3</label>\n")
                    .arg(QLatin1String(c.key),
                         painter::colourOf(r, QLatin1String(c.key)).name(QColor::HexRgb),
                         text(c.label));
    }
    html += QStringLiteral("</div></fieldset>\n</form>\n");
    html +=
        QStringLiteral("<script>") + QString::fromLatin1(kScript) + QStringLiteral("</script>\n");
    html += QStringLiteral("</body></html>\n");
    return asciiOnly(html);
}

QByteArray studioPreviewPng(const painter::Recipe &recipe)
{
    return vespera::pngBytes(
        designPreview(painter::paintDesignPicture(recipe, painter::Side::Left, 1)));
}

QStringList digitFontFamilies()
{
    QStringList families;
    for (const QString &family : QFontDatabase::families(QFontDatabase::Latin)) {
        if (!QFontDatabase::isPrivateFamily(family) && family.size() <= painter::kMaxFontName)
            families << family;
    }
    families.removeDuplicates();
    families.sort(Qt::CaseInsensitive);
    return families;
}

} // namespace vesweb

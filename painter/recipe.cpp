// A design's recipe and its text.
#include "recipe.h"

#include <QList>
#include <QRegularExpression>

#include <cmath>

namespace painter {

namespace {

constexpr int kVersion = 1;
const QByteArray kMagic = QByteArrayLiteral("vespera-recipe");
// A recipe is a few dozen short lines; a field that unpacks to more is no recipe.
constexpr int kMaxText = 16 * 1024;

struct ColourEntry {
    const char *key;
    QColor Recipe::*member;
};

// In the order the text lists them.
const ColourEntry kColours[] = {
    {"outline", &Recipe::outline},
    {"bay-top", &Recipe::bayTop},
    {"bay-bottom", &Recipe::bayBottom},
    {"bay-edge", &Recipe::bayEdge},
    {"button-top", &Recipe::buttonTop},
    {"button-bottom", &Recipe::buttonBottom},
    {"button-edge", &Recipe::buttonEdge},
    {"button-text", &Recipe::buttonText},
    {"logo", &Recipe::logo},
    {"face", &Recipe::face},
    {"face-line", &Recipe::faceLine},
    {"ink", &Recipe::ink},
    {"unlit", &Recipe::ghost},
    {"accent", &Recipe::accent},
    {"saturday", &Recipe::saturday},
    {"sunday", &Recipe::sunday},
    {"dog-body", &Recipe::dogBody},
    {"dog-patch", &Recipe::dogPatch},
    {"dog-line", &Recipe::dogLine},
    {"dog-collar", &Recipe::dogCollar},
    {"dog-tongue", &Recipe::dogTongue},
};

const std::pair<DigitStyle, const char *> kDigitStyles[] = {
    {DigitStyle::Segments, "segments"},
    {DigitStyle::Strokes, "strokes"},
    {DigitStyle::Dots, "dots"},
    {DigitStyle::Font, "font"},
};
const std::pair<SecondsStyle, const char *> kSecondsStyles[] = {
    {SecondsStyle::Bars, "bars"},
    {SecondsStyle::Pie, "pie"},
};

QColor rgb(QRgb value) { return QColor::fromRgb(value); }

QByteArray colourText(const QColor &c) { return c.name(QColor::HexRgb).toLatin1(); }

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// The style a word names, from one of the tables above; false for none.
template <typename Style, size_t N>
bool styleNamed(const std::pair<Style, const char *> (&table)[N], const QString &word, Style &out)
{
    for (const auto &s : table) {
        if (word == QLatin1String(s.second)) {
            out = s.first;
            return true;
        }
    }
    return false;
}

// The word for a style.
template <typename Style, size_t N>
QString wordFor(const std::pair<Style, const char *> (&table)[N], Style style)
{
    for (const auto &s : table) {
        if (s.first == style)
            return QString::fromLatin1(s.second);
    }
    return QString();
}

// One "key value" line into the recipe; false with the reason when the key
// is known and its value is not one it can take.
bool readEntry(Recipe &r, const QString &key, const QString &value, QString *why)
{
    for (const ColourEntry &e : kColours) {
        if (key != QLatin1String(e.key))
            continue;
        static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
        if (!hex.match(value).hasMatch())
            return fail(why, QStringLiteral("\"%1\" is not a colour (#rrggbb)").arg(value));
        r.*e.member = QColor(value);
        return true;
    }
    if (key == QLatin1String("digits"))
        return styleNamed(kDigitStyles, value, r.digits)
               || fail(why, QStringLiteral("\"%1\" is not a digit style").arg(value));
    if (key == QLatin1String("seconds"))
        return styleNamed(kSecondsStyles, value, r.seconds)
               || fail(why, QStringLiteral("\"%1\" is not a seconds style").arg(value));
    if (key == QLatin1String("digit-font")) {
        if (value.size() > kMaxFontName)
            return fail(why, QStringLiteral("the font name is too long"));
        r.digitFont = value;
        return true;
    }
    if (key == QLatin1String("slant")) {
        bool ok = false;
        const double slant = value.toDouble(&ok);
        if (!ok || !std::isfinite(slant) || std::fabs(slant) > kMaxSlant)
            return fail(why,
                        QStringLiteral("the slant must be a number from -%1 to %1").arg(kMaxSlant));
        r.slant = slant;
        return true;
    }
    for (const auto &flag :
         {std::pair<const char *, bool Recipe::*>{"unlit-segments", &Recipe::unlitSegments},
          {"digit-bold", &Recipe::digitBold}}) {
        if (key != QLatin1String(flag.first))
            continue;
        if (value != QLatin1String("yes") && value != QLatin1String("no"))
            return fail(why, QStringLiteral("%1 is yes or no").arg(key));
        r.*flag.second = value == QLatin1String("yes");
        return true;
    }
    if (key == QLatin1String("date-separator")) {
        if (value != QLatin1String("/") && value != QLatin1String("-")
            && value != QLatin1String("."))
            return fail(why, QStringLiteral("the date separator is /, - or ."));
        r.dateSeparator = value.at(0);
        return true;
    }
    return true; // a later painter's entry: skipped
}

} // namespace

Recipe::Recipe()
{
    outline = rgb(0x1d3f66);
    bayTop = rgb(0x5596d6);
    bayBottom = rgb(0x2c64a6);
    bayEdge = rgb(0x1d3f66);
    buttonTop = rgb(0xf2f8fe);
    buttonBottom = rgb(0xc3d9ef);
    buttonEdge = rgb(0x1f4a7a);
    buttonText = rgb(0x1f4a7a);
    logo = rgb(0xffffff);
    face = rgb(0xf1f6fb);
    faceLine = rgb(0xc8d9ea);
    ink = rgb(0x173f70);
    ghost = rgb(0xd6e3f0);
    accent = rgb(0x2f86d6);
    saturday = rgb(0x2563c9);
    sunday = rgb(0xd23a3a);
    dogBody = rgb(0xffffff);
    dogPatch = rgb(0xc99763);
    dogLine = rgb(0x173f70);
    dogCollar = rgb(0xd23a3a);
    dogTongue = rgb(0xf08090);
}

bool Recipe::operator==(const Recipe &o) const { return recipeText(*this) == recipeText(o); }

QString digitStyleName(DigitStyle style) { return wordFor(kDigitStyles, style); }

QString secondsStyleName(SecondsStyle style) { return wordFor(kSecondsStyles, style); }

QByteArray recipeText(const Recipe &r)
{
    QByteArray text = kMagic + ' ' + QByteArray::number(kVersion) + '\n';
    text += "digits " + digitStyleName(r.digits).toLatin1() + '\n';
    if (r.digits == DigitStyle::Font) {
        text += "digit-font " + r.digitFont.toUtf8() + '\n';
        text += QByteArray("digit-bold ") + (r.digitBold ? "yes" : "no") + '\n';
    }
    text += "seconds " + secondsStyleName(r.seconds).toLatin1() + '\n';
    text += "slant " + QByteArray::number(r.slant, 'g', 3) + '\n';
    text += QByteArray("unlit-segments ") + (r.unlitSegments ? "yes" : "no") + '\n';
    text += QByteArray("date-separator ") + char(r.dateSeparator.toLatin1()) + '\n';
    for (const ColourEntry &e : kColours)
        text += QByteArray(e.key) + ' ' + colourText(r.*e.member) + '\n';
    return text;
}

std::optional<Recipe> parseRecipe(const QByteArray &bytes, QString *error)
{
    if (bytes.size() > kMaxText) {
        fail(error, QStringLiteral("the recipe is too long"));
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(bytes);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QStringList head = lines.first().trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (head.size() != 2 || head[0] != QLatin1String(kMagic)) {
        fail(error, QStringLiteral("not a design recipe"));
        return std::nullopt;
    }
    bool ok = false;
    const int version = head[1].toInt(&ok);
    if (!ok || version < 1) {
        fail(error, QStringLiteral("not a design recipe"));
        return std::nullopt;
    }
    if (version > kVersion) {
        fail(error, QStringLiteral("the recipe is of a later version (%1) than this painter "
                                   "reads (%2)")
                        .arg(version)
                        .arg(kVersion));
        return std::nullopt;
    }
    Recipe r;
    for (int n = 1; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int blank = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
        const QString key = blank < 0 ? line : line.left(blank);
        const QString value = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
        QString why;
        if (!readEntry(r, key, value, &why)) {
            fail(error, QStringLiteral("line %1: %2").arg(n + 1).arg(why));
            return std::nullopt;
        }
    }
    if (r.digits == DigitStyle::Font && r.digitFont.isEmpty()) {
        fail(error, QStringLiteral("digits from a font need digit-font"));
        return std::nullopt;
    }
    return r;
}

QString recipeField(const Recipe &recipe)
{
    return QString::fromLatin1(recipeText(recipe).toBase64(QByteArray::Base64UrlEncoding
                                                           | QByteArray::OmitTrailingEquals));
}

std::optional<Recipe> recipeFromField(const QString &field, QString *error)
{
    // A field holds at most 1 KiB; the recipe's own cap is far above that.
    static const QRegularExpression alphabet(QStringLiteral("^[A-Za-z0-9_-]{8,4096}$"));
    if (!alphabet.match(field).hasMatch()) {
        fail(error, QStringLiteral("not a recipe"));
        return std::nullopt;
    }
    return parseRecipe(
        QByteArray::fromBase64(field.toLatin1(),
                               QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals),
        error);
}

QStringList colourKeys()
{
    QStringList keys;
    for (const ColourEntry &e : kColours)
        keys << QString::fromLatin1(e.key);
    return keys;
}

QColor colourOf(const Recipe &recipe, const QString &key)
{
    for (const ColourEntry &e : kColours) {
        if (key == QLatin1String(e.key))
            return recipe.*e.member;
    }
    return QColor();
}

} // namespace painter

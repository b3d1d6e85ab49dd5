// A design's recipe: everything the painter needs to paint its pictures,
// and the small text it is kept and shared as.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

namespace painter {

enum class DigitStyle {
    Segments, // seven bars, like a calculator
    Strokes,  // round pen strokes
    Dots,     // a five by seven grid of dots
    Font,     // drawn from an installed font (Recipe::digitFont)
};
enum class SecondsStyle { Bars, Pie };

struct Recipe {
    DigitStyle digits = DigitStyle::Segments;
    QString digitFont;      // the family, for DigitStyle::Font
    bool digitBold = false; // its bold face
    SecondsStyle seconds = SecondsStyle::Bars;
    double slant = 0.0;         // forward lean of the digits; 0 is upright
    bool unlitSegments = false; // show unlit segments or dots faintly, like an LCD
    QChar dateSeparator = '/';  // drawn between month and day: '/', '-' or '.'

    // Window frame and the button bay.
    QColor outline, bayTop, bayBottom, bayEdge;
    QColor buttonTop, buttonBottom, buttonEdge, buttonText, logo;
    // Display face. It is flat: every glyph cell shares this colour so it blends in.
    QColor face, faceLine, ink, ghost, accent, saturday, sunday;
    // The dog.
    QColor dogBody, dogPatch, dogLine, dogCollar, dogTongue;

    Recipe(); // the default design's look

    bool operator==(const Recipe &other) const;
    bool operator!=(const Recipe &other) const { return !(*this == other); }
};

// The largest slant either way: more leans a digit out of its cell.
constexpr double kMaxSlant = 0.3;

// The recipe as text: a first line naming the format and its version, then
// one "key value" line per entry, colours as #rrggbb.
QByteArray recipeText(const Recipe &recipe);
// Reads a recipe's text. Entries it does not know are skipped and missing
// ones keep the default design's values, so older and newer painters read
// each other's recipes; a text that is not a recipe, one of a later version,
// or a value that cannot be read gives no recipe and says why, with its line.
std::optional<Recipe> parseRecipe(const QByteArray &text, QString *error = nullptr);

// The same text as one line of letters, digits, "-" and "_" (base64url of
// its UTF-8), which a form, a URL and a comma-separated file all carry as it
// is, and which fits a field of the design record; and back.
QString recipeField(const Recipe &recipe);
std::optional<Recipe> recipeFromField(const QString &field, QString *error = nullptr);

// The keys of the recipe's colours, in the order the text lists them, and
// the colour a key names (invalid for any other key).
QStringList colourKeys();
QColor colourOf(const Recipe &recipe, const QString &key);

// The longest font name a recipe takes: far more than any family has, and
// short enough that a recipe always fits a field of the design record.
constexpr int kMaxFontName = 96;

// The words the text uses for the styles, as a studio lists them.
QString digitStyleName(DigitStyle style);
QString secondsStyleName(SecondsStyle style);

} // namespace painter

// The design studio of the catalogue we ship: a page where a design is made
// from another's recipe, with a live preview, and applied like any other.
#pragma once

#include "painter/recipe.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vesweb {

struct StudioPage {
    QString startedFrom;    // the design whose recipe the page starts from
    QString designName;     // the name the new design is offered under
    painter::Recipe recipe; // what the page starts with
    QStringList bases;      // the designs with a recipe, to start from instead
    QStringList fonts;      // installed font families, for digits from a font
    QString applyUrl;       // where the apply form is submitted
    QString previewUrl;     // the preview of a recipe: previewUrl + "?r=" + its field
    QString homeUrl;        // where the page's own forms are posted: the catalogue
    QString currentSkin;    // posted back with "back to the list"
    QString currentName;
};

// The page, in plain ASCII (every other character as a reference), so it
// reads the same whatever the page's declared code.
QByteArray studioPage(const StudioPage &page);

// The preview of the design a recipe paints, as PNG: the same picture as the
// catalogue shows for an installed design.
QByteArray studioPreviewPng(const painter::Recipe &recipe);

// Installed font families that can draw digits, sorted, each once.
QStringList digitFontFamilies();

} // namespace vesweb

// designs.h — colours and shape choices of the designs shipped with vespera; restyle here.
#pragma once

#include <QColor>
#include <QString>
#include <vector>

enum class DigitShape { Segments, Strokes };
enum class SecondsShape { Bars, Pie };

struct Design {
    QString name;

    DigitShape digits = DigitShape::Segments;
    SecondsShape seconds = SecondsShape::Bars;
    double slant = 0.0;         // forward lean of the digits; 0 is upright
    bool ghostSegments = false; // show unlit segments faintly, like an LCD
    QChar dateSeparator = '/';  // drawn between month and day

    // Window frame and the button bay.
    QColor outline, bayTop, bayBottom, bayEdge;
    QColor buttonTop, buttonBottom, buttonEdge, buttonText, logo;

    // Display face. It is flat: every glyph cell shares this colour so it blends in.
    QColor face, faceLine, ink, ghost, accent, saturday, sunday;

    // The dog.
    QColor dogBody, dogPatch, dogLine, dogCollar, dogTongue;
};

inline QColor rgb(QRgb value) { return QColor::fromRgb(value); }

// Blend of two colours: t = 0 gives a, t = 1 gives b.
inline QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

inline Design blueDesign()
{
    Design d;
    d.name = "blue";
    d.digits = DigitShape::Segments;
    d.seconds = SecondsShape::Bars;
    d.dateSeparator = '/';
    d.outline = rgb(0x1d3f66);
    d.bayTop = rgb(0x5596d6);
    d.bayBottom = rgb(0x2c64a6);
    d.bayEdge = rgb(0x1d3f66);
    d.buttonTop = rgb(0xf2f8fe);
    d.buttonBottom = rgb(0xc3d9ef);
    d.buttonEdge = rgb(0x1f4a7a);
    d.buttonText = rgb(0x1f4a7a);
    d.logo = rgb(0xffffff);
    d.face = rgb(0xf1f6fb);
    d.faceLine = rgb(0xc8d9ea);
    d.ink = rgb(0x173f70);
    d.ghost = rgb(0xd6e3f0);
    d.accent = rgb(0x2f86d6);
    d.saturday = rgb(0x2563c9);
    d.sunday = rgb(0xd23a3a);
    d.dogBody = rgb(0xffffff);
    d.dogPatch = rgb(0xc99763);
    d.dogLine = rgb(0x173f70);
    d.dogCollar = rgb(0xd23a3a);
    d.dogTongue = rgb(0xf08090);
    return d;
}

inline Design sakuraDesign()
{
    Design d;
    d.name = "sakura";
    d.digits = DigitShape::Strokes;
    d.seconds = SecondsShape::Pie;
    d.dateSeparator = '.';
    d.outline = rgb(0xb4577a);
    d.bayTop = rgb(0xf9cbd8);
    d.bayBottom = rgb(0xeea3ba);
    d.bayEdge = rgb(0xc76d8e);
    d.buttonTop = rgb(0xfffbfb);
    d.buttonBottom = rgb(0xfbe1e9);
    d.buttonEdge = rgb(0xc76d8e);
    d.buttonText = rgb(0xa8416a);
    d.logo = rgb(0xa8416a);
    d.face = rgb(0xfff8ef);
    d.faceLine = rgb(0xf0dccd);
    d.ink = rgb(0xb23c64);
    d.ghost = rgb(0xf4e1da);
    d.accent = rgb(0xe57a9c);
    d.saturday = rgb(0x3f6fc4);
    d.sunday = rgb(0xd93450);
    d.dogBody = rgb(0xf4c58f);
    d.dogPatch = rgb(0xd48a52);
    d.dogLine = rgb(0x8a4b3a);
    d.dogCollar = rgb(0xe57a9c);
    d.dogTongue = rgb(0xee6f84);
    return d;
}

inline Design nightDesign()
{
    Design d;
    d.name = "night";
    d.digits = DigitShape::Segments;
    d.seconds = SecondsShape::Bars;
    d.slant = 0.1;
    d.ghostSegments = true;
    d.dateSeparator = '-';
    d.outline = rgb(0x000000);
    d.bayTop = rgb(0x34363b);
    d.bayBottom = rgb(0x17181b);
    d.bayEdge = rgb(0x050505);
    d.buttonTop = rgb(0x45474d);
    d.buttonBottom = rgb(0x27292d);
    d.buttonEdge = rgb(0x0a0a0b);
    d.buttonText = rgb(0xffb547);
    d.logo = rgb(0xffb547);
    d.face = rgb(0x15120d);
    d.faceLine = rgb(0x2e271c);
    d.ink = rgb(0xffb23e);
    d.ghost = rgb(0x2e261a);
    d.accent = rgb(0x7be495);
    d.saturday = rgb(0x7aa8ff);
    d.sunday = rgb(0xff6a5a);
    d.dogBody = rgb(0x2e271c);
    d.dogPatch = rgb(0x7a5622);
    d.dogLine = rgb(0xffb23e);
    d.dogCollar = rgb(0x7be495);
    d.dogTongue = rgb(0xff6a5a);
    return d;
}

// The first design is the default one.
inline std::vector<Design> shippedDesigns()
{
    return {blueDesign(), sakuraDesign(), nightDesign()};
}

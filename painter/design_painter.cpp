// Paints a design's pictures from its recipe.
#include "design_painter.h"

#include "glyphs.h"

#include "design/design_picture.h"
#include "design/glyph_atlas.h"
#include "design/skin_layout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace painter {

namespace {

using vespera::Corner;
namespace atlas = vespera::atlas;

constexpr int PictureWidth = atlas::kMinWidth;
constexpr int PictureHeight = atlas::kMinHeight;
constexpr int FaceHeight = 59;    // rows 0..58 hold the window face
constexpr int VisibleHeight = 52; // rows 52..58 are never shown

struct PanelButtons {
    QRectF menu, close, about, options, alarm;
};

PanelButtons panelButtons(Side side)
{
    if (side == Side::Left)
        return {{6, 7, 16, 23}, {6, 32, 16, 16}, {30, 7, 52, 10}, {28, 23, 55, 9}, {28, 36, 55, 9}};
    return {
        {414, 7, 16, 23}, {414, 32, 16, 16}, {354, 7, 52, 10}, {352, 23, 55, 9}, {352, 36, 55, 9}};
}

// Button bay, up to the groove that parts it from the display.
QRectF bayRect(Side side)
{
    return side == Side::Left ? QRectF(0, 0, 89, VisibleHeight)
                              : QRectF(349, 0, PictureWidth - 349, VisibleHeight);
}

// What the window shows of the picture in the top and in the bottom corner of
// a side, united: the rounded end bulges down at the top corners and up at
// the bottom ones, and one picture serves both. The face fills all of it less
// an edge of `inset` pixels along the straight sides. The rounded end is face
// to its last pixel: the window's shape cuts it there, and an edge painted
// for one corner's curve would run across the face in the other corner.
QPainterPath windowShape(Side side, double inset)
{
    const Corner top = side == Side::Left ? Corner::TopLeft : Corner::TopRight;
    const Corner bottom = side == Side::Left ? Corner::BottomLeft : Corner::BottomRight;
    QPainterPath shown;
    shown.addRegion(vespera::windowRegion(top, vespera::kBorderlessFrameOffset)
                    | vespera::windowRegion(bottom, vespera::kBorderlessFrameOffset));
    QPainterPath inner; // inside the straight edges
    inner.addRect(side == Side::Left
                      ? QRectF(3 + inset, inset, PictureWidth, VisibleHeight - 2 * inset)
                      : QRectF(0, inset, 438 - inset, VisibleHeight - 2 * inset));
    QPainterPath end; // the rounded end: past the straight part of either corner's shape
    end.addRect(side == Side::Left ? QRectF(367, 0, PictureWidth - 367, VisibleHeight)
                                   : QRectF(0, 0, 59, VisibleHeight));
    return shown.intersected(inner.united(end)).simplified();
}

template <typename Paint> void inCell(QPainter &p, const Recipe &d, const QRect &cell, Paint paint)
{
    p.save();
    p.setClipRect(cell);
    p.fillRect(cell, d.face);
    p.translate(cell.topLeft());
    paint();
    p.restore();
}

// ---- window face --------------------------------------------------------------

void paintBay(QPainter &p, const Recipe &d, Side side, const QPainterPath &shape)
{
    const QRectF bay = bayRect(side);
    QPainterPath area;
    area.addRect(bay);
    QLinearGradient shade(0, 0, 0, VisibleHeight);
    shade.setColorAt(0, d.bayTop);
    shade.setColorAt(1, d.bayBottom);
    p.fillPath(shape.intersected(area), shade);
    p.setPen(QPen(mix(d.bayTop, Qt::white, 0.3), 1));
    p.drawLine(QPointF(bay.left() + 4, 1.5), QPointF(bay.right() - 4, 1.5));

    const double grooveX = side == Side::Left ? bay.right() + 0.5 : bay.left() - 0.5;
    p.setPen(QPen(d.bayEdge, 1));
    p.drawLine(QPointF(grooveX, 1), QPointF(grooveX, VisibleHeight - 1));
}

void paintButton(QPainter &p, const Recipe &d, const QRectF &r, double radius)
{
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, d.buttonTop);
    shade.setColorAt(1, d.buttonBottom);
    p.setPen(QPen(d.buttonEdge, 1));
    p.setBrush(shade);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void paintMenuMark(QPainter &p, const Recipe &d, const QRectF &r)
{
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(d.buttonText);
    p.drawPolygon(QPolygonF({c + QPointF(-4, -2), c + QPointF(4, -2), c + QPointF(0, 3)}));
}

void paintCloseMark(QPainter &p, const Recipe &d, const QRectF &r)
{
    const QPointF c = r.center();
    p.setPen(QPen(d.buttonText, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
    p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
}

void paintButtons(QPainter &p, const Recipe &d, Side side)
{
    const PanelButtons b = panelButtons(side);
    paintButton(p, d, b.menu, 3);
    paintMenuMark(p, d, b.menu);
    paintButton(p, d, b.close, 3);
    paintCloseMark(p, d, b.close);
    drawCaption(p, b.about, "vespera", labelFont(10, true), d.logo);
    const QFont small = labelFont(7);
    paintButton(p, d, b.options, 4.5);
    drawCaption(p, b.options, "OPTION", small, d.buttonText);
    paintButton(p, d, b.alarm, 4.5);
    drawCaption(p, b.alarm, "ALARM", small, d.buttonText);
}

// Static marks on the display: the hour colon, the date separator and dividers.
void paintDisplayMarks(QPainter &p, const Recipe &d, Side side)
{
    drawColon(p, d, QPointF(233.5, 27), 12);
    drawDateSeparator(p, d, QRectF(133, 28, 11, 14));
    p.setPen(QPen(d.faceLine, 1));
    p.drawLine(QPointF(180.5, 10), QPointF(180.5, 44));
    const double divider = side == Side::Left ? 343.5 : 92.5;
    p.drawLine(QPointF(divider, 8), QPointF(divider, 44));
}

// The window face alone, `scale` times its size.
QImage paintWindowFace(const Recipe &d, Side side, int scale)
{
    QImage face(PictureWidth * scale, FaceHeight * scale, QImage::Format_RGB32);
    face.fill(d.outline);
    QPainter p(&face);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.scale(scale, scale);
    const QPainterPath shape = windowShape(side, 1);
    p.fillPath(shape, d.face);
    paintBay(p, d, side, shape);
    paintButtons(p, d, side);
    paintDisplayMarks(p, d, side);
    return face;
}

// ---- glyph atlas ----------------------------------------------------------------

void paintDigitGlyphs(QPainter &p, const Recipe &d)
{
    for (int n = 0; n < 10; ++n) {
        inCell(p, d, atlas::largeDigit(n), [&] { drawBigDigit(p, d, n); });
        inCell(p, d, atlas::smallDigit(n), [&] { drawSmallDigit(p, d, n); });
    }
}

// The blink mark is shown over the fixed one, a little lower (and, on the left
// layout, further right); both draw their LED on the same spot of the window.
void paintLedGlyphs(QPainter &p, const Recipe &d, Side side)
{
    const bool left = side == Side::Left;
    const QPointF led = left ? QPointF(392, 13) : QPointF(84.5, 13);
    const QPoint fixedAt = left ? QPoint(384, 5) : QPoint(78, 5);
    const QPoint blinkAt = left ? QPoint(387, 8) : QPoint(78, 8);
    inCell(p, d, atlas::fixedMark(), [&] { drawFixedMark(p, d, led - fixedAt); });
    inCell(p, d, atlas::blinkMark(), [&] { drawBlinkMark(p, d, led - blinkAt); });
}

void paintMarkGlyphs(QPainter &p, const Recipe &d)
{
    inCell(p, d, atlas::amMark(), [&] { drawMeridiem(p, d, false); });
    inCell(p, d, atlas::pmMark(), [&] { drawMeridiem(p, d, true); });
    for (int w = 1; w <= 5; ++w)
        inCell(p, d, atlas::weekMark(w), [&] { drawWeekMark(p, d, w); });
    for (int q = 0; q < 4; ++q)
        inCell(p, d, atlas::secondsStep(q), [&] { drawSecondsMark(p, d, q); });
    for (int k = 0; k < 7; ++k)
        inCell(p, d, atlas::weekday(k), [&] { drawWeekday(p, d, k); });
    inCell(p, d, atlas::alarmOn(), [&] { drawBell(p, d, true); });
    inCell(p, d, atlas::alarmOff(), [&] { drawBell(p, d, false); });
    p.fillRect(atlas::fillPatch(), d.face);
}

// The dog sits close to the window's rounded end, so its cells carry the face
// from exactly where it is shown, window edge included. It looks towards the digits.
void paintDogGlyphs(QPainter &p, const Recipe &d, Side side, const QImage &face, int scale)
{
    const QRect shownAt(side == Side::Left ? 346 : 40, 18, 39, 31);
    const QRect cells[] = {atlas::dogResting(), atlas::dogPoseA(), atlas::dogPoseB()};
    const DogPose poses[] = {DogPose::Resting, DogPose::WagForward, DogPose::WagBack};
    for (int i = 0; i < 3; ++i) {
        const QRect cell = cells[i];
        inCell(p, d, cell, [&] {
            p.drawImage(QRectF(0, 0, shownAt.width(), shownAt.height()), face,
                        QRectF(shownAt.topLeft() * scale, shownAt.size() * scale));
            if (side == Side::Right)
                p.setTransform(QTransform(-1, 0, 0, 1, cell.width(), 0), true);
            drawDog(p, d, poses[i]);
        });
    }
}

} // namespace

QImage paintDesignPicture(const Recipe &d, Side side, int scale)
{
    scale = scale >= 2 ? 2 : 1;
    QImage picture(PictureWidth * scale, PictureHeight * scale, QImage::Format_RGB32);
    picture.fill(d.face);
    const QImage face = paintWindowFace(d, side, scale);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.drawImage(0, 0, face);
    p.scale(scale, scale);
    paintDigitGlyphs(p, d);
    paintMarkGlyphs(p, d);
    paintLedGlyphs(p, d, side);
    paintDogGlyphs(p, d, side, face, scale);
    return picture;
}

QVector<vespera::DesignFile> paintDesignFiles(const Recipe &recipe)
{
    return {
        {QStringLiteral(".vss"), vespera::pngBytes(paintDesignPicture(recipe, Side::Left, 1))},
        {QStringLiteral(".vsr"), vespera::pngBytes(paintDesignPicture(recipe, Side::Right, 1))},
        {QStringLiteral("@2x.vss"), vespera::pngBytes(paintDesignPicture(recipe, Side::Left, 2))},
        {QStringLiteral("@2x.vsr"), vespera::pngBytes(paintDesignPicture(recipe, Side::Right, 2))},
        {QStringLiteral(".recipe"), recipeText(recipe)},
    };
}

} // namespace painter

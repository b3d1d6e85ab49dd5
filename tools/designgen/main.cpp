// main.cpp — designgen: paints each design's picture (window face + glyph atlas) as PNG files.
#include "designs.h"
#include "glyphs.h"
#include "output.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>


namespace {

constexpr int PictureWidth = 440;
constexpr int PictureHeight = 134;
constexpr int FaceHeight = 59;    // rows 0..58 hold the window face
constexpr int VisibleHeight = 52; // rows 52..58 are never shown

enum class Side { Left, Right }; // where the button bay sits

struct PanelButtons {
    QRectF menu, close, about, options, alarm;
};

PanelButtons panelButtons(Side side)
{
    if (side == Side::Left)
        return {{6, 7, 16, 23}, {6, 32, 16, 16}, {30, 7, 52, 10}, {28, 23, 55, 9}, {28, 36, 55, 9}};
    return {{414, 7, 16, 23}, {414, 32, 16, 16}, {354, 7, 52, 10}, {352, 23, 55, 9},
            {352, 36, 55, 9}};
}

// Button bay, up to the groove that parts it from the display.
QRectF bayRect(Side side)
{
    return side == Side::Left ? QRectF(0, 0, 89, VisibleHeight)
                              : QRectF(349, 0, PictureWidth - 349, VisibleHeight);
}

// The window's outline: a rectangle with one end rounded off by an ellipse,
// shrunk by `inset` pixels.
QPainterPath windowShape(Side side, double inset)
{
    const QRectF body = side == Side::Left ? QRectF(3, 0, 361, VisibleHeight)
                                           : QRectF(59, 0, 379, VisibleHeight);
    const QRectF oval = side == Side::Left ? QRectF(297, -50, 128, 102)
                                           : QRectF(5, -50, 104, 102);
    const QMarginsF in(inset, inset, inset, inset);
    QPainterPath rect, ellipse, rows;
    rect.addRect(body - in);
    ellipse.addEllipse(oval - in);
    rows.addRect(QRectF(0, inset, PictureWidth, VisibleHeight - 2 * inset));
    return rect.united(ellipse.intersected(rows));
}

template <typename Paint>
void inCell(QPainter &p, const Design &d, const QRect &cell, Paint paint)
{
    p.save();
    p.setClipRect(cell);
    p.fillRect(cell, d.face);
    p.translate(cell.topLeft());
    paint();
    p.restore();
}

// ---- window face --------------------------------------------------------------

void paintBay(QPainter &p, const Design &d, Side side, const QPainterPath &shape)
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

void paintButton(QPainter &p, const Design &d, const QRectF &r, double radius)
{
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, d.buttonTop);
    shade.setColorAt(1, d.buttonBottom);
    p.setPen(QPen(d.buttonEdge, 1));
    p.setBrush(shade);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void paintMenuMark(QPainter &p, const Design &d, const QRectF &r)
{
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(d.buttonText);
    p.drawPolygon(QPolygonF({c + QPointF(-4, -2), c + QPointF(4, -2), c + QPointF(0, 3)}));
}

void paintCloseMark(QPainter &p, const Design &d, const QRectF &r)
{
    const QPointF c = r.center();
    p.setPen(QPen(d.buttonText, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
    p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
}

void paintButtons(QPainter &p, const Design &d, Side side)
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
void paintDisplayMarks(QPainter &p, const Design &d, Side side)
{
    drawColon(p, d, QPointF(233.5, 27), 12);
    drawDateSeparator(p, d, QRectF(133, 28, 11, 14));
    p.setPen(QPen(d.faceLine, 1));
    p.drawLine(QPointF(180.5, 10), QPointF(180.5, 44));
    const double divider = side == Side::Left ? 343.5 : 92.5;
    p.drawLine(QPointF(divider, 8), QPointF(divider, 44));
}

QImage paintWindowFace(const Design &d, Side side)
{
    QImage face(PictureWidth, FaceHeight, QImage::Format_RGB32);
    face.fill(d.outline);
    QPainter p(&face);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QPainterPath shape = windowShape(side, 1);
    p.fillPath(shape, d.face);
    paintBay(p, d, side, shape);
    paintButtons(p, d, side);
    paintDisplayMarks(p, d, side);
    return face;
}

// ---- glyph atlas ----------------------------------------------------------------

void paintDigitGlyphs(QPainter &p, const Design &d)
{
    for (int n = 0; n < 10; ++n) {
        inCell(p, d, QRect(22 * n, 60, 22, 32), [&] { drawBigDigit(p, d, n); });
        inCell(p, d, QRect(92 + 10 * n, 92, 10, 14), [&] { drawSmallDigit(p, d, n); });
    }
}

// The blink mark is shown over the fixed one, a little lower (and, on the left
// layout, further right); both draw their LED on the same spot of the window.
void paintLedGlyphs(QPainter &p, const Design &d, Side side)
{
    const bool left = side == Side::Left;
    const QPointF led = left ? QPointF(392, 13) : QPointF(84.5, 13);
    const QPoint fixedAt = left ? QPoint(384, 5) : QPoint(78, 5);
    const QPoint blinkAt = left ? QPoint(387, 8) : QPoint(78, 8);
    inCell(p, d, QRect(192, 92, 13, 13), [&] { drawFixedMark(p, d, led - fixedAt); });
    inCell(p, d, QRect(205, 92, 13, 13), [&] { drawBlinkMark(p, d, led - blinkAt); });
}

void paintMarkGlyphs(QPainter &p, const Design &d)
{
    inCell(p, d, QRect(220, 60, 32, 32), [&] { drawMeridiem(p, d, false); });
    inCell(p, d, QRect(252, 60, 32, 32), [&] { drawMeridiem(p, d, true); });
    for (int w = 1; w <= 5; ++w)
        inCell(p, d, QRect(284 + 15 * (w - 1), 60, 15, 36), [&] { drawWeekMark(p, d, w); });
    for (int q = 0; q < 4; ++q)
        inCell(p, d, QRect(23 * q, 92, 23, 42), [&] { drawSecondsMark(p, d, q); });
    for (int k = 0; k < 7; ++k)
        inCell(p, d, QRect(92 + 15 * k, 106, 15, 15), [&] { drawWeekday(p, d, k); });
    inCell(p, d, QRect(92, 121, 18, 13), [&] { drawBell(p, d, true); });
    inCell(p, d, QRect(110, 121, 18, 13), [&] { drawBell(p, d, false); });
    p.fillRect(QRect(128, 121, 5, 5), d.face);
}

// The dog sits close to the window's rounded end, so its cells carry the face
// from exactly where it is shown, window edge included. It looks towards the digits.
void paintDogGlyphs(QPainter &p, const Design &d, Side side, const QImage &face)
{
    const QRect shownAt(side == Side::Left ? 346 : 40, 18, 39, 31);
    const DogPose poses[] = {DogPose::Resting, DogPose::WagForward, DogPose::WagBack};
    for (int i = 0; i < 3; ++i) {
        const QRect cell(220 + 39 * i, 96, 39, 31);
        inCell(p, d, cell, [&] {
            p.drawImage(0, 0, face, shownAt.x(), shownAt.y(), shownAt.width(), shownAt.height());
            if (side == Side::Right)
                p.setTransform(QTransform(-1, 0, 0, 1, cell.width(), 0), true);
            drawDog(p, d, poses[i]);
        });
    }
}

QImage paintPicture(const Design &d, Side side)
{
    QImage picture(PictureWidth, PictureHeight, QImage::Format_RGB32);
    picture.fill(d.face);
    const QImage face = paintWindowFace(d, side);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.drawImage(0, 0, face);
    paintDigitGlyphs(p, d);
    paintMarkGlyphs(p, d);
    paintLedGlyphs(p, d, side);
    paintDogGlyphs(p, d, side, face);
    return picture;
}

bool writeDesign(const QDir &outDir, const Design &d)
{
    for (Side side : {Side::Left, Side::Right}) {
        const QString file = outDir.filePath(d.name + (side == Side::Left ? ".vss" : ".vsr"));
        if (!savePicture(paintPicture(d, side), file, "designgen"))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    paintOffscreen();
    QGuiApplication app(argc, argv);
    QDir outDir;
    if (const int status = outputFolder(argc, argv, "designgen", outDir))
        return status;
    for (const Design &d : shippedDesigns()) {
        if (!writeDesign(outDir, d))
            return 1;
    }
    return 0;
}

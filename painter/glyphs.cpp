// Painters for the single clock glyphs: digits, marks, weekdays, bell and dog.
#include "glyphs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace painter {

namespace {

// ---- digits ---------------------------------------------------------------

// Lit segments per digit; bit 0 is segment a (top), then b, c, d, e, f, g (middle).
constexpr unsigned char SegmentBits[10] = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

QPolygonF horizontalSegment(double x0, double x1, double y, double t)
{
    const double h = t / 2;
    return QPolygonF(
        {{x0, y}, {x0 + h, y - h}, {x1 - h, y - h}, {x1, y}, {x1 - h, y + h}, {x0 + h, y + h}});
}

QPolygonF verticalSegment(double x, double y0, double y1, double t)
{
    const double h = t / 2;
    return QPolygonF(
        {{x, y0}, {x + h, y0 + h}, {x + h, y1 - h}, {x, y1}, {x - h, y1 - h}, {x - h, y0 + h}});
}

std::array<QPolygonF, 7> segmentShapes(const QRectF &box, double t, double gap)
{
    const double l = box.left() + t / 2, r = box.right() - t / 2;
    const double top = box.top() + t / 2, mid = box.center().y(), bot = box.bottom() - t / 2;
    return {
        horizontalSegment(l + gap, r - gap, top, t), verticalSegment(r, top + gap, mid - gap, t),
        verticalSegment(r, mid + gap, bot - gap, t), horizontalSegment(l + gap, r - gap, bot, t),
        verticalSegment(l, mid + gap, bot - gap, t), verticalSegment(l, top + gap, mid - gap, t),
        horizontalSegment(l + gap, r - gap, mid, t),
    };
}

void paintSegments(QPainter &p, const Recipe &d, int digit, const QRectF &box, double t)
{
    const auto shapes = segmentShapes(box, t, t * 0.16);
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        const bool lit = SegmentBits[digit] & (1u << s);
        if (!lit && !d.unlitSegments)
            continue;
        p.setBrush(lit ? d.ink : d.ghost);
        p.drawPolygon(shapes[s]);
    }
}

// Round-stroke digits, drawn as centre lines on a 10 × 16 grid.
QPainterPath strokeDigitPath(int digit)
{
    QPainterPath p;
    switch (digit) {
    case 0: p.addRoundedRect(QRectF(0, 0, 10, 16), 5, 5); break;
    case 1:
        p.moveTo(2.5, 3);
        p.lineTo(6, 0);
        p.lineTo(6, 16);
        break;
    case 2:
        p.arcMoveTo(QRectF(0, 0, 10, 10), 160);
        p.arcTo(QRectF(0, 0, 10, 10), 160, -190);
        p.lineTo(0, 16);
        p.lineTo(10, 16);
        break;
    case 3:
        p.arcMoveTo(QRectF(0.5, 0, 9, 7.6), 155);
        p.arcTo(QRectF(0.5, 0, 9, 7.6), 155, -245);
        p.arcTo(QRectF(0, 7.6, 10, 8.4), 90, -250);
        break;
    case 4:
        p.moveTo(7.5, 16);
        p.lineTo(7.5, 0);
        p.lineTo(0, 11);
        p.lineTo(10, 11);
        break;
    case 5:
        p.moveTo(9.5, 0);
        p.lineTo(1.2, 0);
        p.lineTo(0.6, 7.6);
        p.arcTo(QRectF(0, 5.5, 10, 10.5), 145, -300);
        break;
    case 6:
        p.moveTo(8.5, 0.6);
        p.cubicTo(3, -0.8, 0, 4, 0, 10.75);
        p.addEllipse(QRectF(0, 5.5, 10, 10.5));
        break;
    case 7:
        p.moveTo(0, 0);
        p.lineTo(10, 0);
        p.cubicTo(6.5, 5, 4.5, 10, 4, 16);
        break;
    case 8:
        p.addEllipse(QRectF(0.8, 0, 8.4, 7.4));
        p.addEllipse(QRectF(0, 7.4, 10, 8.6));
        break;
    case 9:
        p.addEllipse(QRectF(0, 0, 10, 10.5));
        p.moveTo(10, 5.25);
        p.cubicTo(10, 12, 6.5, 16.5, 1.5, 15.4);
        break;
    }
    return p;
}

void paintStrokes(QPainter &p, const Recipe &d, int digit, const QRectF &box, double weight)
{
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 10, box.height() / 16);
    p.setPen(QPen(d.ink, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(toBox.map(strokeDigitPath(digit)));
}

// Leans the painter forward around a point by the design's slant.
void applySlant(QPainter &p, const Recipe &d, const QPointF &centre)
{
    QTransform lean;
    lean.translate(centre.x(), centre.y());
    lean.shear(-d.slant, 0);
    lean.translate(-centre.x(), -centre.y());
    p.setTransform(lean, true);
}

// A five by seven grid of dots per digit, a row a byte, the leftmost dot
// the highest of five bits.
constexpr unsigned char DotRows[10][7] = {
    {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e}, {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e},
    {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f}, {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e},
    {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02}, {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e},
    {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e}, {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e}, {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c},
};

void paintDots(QPainter &p, const Recipe &d, int digit, const QRectF &box)
{
    const double pitchX = box.width() / 5, pitchY = box.height() / 7;
    const double radius = std::min(pitchX, pitchY) * 0.42;
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 5; ++col) {
            const bool lit = DotRows[digit][row] & (0x10 >> col);
            if (!lit && !d.unlitSegments)
                continue;
            p.setBrush(lit ? d.ink : d.ghost);
            p.drawEllipse(
                QPointF(box.left() + pitchX * (col + 0.5), box.top() + pitchY * (row + 0.5)),
                radius, radius);
        }
    }
}

// A digit of an installed font, as large as the box is high, centred on the
// ink of the font's own "0" so that every digit stands on one line.
void paintFontDigit(QPainter &p, const Recipe &d, int digit, const QRectF &box)
{
    QFont font(d.digitFont);
    font.setPixelSize(100); // measured large, then scaled to the box
    font.setStyleStrategy(QFont::PreferOutline);
    font.setBold(d.digitBold);
    QPainterPath zero, glyph;
    zero.addText(0, 0, font, QStringLiteral("0"));
    glyph.addText(0, 0, font, QString::number(digit));
    const QRectF ink = zero.boundingRect();
    if (ink.isEmpty())
        return;
    const double scale = std::min(box.height() / ink.height(), box.width() / ink.width());
    QTransform toBox;
    toBox.translate(box.center().x(), box.center().y());
    toBox.scale(scale, scale);
    toBox.translate(-ink.center().x(), -ink.center().y());
    p.fillPath(toBox.map(glyph), d.ink);
}

struct DigitMetrics {
    QRectF segmentBox;
    double segmentWidth;
    QRectF strokeBox;
    double strokeWidth;
};

void drawDigit(QPainter &p, const Recipe &d, int digit, const DigitMetrics &m)
{
    p.save();
    applySlant(p, d, m.segmentBox.center());
    switch (d.digits) {
    case DigitStyle::Segments: paintSegments(p, d, digit, m.segmentBox, m.segmentWidth); break;
    case DigitStyle::Strokes: paintStrokes(p, d, digit, m.strokeBox, m.strokeWidth); break;
    case DigitStyle::Dots: paintDots(p, d, digit, m.segmentBox); break;
    case DigitStyle::Font: paintFontDigit(p, d, digit, m.segmentBox); break;
    }
    p.restore();
}

// ---- text -------------------------------------------------------------------

QFont cjkFont(double pixelSize)
{
    QFont f;
    f.setFamilies({"Noto Sans CJK JP", "Source Han Sans JP", "IPAexGothic", "IPAGothic",
                   "TakaoPGothic", "VL PGothic", "Droid Sans Fallback"});
    f.setPixelSize(int(pixelSize));
    f.setWeight(QFont::Bold);
    return f;
}

// Fills the outline of a text centred on its inked extent.
void fillCentredText(QPainter &p, const QRectF &box, const QString &text, const QFont &font,
                     const QColor &colour)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    path.translate(box.center() - ink.center());
    p.fillPath(path, colour);
}

// ---- marks ----------------------------------------------------------------

constexpr double LedRadius = 3.5;

void drawLed(QPainter &p, const QPointF &centre, const QColor &colour, bool lit)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, LedRadius, LedRadius);
    if (!lit)
        return;
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(centre + QPointF(-1, -1), 1.2, 1.2);
}

QPainterPath bellShape()
{
    QPainterPath b;
    b.moveTo(3.5, 10);
    b.cubicTo(5.2, 9, 5, 7, 5.2, 5.5);
    b.cubicTo(5.5, 2.2, 7, 1.6, 9, 1.6);
    b.cubicTo(11, 1.6, 12.5, 2.2, 12.8, 5.5);
    b.cubicTo(13, 7, 12.8, 9, 14.5, 10);
    b.closeSubpath();
    b.addEllipse(QPointF(9, 1.3), 1.1, 1.1);
    b.addEllipse(QPointF(9, 11), 1.5, 1.5);
    b.setFillRule(Qt::WindingFill);
    return b.simplified();
}

void drawRings(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.8, 2.5, 5, 7), 120 * 16, 120 * 16);
    p.drawArc(QRectF(12.2, 2.5, 5, 7), -60 * 16, 120 * 16);
}

// ---- the dog (faces left, towards the digits) -------------------------------

QPainterPath frontLeg(bool raised)
{
    QPainterPath leg;
    if (!raised) {
        leg.addRoundedRect(QRectF(12.5, 18, 4.3, 11.6), 2, 2);
        return leg;
    }
    leg.addRoundedRect(QRectF(-2.15, 0, 4.3, 10), 2, 2);
    QTransform lift;
    lift.translate(14.6, 19);
    lift.rotate(65);
    return lift.map(leg);
}

QPainterPath dogOutline(DogPose pose)
{
    QPainterPath body;
    body.setFillRule(Qt::WindingFill);
    body.addEllipse(QRectF(3, 1.5, 15, 14));   // head
    body.addEllipse(QRectF(0.5, 8.3, 9, 6.4)); // snout
    body.addEllipse(QRectF(11, 11, 15, 18));   // chest and back
    body.addEllipse(QRectF(19, 16, 14, 13.6)); // haunch
    body.addRoundedRect(QRectF(17, 18, 4.3, 11.6), 2, 2);
    body.addPath(frontLeg(pose == DogPose::WagBack));
    body.addEllipse(QRectF(22, 26.3, 9.5, 3.6)); // hind paw
    return body.simplified();
}

QPainterPath dogTail(DogPose pose)
{
    QPainterPath tail;
    switch (pose) {
    case DogPose::Resting:
        tail.moveTo(31, 25);
        tail.cubicTo(34, 27, 35.5, 28.3, 37.6, 27.6);
        break;
    case DogPose::WagForward:
        tail.moveTo(30.5, 21);
        tail.cubicTo(33.5, 17, 33.8, 12, 31, 8.5);
        break;
    case DogPose::WagBack:
        tail.moveTo(30.5, 21);
        tail.cubicTo(35, 19, 37.6, 14, 37, 9);
        break;
    }
    return tail;
}

void paintDogTail(QPainter &p, const Recipe &d, DogPose pose)
{
    const QPainterPath tail = dogTail(pose);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(d.dogLine, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(d.dogBody, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
}

void paintDogEar(QPainter &p, const Recipe &d)
{
    QPainterPath ear;
    ear.moveTo(11.5, 2.8);
    ear.cubicTo(16.5, 0.5, 20, 3.5, 19, 9.5);
    ear.cubicTo(18.6, 11.5, 16, 11.6, 15.2, 9.5);
    ear.cubicTo(14.4, 7.4, 13, 5.5, 11.5, 2.8);
    p.setPen(QPen(d.dogLine, 0.9));
    p.setBrush(d.dogPatch);
    p.drawPath(ear);
}

void paintDogFace(QPainter &p, const Recipe &d, DogPose pose)
{
    const QPen line(d.dogLine, 0.9, Qt::SolidLine, Qt::RoundCap);
    p.setPen(Qt::NoPen);
    p.setBrush(d.dogLine);
    p.drawEllipse(QRectF(0.3, 8.6, 3.3, 2.7)); // nose
    if (pose == DogPose::Resting) {
        QPainterPath eye; // closed, content
        eye.moveTo(7.3, 7.6);
        eye.quadTo(8.6, 9, 9.9, 7.6);
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawPath(eye);
    } else {
        p.drawEllipse(QPointF(8.6, 7.6), 1.3, 1.3);
        p.setPen(QPen(d.dogLine, 0.6));
        p.setBrush(d.dogTongue);
        p.drawEllipse(QRectF(4.2, 13.2, 2.8, 3.4));
    }
    QPainterPath mouth;
    mouth.moveTo(2.8, 12.8);
    mouth.quadTo(4.4, 14.6, 7, 13.4);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
}

void paintDogDetails(QPainter &p, const Recipe &d, DogPose pose, const QPainterPath &body)
{
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    p.setPen(QPen(d.dogCollar, 2.2));
    p.drawLine(QPointF(11, 14.8), QPointF(18.5, 13.2));
    p.setPen(QPen(d.dogLine, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(19, 16, 14, 13.6), 105 * 16, 80 * 16); // thigh
    if (pose != DogPose::WagBack)
        p.drawLine(QPointF(16.9, 21.5), QPointF(16.9, 29.6)); // between front legs
    p.restore();
}

} // namespace

// ---- public painters --------------------------------------------------------

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QFont labelFont(double pixelSize, bool italic)
{
    QFont f;
    f.setFamilies({"DejaVu Sans", "Noto Sans", "Liberation Sans", "FreeSans"});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(int(pixelSize));
    f.setWeight(QFont::Bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Latin captions: drawn as text (hinted), centred on the cap height.
void drawCaption(QPainter &p, const QRectF &box, const QString &text, const QFont &font,
                 const QColor &colour)
{
    const QFontMetricsF fm(font);
    const double x = box.center().x() - fm.horizontalAdvance(text) / 2;
    const double baseline = std::round(box.center().y() + fm.capHeight() / 2);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QPointF(std::round(x), baseline), text);
}

void drawBigDigit(QPainter &p, const Recipe &d, int digit)
{
    drawDigit(p, d, digit, {QRectF(3, 2, 16, 28), 3.6, QRectF(4.5, 3.5, 13, 25), 3.2});
}

void drawSmallDigit(QPainter &p, const Recipe &d, int digit)
{
    drawDigit(p, d, digit, {QRectF(1, 1, 8, 12), 2.0, QRectF(2.2, 2, 5.6, 10), 1.5});
}

void drawColon(QPainter &p, const Recipe &d, const QPointF &centre, double spacing)
{
    p.save();
    applySlant(p, d, centre);
    p.setPen(Qt::NoPen);
    p.setBrush(d.ink);
    for (double dy : {-spacing / 2, spacing / 2}) {
        const QPointF c = centre + QPointF(0, dy);
        if (d.digits == DigitStyle::Segments)
            p.drawRect(QRectF(c.x() - 1.8, c.y() - 1.8, 3.6, 3.6));
        else
            p.drawEllipse(c, 1.9, 1.9);
    }
    p.restore();
}

void drawDateSeparator(QPainter &p, const Recipe &d, const QRectF &box)
{
    p.save();
    applySlant(p, d, box.center());
    const QPointF c = box.center();
    p.setPen(
        QPen(d.ink, d.digits == DigitStyle::Segments ? 2.0 : 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(d.ink);
    if (d.dateSeparator == '/')
        p.drawLine(QPointF(c.x() + 2.5, box.top() + 2), QPointF(c.x() - 2.5, box.bottom() - 2));
    else if (d.dateSeparator == '-')
        p.drawLine(QPointF(c.x() - 2.5, c.y()), QPointF(c.x() + 2.5, c.y()));
    else
        p.drawEllipse(QPointF(c.x(), box.bottom() - 3), 0.9, 0.9);
    p.restore();
}

// Two stacked labels, the current one lit. The 24-hour mark is put together at run
// time from the PM glyph's top half over the AM glyph, which shows both labels unlit.
void drawMeridiem(QPainter &p, const Recipe &d, bool pm)
{
    const QFont font = labelFont(11);
    drawCaption(p, QRectF(0, 1, 32, 14), "AM", font, pm ? d.ghost : d.ink);
    drawCaption(p, QRectF(0, 17, 32, 14), "PM", font, pm ? d.ink : d.ghost);
}

void drawWeekMark(QPainter &p, const Recipe &d, int week)
{
    p.setPen(Qt::NoPen);
    for (int n = 1; n <= 5; ++n) {
        p.setBrush(n == week ? d.accent : d.ghost);
        p.drawRoundedRect(QRectF(3, 2 + 7 * (n - 1), 9, 4), 1.5, 1.5);
    }
}

void drawSecondsMark(QPainter &p, const Recipe &d, int quarter)
{
    p.setPen(Qt::NoPen);
    if (d.seconds == SecondsStyle::Bars) {
        for (int q = 0; q < 4; ++q) {
            p.setBrush(q <= quarter ? d.accent : d.ghost);
            p.drawRoundedRect(QRectF(6, 31 - 8 * q, 11, 6), 1.5, 1.5);
        }
        return;
    }
    const QRectF disc(2, 11.5, 19, 19);
    for (int q = 0; q < 4; ++q) {
        p.setBrush(q <= quarter ? d.accent : d.ghost);
        p.drawPie(disc, (90 - 90 * q) * 16, -90 * 16);
    }
    p.setPen(QPen(d.face, 1.2));
    p.drawLine(QPointF(disc.center().x(), disc.top()), QPointF(disc.center().x(), disc.bottom()));
    p.drawLine(QPointF(disc.left(), disc.center().y()), QPointF(disc.right(), disc.center().y()));
}

void drawWeekday(QPainter &p, const Recipe &d, int day)
{
    static const QString Names[7] = {"月", "火", "水", "木", "金", "土", "日"};
    const QColor colour = day == 5 ? d.saturday : day == 6 ? d.sunday : d.ink;
    fillCentredText(p, QRectF(0, 0, 15, 15), Names[day], cjkFont(13), colour);
}

void drawFixedMark(QPainter &p, const Recipe &d, const QPointF &led)
{
    drawLed(p, led, d.ghost, false);
}

void drawBlinkMark(QPainter &p, const Recipe &d, const QPointF &led)
{
    drawLed(p, led, d.accent, true);
}

void drawDog(QPainter &p, const Recipe &d, DogPose pose)
{
    paintDogTail(p, d, pose);
    const QPainterPath body = dogOutline(pose);
    p.setPen(QPen(d.dogLine, 1.0));
    p.setBrush(d.dogBody);
    p.drawPath(body);
    paintDogDetails(p, d, pose, body);
    paintDogEar(p, d);
    paintDogFace(p, d, pose);
}

void drawBell(QPainter &p, const Recipe &d, bool on)
{
    p.setPen(Qt::NoPen);
    p.setBrush(on ? d.accent : d.ghost);
    p.drawPath(bellShape());
    if (on) {
        drawRings(p, d.accent);
        return;
    }
    p.setPen(QPen(mix(d.ghost, d.ink, 0.4), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 12), QPointF(14, 1));
}

} // namespace painter

// about.cpp — aboutgen: paints the about window's pictures and the programs'
// icon in the blue design's colours.
//   aboutgen OUTDIR   writes about.png, blink0.png, blink1.png, inu0.png,
//                     inu1.png, inu2.png and vespera-SIZE.png (48, 128, 256)
#include "output.h"
#include "painter/glyphs.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace painter;

namespace {

constexpr QSize AboutSize(321, 241);
constexpr int Ground = 190; // the row the dog stands on

// Where the about window shows each small picture, as it lays them out.
constexpr QRect BlinkAt[2] = {{121, 108, 11, 10}, {129, 121, 11, 10}};
constexpr QRect kDogAt[3] = {{48, 159, 37, 32}, {43, 158, 41, 33}, {44, 159, 44, 32}};
constexpr QRect VersionAt(240, 104, 68, 15); // white text goes on it

void paintSky(QPainter &p, const Recipe &d)
{
    QLinearGradient sky(0, 0, 0, Ground);
    sky.setColorAt(0, d.bayBottom);
    sky.setColorAt(1, mix(d.bayTop, Qt::white, 0.45));
    p.fillRect(QRect(0, 0, AboutSize.width(), Ground), sky);
    QLinearGradient ground(0, Ground, 0, AboutSize.height());
    ground.setColorAt(0, d.face);
    ground.setColorAt(1, d.faceLine);
    p.fillRect(QRect(0, Ground, AboutSize.width(), AboutSize.height() - Ground), ground);
    p.setPen(QPen(d.outline, 1));
    p.drawLine(QPointF(0, Ground + 0.5), QPointF(AboutSize.width(), Ground + 0.5));
}

// A small four-pointed star; `bright` draws it lit.
void paintStar(QPainter &p, const QPointF &c, double r, const QColor &colour)
{
    QPainterPath star;
    star.moveTo(c + QPointF(0, -r));
    star.quadTo(c, c + QPointF(r, 0));
    star.quadTo(c, c + QPointF(0, r));
    star.quadTo(c, c + QPointF(-r, 0));
    star.quadTo(c, c + QPointF(0, -r));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(star);
}

void paintTitle(QPainter &p, const Recipe &d)
{
    // The name, with a face-coloured band under it, like the clock's display.
    const QRectF band(18, 28, AboutSize.width() - 36, 58);
    p.setPen(QPen(d.outline, 1));
    p.setBrush(d.face);
    p.drawRoundedRect(band, 10, 10);
    drawCaption(p, band.adjusted(0, 2, 0, -16), "VESPERA", labelFont(34, true), d.ink);
    drawCaption(p, band.adjusted(0, 40, 0, -2), "デスクトップクロック", labelFont(11), d.ink);

    p.setPen(Qt::NoPen);
    p.setBrush(d.outline);
    p.drawRoundedRect(QRectF(VersionAt).adjusted(-4, -2, 4, 2), 6, 6);

    // Dim stars in the sky; the two bright ones are the blinking pictures.
    const QColor dim = mix(d.bayTop, Qt::white, 0.35);
    for (const QPointF c : {QPointF(30, 110), QPointF(80, 100), QPointF(190, 118), QPointF(215, 96),
                            QPointF(290, 140), QPointF(160, 150)})
        paintStar(p, c, 3, dim);
}

QImage paintBackground(const Recipe &d)
{
    QImage picture(AboutSize, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintSky(p, d);
    paintTitle(p, d);
    return picture;
}

// A small picture over the background, carrying the background it covers.
template <typename Paint>
QImage overBackground(const QImage &background, const QRect &at, Paint paint)
{
    QImage picture = background.copy(at);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing);
    paint(p);
    return picture;
}

QImage paintBlink(const QImage &background, int which)
{
    const QRect at = BlinkAt[which];
    return overBackground(background, at, [&](QPainter &p) {
        paintStar(p, QPointF(at.width() / 2.0, at.height() / 2.0), 5, Qt::white);
    });
}

// The dog of the designs, standing on the ground line: resting, then its two
// wagging poses a little larger, as if it jumped closer.
QImage paintDog(const QImage &background, const Recipe &d, int frame)
{
    const QRect at = kDogAt[frame];
    const DogPose poses[] = {DogPose::Resting, DogPose::WagForward, DogPose::WagBack};
    return overBackground(background, at, [&](QPainter &p) {
        const double scale = double(at.width()) / 39.0;
        // The dog's feet at the ground line, its cell is 39x31.
        p.translate(0, Ground - at.y() - 31 * scale);
        p.scale(scale, scale);
        drawDog(p, d, poses[frame]);
    });
}

// The icon: the clock's display with its button bay, showing 10:08.
QImage paintIcon(const Recipe &d, int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHints(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QRectF body(2, 10, 60, 44);
    p.setPen(QPen(d.outline, 1.5));
    QLinearGradient bay(0, body.top(), 0, body.bottom());
    bay.setColorAt(0, d.bayTop);
    bay.setColorAt(1, d.bayBottom);
    p.setBrush(bay);
    p.drawRoundedRect(body, 9, 9);
    const QRectF display(12, 16, 46, 32);
    p.setBrush(d.face);
    p.setPen(QPen(d.outline, 1));
    p.drawRoundedRect(display, 5, 5);
    // Two big digits, as they stand in the design picture.
    const int digits[] = {1, 0};
    for (int i = 0; i < 2; ++i) {
        p.save();
        p.translate(display.left() + 2 + i * 21, display.top() + 1);
        p.scale(0.95, 0.95);
        drawBigDigit(p, d, digits[i]);
        p.restore();
    }
    // The bay's two buttons on the left.
    p.setPen(QPen(d.buttonEdge, 0.8));
    p.setBrush(d.buttonTop);
    p.drawRoundedRect(QRectF(4.5, 18, 5, 10), 1.5, 1.5);
    p.drawRoundedRect(QRectF(4.5, 32, 5, 10), 1.5, 1.5);
    return icon;
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    return savePicture(image, dir.filePath(name), "aboutgen");
}

} // namespace

int main(int argc, char **argv)
{
    paintOffscreen();
    QGuiApplication app(argc, argv);
    QDir out;
    if (const int status = outputFolder(argc, argv, "aboutgen", out))
        return status;
    const Recipe d; // the default design, blue
    const QImage background = paintBackground(d);
    bool ok = save(background, out, "about.png");
    for (int i = 0; i < 2; ++i)
        ok = ok && save(paintBlink(background, i), out, QString("blink%1.png").arg(i));
    for (int i = 0; i < 3; ++i)
        ok = ok && save(paintDog(background, d, i), out, QString("inu%1.png").arg(i));
    for (int size : {48, 128, 256})
        ok = ok && save(paintIcon(d, size), out, QString("vespera-%1.png").arg(size));
    return ok ? 0 : 1;
}

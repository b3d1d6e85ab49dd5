// What a design looks like on the desktop, for the catalogue.
#include "preview.h"

#include "design/design_picture.h"
#include "design/glyph_atlas.h"
#include "design/skin_layout.h"

#include <QFile>
#include <QPainter>

namespace vesweb {

using vespera::Ctl;
namespace atlas = vespera::atlas;

QImage designPreview(const QImage &design)
{
    if (design.width() < atlas::kMinWidth || design.height() < atlas::kMinHeight)
        return QImage();
    // Cut to the window's shape in the top left corner, as it stands on the desktop.
    QImage face(atlas::background().size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter p(&face);
    p.setClipRegion(
        vespera::windowRegion(vespera::Corner::TopLeft, vespera::kBorderlessFrameOffset));
    p.drawImage(0, 0, design, 0, 0, face.width(), face.height());
    auto put = [&](Ctl at, const QRect &glyph) {
        p.drawImage(vespera::controlRect(at, vespera::Corner::TopLeft).topLeft(), design, glyph);
    };
    // 10:08 AM, Monday 7 December 2026, the second Monday of the month.
    const int time[] = {1, 0, 0, 8};
    const Ctl figures[] = {Ctl::HourTens, Ctl::HourOnes, Ctl::MinuteTens, Ctl::MinuteOnes};
    for (int i = 0; i < 4; ++i)
        put(figures[i], atlas::largeDigit(time[i]));
    put(Ctl::AmPm, atlas::amMark());
    put(Ctl::SecondsGauge, atlas::secondsStep(0));
    const int year[] = {2, 0, 2, 6};
    const Ctl yearFigures[] = {Ctl::Year1, Ctl::Year2, Ctl::Year3, Ctl::Year4};
    for (int i = 0; i < 4; ++i)
        put(yearFigures[i], atlas::smallDigit(year[i]));
    put(Ctl::MonthTens, atlas::smallDigit(1));
    put(Ctl::MonthOnes, atlas::smallDigit(2));
    put(Ctl::DayOnes, atlas::smallDigit(7));
    put(Ctl::Weekday, atlas::weekday(0));
    put(Ctl::WeekMark, atlas::weekMark(2));
    return face;
}

QByteArray designPreviewPng(const QString &picturePath)
{
    QFile file(picturePath);
    return file.open(QIODevice::ReadOnly) ? designPreviewPng(&file) : QByteArray();
}

QByteArray designPreviewPng(QIODevice *device)
{
    const QImage preview = designPreview(vespera::readDesignPicture(device));
    return preview.isNull() ? QByteArray() : vespera::pngBytes(preview);
}

} // namespace vesweb

// The face on the clock window.
#include "face_view.h"

#include "common/data_dir.h"
#include "core/clock_settings.h"
#include "design/design_files.h"
#include "design/design_picture.h"
#include "design/glyph_atlas.h"
#include "platform/glyph_surface.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace vespera {

namespace {
const Ctl kCounterShown[] = {Ctl::HourTens,   Ctl::HourOnes, Ctl::MinuteTens,
                             Ctl::MinuteOnes, Ctl::Year1,    Ctl::Year2,
                             Ctl::Year3,      Ctl::Year4,    Ctl::CounterCoverDate};
const Ctl kCounterHidden[] = {Ctl::AmPm,      Ctl::SecondsGauge, Ctl::WeekMark, Ctl::MonthTens,
                              Ctl::MonthOnes, Ctl::DayTens,      Ctl::DayOnes,  Ctl::Weekday};
// The counter views' panel: at the left of the figures in a counter view,
// off the face otherwise.
constexpr QPoint kCounterPanelShown(111, 11);
constexpr QPoint kCounterPanelAway(0, 100);
} // namespace

FaceView::FaceView(QWidget *window) : m_window(window)
{
    for (int i = 0; i < kCtlCount; ++i) {
        if (isClickArea(Ctl(i)))
            setHidden(Ctl(i)); // click areas are never painted
    }
    setHidden(Ctl::CounterCoverDate);
    setHidden(Ctl::DogPoseA);
    setHidden(Ctl::DogPoseB);
    place(Ctl::CounterCoverLeft, QRect(kCounterPanelAway, QSize(85, 33)));
}

void FaceView::layOut(Corner corner)
{
    for (int i = 0; i < kCtlCount; ++i) {
        const Ctl c = static_cast<Ctl>(i);
        const QRect r = controlRect(c, corner);
        if (c == Ctl::CounterCoverLeft) // its place belongs to the views
            place(c, QRect(control(c).geometry.topLeft(), r.size()));
        else
            place(c, r);
    }
    setLine(dogLine(corner));
}

void FaceView::paintFixedPieces(bool use24Hour, bool alarmOn)
{
    if (use24Hour)
        setSource(Ctl::AmPm, atlas::amMark(), atlas::pmUpperHalf());
    showAlarmMark(alarmOn);
    setSource(Ctl::DogResting, atlas::dogResting());
    setSource(Ctl::DogPoseA, atlas::dogPoseA());
    setSource(Ctl::DogPoseB, atlas::dogPoseB());
    setSource(Ctl::BlinkMark, atlas::blinkMark());
    setSource(Ctl::FixedMark, atlas::fixedMark());
    setStretched(Ctl::CounterCoverLeft);
    setStretched(Ctl::CounterCoverDate);
    setSource(Ctl::CounterCoverLeft, atlas::fillPatch());
    setSource(Ctl::CounterCoverDate, atlas::fillPatch());
}

void FaceView::showAlarmMark(bool alarmOn)
{
    setSource(Ctl::AlarmMark, alarmOn ? atlas::alarmOn() : atlas::alarmOff());
}

void FaceView::moveCounterPanel(QPoint topLeft)
{
    redraw(Ctl::CounterCoverLeft);
    place(Ctl::CounterCoverLeft, QRect(topLeft, control(Ctl::CounterCoverLeft).geometry.size()));
}

void FaceView::showCounterLayout(const QString &title)
{
    for (Ctl c : kCounterShown)
        setVisible(c, true);
    for (Ctl c : kCounterHidden)
        setVisible(c, false);
    setTitle(title);
    redraw(Ctl::CounterCoverDate);
    moveCounterPanel(kCounterPanelShown);
    redraw(Ctl::CounterCoverLeft);
}

void FaceView::showStandardLayout()
{
    for (Ctl c : kCounterHidden)
        setVisible(c, true);
    for (Ctl c : kCounterShown)
        setVisible(c, c != Ctl::CounterCoverDate);
    moveCounterPanel(kCounterPanelAway);
}

bool FaceView::loadDesign(QString name, Corner corner)
{
    const QString blue = ClockSettings::defaultSkin();
    const QString vsr = QStringLiteral(".vsr"), vss = QStringLiteral(".vss");
    // A design is a pair of files, one for each side.
    const bool usable = isSafeDesignName(name) && common::fileExists(common::dataFile(name + vsr))
                        && common::fileExists(common::dataFile(name + vss));
    if (!usable)
        name = blue;
    layOut(corner);
    const QString suffix = pictureSuffix(corner);
    return loadPicture(common::dataFile(name + suffix))
           || (name != blue && loadPicture(common::dataFile(blue + suffix))) || hasPicture();
}

bool FaceView::loadPicture(const QString &path)
{
    const QFileInfo info(path);
    const qint64 stamp = info.lastModified().toMSecsSinceEpoch() ^ info.size();
    if (path == m_picturePath && stamp == m_pictureStamp && !m_canvas.isNull())
        return true; // unchanged since the last load: no need to decode again

    const QImage image = readDesignPicture(path);
    if (image.isNull())
        return false;
    m_canvas.setScale(deviceRatio()); // before the picture: it is enlarged once
    // The larger picture is read only where it is shown, so a clock at 100 %
    // starts without decoding it.
    m_largerRead = m_canvas.scale() >= 1.5;
    m_canvas.setPicture(image,
                        m_largerRead ? readDesignPicture(largerPicturePath(path)) : QImage());
    // The counter title sits on the fill patch: dark text on a light patch, light on dark.
    const QColor fill = image.pixelColor(atlas::fillPatch().center());
    m_titleColor = fill.lightness() > 128 ? QColor(0x20, 0x20, 0x20) : QColor(0xe8, 0xe8, 0xe8);
    m_surfaceStale = true;
    m_picturePath = path;
    m_pictureStamp = stamp;
    m_window->update();
    return true;
}

void FaceView::apply(const GlyphPaints &paints)
{
    for (const GlyphPaint &p : paints) {
        if (p.visible)
            setSource(p.control, p.source);
        setVisible(p.control, p.visible);
    }
}

void FaceView::setVisible(Ctl c, bool visible)
{
    if (control(c).visible == visible)
        return;
    at(c).visible = visible;
    redraw(c);
}

void FaceView::setSource(Ctl c, const QRect &source, const QRect &overlay)
{
    FaceControl &k = at(c);
    if (k.source == source && k.overlay == overlay)
        return;
    k.source = source;
    k.overlay = overlay;
    if (k.visible)
        redraw(c);
}

void FaceView::redraw(Ctl c)
{
    const QRect area = control(c).geometry;
    if (m_wholeRepaintPending || !copyToScreen(area))
        m_window->update(area);
}

// Draws an area by copying from the picture on the display server, in the
// order a repaint paints; false when only the painter can draw it.
bool FaceView::copyToScreen(const QRect &area)
{
    if (!m_surface || !m_window->isVisible() || m_canvas.isNull())
        return false;
    followScale();
    // The X server gets its copy of the picture at the first copy, not at
    // start-up, where its upload (the picture at the screen's scale, 236 kB
    // at 100 %) and a round trip would keep the window from showing.
    if (m_surfaceStale) {
        m_surface->setPicture(m_canvas.devicePicture());
        m_surfaceStale = false;
    }
    if (!m_surface->ready())
        return false;
    const auto copies = m_canvas.copiesFor(area, m_controls, extras());
    if (!copies)
        return false;
    m_surface->copiesWithin(m_canvas.toDevice(area));
    for (const CellCopy &c : *copies)
        m_surface->copy(c.source, c.target);
    m_surface->flush();
    // The same few cells change every second: once one is in the region,
    // adding it again would only rebuild the region.
    if (std::find(m_staleCells.begin(), m_staleCells.end(), area) == m_staleCells.end()) {
        m_staleCells.push_back(area);
        m_staleInBackingStore += area;
    }
    return true;
}

qreal FaceView::deviceRatio() const
{
    return m_window->windowHandle() ? m_window->windowHandle()->devicePixelRatio()
                                    : m_window->devicePixelRatioF();
}

void FaceView::followScale()
{
    const qreal ratio = deviceRatio();
    if (!m_largerRead && ratio >= 1.5 && !m_canvas.isNull()) { // moved to a denser screen
        m_largerRead = true;
        m_canvas.setScale(ratio);
        m_canvas.setPicture(m_canvas.picture(),
                            readDesignPicture(largerPicturePath(m_picturePath)));
        m_surfaceStale = true;
        return;
    }
    if (m_canvas.setScale(ratio))
        m_surfaceStale = true;
}

Ctl FaceView::controlAt(QPoint pos) const
{
    for (int i = kCtlCount - 1; i >= 0; --i) {
        const Ctl c = static_cast<Ctl>(i);
        if ((control(c).visible || isClickArea(c)) && control(c).geometry.contains(pos))
            return c;
    }
    return Ctl::Count;
}

// Qt answers an expose from its own copy of the window, which misses what was
// copied straight to the screen: have it repaint those parts first.
void FaceView::exposed()
{
    if (m_staleInBackingStore.isEmpty())
        return;
    m_window->update(m_staleInBackingStore);
    m_staleInBackingStore = QRegion();
    m_staleCells.clear();
}

void FaceView::paint(QPaintEvent *event)
{
    followScale();
    const QSize deviceSize = m_canvas.toDevice(m_window->rect()).size();
    if (m_frame.size() != deviceSize)
        m_frame = QImage(deviceSize, QImage::Format_RGB32);
    // A pixel more on each side: Qt rounds the area to repaint its own way.
    const QRect area =
        m_canvas.toDevice(event->rect()).adjusted(-1, -1, 1, 1).intersected(m_frame.rect());
    m_canvas.paint(m_frame, area, m_controls, extras(), m_window->font());
    // One pixel of the frame to one pixel of the screen: undo the painter's
    // own scaling, so nothing is resampled.
    QPainter p(m_window);
    const qreal scale = m_canvas.scale();
    p.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale));
    p.drawImage(area.topLeft(), m_frame, area);
}

} // namespace vespera

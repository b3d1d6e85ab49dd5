// The face on the clock window: its controls, the design picture, and the
// two ways a change reaches the screen, copied straight from the display
// server's copy of the design or repainted through Qt.
#pragma once

#include "core/face.h"
#include "core/face_canvas.h"

#include <QImage>
#include <QRegion>
#include <vector>

class QPaintEvent;
class QWidget;

namespace platform {
class GlyphSurface;
}

namespace vespera {

class FaceView {
public:
    // The controls as a fresh window has them: click areas, the date's
    // cover and the dog's moving poses hidden.
    explicit FaceView(QWidget *window);

    // Every control where the corner's layout puts it, and the line under
    // the dog; the counter views' panel keeps its place.
    void layOut(Corner corner);
    // The pieces that do not change with the time.
    void paintFixedPieces(bool use24Hour, bool alarmOn);
    // The counter views' layout: the counter over the hour, minute and year
    // figures, the title on its panel; and the time's layout back.
    void showCounterLayout(const QString &title);
    void showStandardLayout();
    // The alarm mark, on or off.
    void showAlarmMark(bool alarmOn);

    // Where changed cells are copied straight to the screen; without one (or
    // when it cannot draw here) every change is painted through Qt.
    void setGlyphSurface(platform::GlyphSurface *surface)
    {
        m_surface = surface;
        m_surfaceStale = true;
    }

    // The design picture at a path; false when it is none. The same file,
    // unchanged since, is not decoded again.
    bool loadPicture(const QString &path);
    // The named design, laid out for the corner, from beside the program. A
    // name that reaches elsewhere, an incomplete pair of pictures or one
    // that cannot be read falls back to "blue"; false when neither loads and
    // no picture was loaded before.
    bool loadDesign(QString name, Corner corner);
    bool hasPicture() const { return !m_canvas.isNull(); }
    QString picturePath() const { return m_picturePath; }

    const FaceControl &control(Ctl c) const { return m_controls[static_cast<int>(c)]; }
    // Where a control sits, and whether it is stretched; nothing is redrawn.
    void place(Ctl c, const QRect &geometry) { at(c).geometry = geometry; }
    void setStretched(Ctl c) { at(c).stretch = true; }
    void setHidden(Ctl c) { at(c).visible = false; }

    // Changes that redraw what they change.
    void apply(const GlyphPaints &paints);
    void setVisible(Ctl c, bool visible);
    void setSource(Ctl c, const QRect &source, const QRect &overlay = QRect());
    void redraw(Ctl c);
    // While the whole window is about to be repainted, changes only mark.
    void setWholeRepaintPending(bool pending) { m_wholeRepaintPending = pending; }

    // The line under the dog, and the title a counter view writes on its panel.
    void setLine(const QLine &line) { m_line = line; }
    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }

    // The topmost control at a point of the face that is shown or is a
    // click area; Ctl::Count when there is none.
    Ctl controlAt(QPoint pos) const;

    // From the window's paint event, and from an expose of its native window.
    void paint(QPaintEvent *event);
    void exposed();

private:
    FaceControl &at(Ctl c) { return m_controls[static_cast<int>(c)]; }
    // Moves the counter views' panel, redrawing where it was.
    void moveCounterPanel(QPoint topLeft);
    bool copyToScreen(const QRect &area);
    // Follows the device pixel ratio of the screen the window is on.
    void followScale();
    qreal deviceRatio() const;
    FaceExtras extras() const { return {m_line, m_title, m_titleColor}; }

    QWidget *m_window;
    FaceControls m_controls{};
    FaceCanvas m_canvas;
    QImage m_frame; // the window at device size, painted into before it goes to Qt
    QColor m_titleColor;
    QLine m_line;
    QString m_title;
    platform::GlyphSurface *m_surface = nullptr;
    QRegion m_staleInBackingStore;   // drawn on screen behind Qt's back
    std::vector<QRect> m_staleCells; // the cells in it, as they were added
    QString m_picturePath;
    qint64 m_pictureStamp = 0;
    bool m_largerRead = false;   // whether the picture twice the size was looked for
    bool m_surfaceStale = false; // the surface's picture is not the canvas's
    bool m_wholeRepaintPending = false;
};

} // namespace vespera

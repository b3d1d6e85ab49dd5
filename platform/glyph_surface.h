// Copies rectangles of the design picture straight onto the clock window.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

class QWidget;

namespace platform {

// The face changes a few small cells a second. Copying them from a picture
// held by the display server costs one request per cell, where a repaint
// through the toolkit costs a paint pass and an image upload.
//
// The server clips every copy against the window's visible region, which
// for a shaped window is one rectangle per row of its rounded end; that
// clip was most of what a copy cost it. A graphics context clipped to the
// cell's own rectangle leaves it one rectangle to clip against instead,
// worked out once, when the context is first used with the window as it is.
class GlyphSurface {
public:
    virtual ~GlyphSurface() = default;
    // False when this surface cannot draw on the window (another platform, an
    // unusual visual): the window then paints the usual way.
    virtual bool ready() const = 0;
    virtual void setPicture(const QImage &picture) = 0;
    // The copies that follow, up to the next flush, all land inside this
    // rectangle of the window (device pixels).
    virtual void copiesWithin(const QRect &area) = 0;
    virtual void copy(const QRect &source, const QPoint &target) = 0;
    virtual void flush() = 0;
};

class XcbGlyphSurface : public GlyphSurface {
public:
    explicit XcbGlyphSurface(QWidget *window);
    ~XcbGlyphSurface() override;

    bool ready() const override { return m_pixmap != 0; }
    void setPicture(const QImage &picture) override;
    void copiesWithin(const QRect &area) override;
    void copy(const QRect &source, const QPoint &target) override;
    void flush() override;

private:
    void release();
    xcb_gcontext_t newContext(xcb_drawable_t drawable);
    QWidget *m_window;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_target = 0;
    uint8_t m_depth = 0;
    xcb_pixmap_t m_pixmap = 0;
    xcb_gcontext_t m_gc = 0; // unclipped
    // One context clipped to each area copied into, made at its first copy.
    std::vector<std::pair<QRect, xcb_gcontext_t>> m_areaContexts;
    xcb_gcontext_t m_copyContext = 0; // the one the copies use now
};

} // namespace platform

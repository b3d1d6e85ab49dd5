// Copies rectangles of the design picture straight onto the clock window.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <xcb/xcb.h>

class QWidget;

namespace platform {

// The face changes a few small cells a second. Copying them from a picture
// held by the display server costs one request per cell, where a repaint
// through the toolkit costs a paint pass and an image upload.
class GlyphSurface {
public:
    virtual ~GlyphSurface() = default;
    // False when this surface cannot draw on the window (another platform, an
    // unusual visual): the window then paints the usual way.
    virtual bool ready() const = 0;
    virtual void setPicture(const QImage &picture) = 0;
    virtual void copy(const QRect &source, const QPoint &target) = 0;
    virtual void flush() = 0;
};

class XcbGlyphSurface : public GlyphSurface {
public:
    explicit XcbGlyphSurface(QWidget *window);
    ~XcbGlyphSurface() override;

    bool ready() const override { return m_pixmap != 0; }
    void setPicture(const QImage &picture) override;
    void copy(const QRect &source, const QPoint &target) override;
    void flush() override;

private:
    void release();
    QWidget *m_window;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_target = 0;
    uint8_t m_depth = 0;
    xcb_pixmap_t m_pixmap = 0;
    xcb_gcontext_t m_gc = 0;
};

} // namespace platform

// Copies rectangles of the design picture straight onto the clock window.
#include "glyph_surface.h"
#include "x11_window.h"

#include <QWidget>
#include <cstdlib>

namespace platform {

namespace {

// The picture goes up as 32-bit pixels, little-endian: only a 24- or 32-bit
// visual stored that way can take it unchanged.
bool serverTakesRgb32(xcb_connection_t *c, uint8_t depth)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            return it.data->bits_per_pixel == 32;
    }
    return false;
}

} // namespace

XcbGlyphSurface::XcbGlyphSurface(QWidget *window) : m_window(window) {}

XcbGlyphSurface::~XcbGlyphSurface() { release(); }

void XcbGlyphSurface::release()
{
    if (m_connection && m_pixmap) {
        xcb_free_pixmap(m_connection, m_pixmap);
        xcb_free_gc(m_connection, m_gc);
        for (const auto &area : m_areaContexts)
            xcb_free_gc(m_connection, area.second);
        xcb_flush(m_connection);
    }
    m_pixmap = 0;
    m_gc = 0;
    m_copyContext = 0;
    m_areaContexts.clear();
}

xcb_gcontext_t XcbGlyphSurface::newContext(xcb_drawable_t drawable)
{
    const xcb_gcontext_t gc = xcb_generate_id(m_connection);
    const uint32_t noExposures = 0; // or every copy would wake us with a NoExpose event
    xcb_create_gc(m_connection, gc, drawable, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return gc;
}

void XcbGlyphSurface::setPicture(const QImage &picture)
{
    release();
    m_connection = x11::connection();
    if (!m_connection || picture.isNull())
        return;
    m_target = xcb_window_t(m_window->winId());
    xcb_get_geometry_reply_t *geo =
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, m_target), nullptr);
    m_depth = geo ? geo->depth : 0;
    free(geo);
    if ((m_depth != 24 && m_depth != 32) || !serverTakesRgb32(m_connection, m_depth))
        return;

    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    m_pixmap = xcb_generate_id(m_connection);
    xcb_create_pixmap(m_connection, m_depth, m_pixmap, m_target, uint16_t(image.width()),
                      uint16_t(image.height()));
    m_gc = newContext(m_pixmap);
    m_copyContext = m_gc;

    // In bands, so no request outgrows the server's limit.
    const int bandRows = qMax(1, 65536 / image.bytesPerLine());
    for (int y = 0; y < image.height(); y += bandRows) {
        const int rows = qMin(bandRows, image.height() - y);
        xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_pixmap, m_gc,
                      uint16_t(image.width()), uint16_t(rows), 0, int16_t(y), 0, m_depth,
                      uint32_t(rows * image.bytesPerLine()), image.constScanLine(y));
    }
    xcb_flush(m_connection);
}

void XcbGlyphSurface::copiesWithin(const QRect &area)
{
    if (!ready())
        return;
    for (const auto &known : m_areaContexts) {
        if (known.first == area) {
            m_copyContext = known.second;
            return;
        }
    }
    // The face has 30 controls, so 48 leaves room for a few areas of other
    // shapes; past that the copies take the unclipped context.
    if (m_areaContexts.size() >= 48 || area.isEmpty()) {
        m_copyContext = m_gc;
        return;
    }
    m_copyContext = newContext(m_pixmap);
    const xcb_rectangle_t clip{int16_t(area.x()), int16_t(area.y()), uint16_t(area.width()),
                               uint16_t(area.height())};
    xcb_set_clip_rectangles(m_connection, XCB_CLIP_ORDERING_YX_BANDED, m_copyContext, 0, 0, 1,
                            &clip);
    m_areaContexts.emplace_back(area, m_copyContext);
}

void XcbGlyphSurface::copy(const QRect &source, const QPoint &target)
{
    if (!ready() || source.isEmpty())
        return;
    xcb_copy_area(m_connection, m_pixmap, m_target, m_copyContext, int16_t(source.x()),
                  int16_t(source.y()), int16_t(target.x()), int16_t(target.y()),
                  uint16_t(source.width()), uint16_t(source.height()));
}

void XcbGlyphSurface::flush()
{
    if (!ready())
        return;
    xcb_flush(m_connection);
    m_copyContext = m_gc;
}

} // namespace platform

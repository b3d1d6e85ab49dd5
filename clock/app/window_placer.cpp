// Where the clock window goes.
#include "window_placer.h"
#include "core/placement.h"

#include "design/skin_layout.h"
#include "platform/qt_desktop.h"

#include <QWidget>

namespace vespera {

WindowPlacer::WindowPlacer(QWidget *window, platform::Desktop *desktop)
    : m_window(window), m_desktop(desktop), m_configure(window)
{
}

QScreen *WindowPlacer::screen() const { return platform::screenNamed(m_monitor); }

void WindowPlacer::moveTo(QPoint topLeft)
{
    m_placed = topLeft;
    platform::x11::moveExact(m_window, topLeft, screen());
    m_realTop.reset(); // wherever the window manager lets it go
}

int WindowPlacer::realTop()
{
    if (m_configure.takeChanged() || !m_realTop) {
        const QScreen *s = screen();
        const QPoint frame = platform::x11::toNative(m_window->frameGeometry().topLeft(), s);
        const QPoint client = platform::x11::toNative(m_window->geometry().topLeft(), s);
        m_realTop = platform::x11::realPosition(m_window, s).y() - (client.y() - frame.y());
    }
    return *m_realTop;
}

std::optional<bool> WindowPlacer::misplaced(Corner corner, int frameOffset)
{
    if (!isKnownCorner(corner))
        return std::nullopt;
    const int demanded = demandedTop(corner, m_workArea, frameOffset);
    return realTop() != platform::x11::toNative(QPoint(0, demanded), screen()).y();
}

bool WindowPlacer::shouldPlaceAgain(Corner corner, int frameOffset)
{
    return m_guard.shouldPlace(misplaced(corner, frameOffset) == true, realTop());
}

} // namespace vespera

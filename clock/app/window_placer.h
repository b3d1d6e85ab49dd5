// Where the clock window goes: its monitor and that monitor's work area, the
// place the window was put, and where the X server really has it, which a
// window manager may have made different.
#pragma once

#include "core/tucking.h"

#include "platform/desktop.h"
#include "platform/x11_window.h"

#include <QPoint>
#include <QString>
#include <optional>

class QScreen;
class QWidget;

namespace vespera {

class WindowPlacer {
public:
    WindowPlacer(QWidget *window, platform::Desktop *desktop);

    // The monitor the clock lives on; empty for the primary one, which it
    // also goes to while the chosen one is missing.
    QString monitor() const { return m_monitor; }
    void setMonitor(const QString &monitor) { m_monitor = monitor; }
    // The monitor's work area as last read, and reading it anew.
    const platform::WorkArea &workArea() const { return m_workArea; }
    void readWorkArea() { m_workArea = m_desktop->workArea(m_monitor); }
    bool workAreaChanged() const { return m_desktop->workArea(m_monitor) != m_workArea; }

    // Moves the window's top-left to a point of the monitor's screen.
    void moveTo(QPoint topLeft);
    QPoint placed() const { return m_placed; }

    // Whether the window's top is off where its corner demands; nothing for
    // a corner the clock does not know, which is never re-placed.
    std::optional<bool> misplaced(Corner corner, int frameOffset);
    // Whether a tick that found the window off its place places it anew (see
    // PlacementGuard), and forgetting that after what the manager allows changed.
    bool shouldPlaceAgain(Corner corner, int frameOffset);
    void allowPlacingAgain() { m_guard.reset(); }

private:
    // The screen of the monitor: its positions are mapped to the X server's
    // pixels by that screen, also where they reach past its edge.
    QScreen *screen() const;
    // The top of the window's frame as the X server has it, in its pixels.
    int realTop();

    QWidget *m_window;
    platform::Desktop *m_desktop;
    QString m_monitor;
    platform::WorkArea m_workArea;
    QPoint m_placed;
    std::optional<int> m_realTop; // as last read from the X server, in its pixels
    platform::x11::ConfigureWatcher m_configure;
    PlacementGuard m_guard;
};

} // namespace vespera

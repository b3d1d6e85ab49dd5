// The desktop around the clock, as the clock's logic asks about it: monitors
// and their work areas, the pointer and the [Shift] key.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace platform {

// Left/Top/Right/Bottom of the work area in pixels, Right and Bottom exclusive.
struct WorkArea {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const WorkArea &o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const WorkArea &o) const { return !(*this == o); }
};

struct Monitor {
    QString name;     // the output's name, as the display server gives it ("DP-1")
    QSize resolution; // in the monitor's own pixels, as its owner knows it
    bool primary = false;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Every monitor, the primary one first.
    virtual QList<Monitor> monitors() const = 0;
    // The work area of the named monitor (the monitor without the panels
    // that reserve space on it); of the primary one when no monitor has
    // that name, the empty name included.
    virtual WorkArea workArea(const QString &monitor = QString()) const = 0;
    // Where to open a menu for the pointer.
    virtual QPoint pointerPos() const = 0;
    // Where the pointer is, when the desktop can tell. In a Wayland session
    // the X server sees the pointer only over X windows; elsewhere it is
    // not seen at all, and its last known place is no answer.
    virtual std::optional<QPoint> seenPointer() const = 0;
    virtual bool shiftAlone() const = 0; // [Shift] held and no other modifier
};

} // namespace platform

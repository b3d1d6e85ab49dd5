// The desktop around the clock: monitors and their work areas, the pointer
// and the [Shift] key.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

class QScreen;
class QWidget;

namespace platform {
namespace x11 {
class PointerWatch;
}

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

class QtDesktop : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;
    QList<Monitor> monitors() const override;
    WorkArea workArea(const QString &monitor = QString()) const override;
    QPoint pointerPos() const override;
    std::optional<QPoint> seenPointer() const override;
    bool shiftAlone() const override;

private:
    std::unique_ptr<x11::PointerWatch> m_pointerWatch;
};

// The screen of the named monitor; the primary one when none has that name.
QScreen *screenNamed(const QString &monitor);

// The largest client area a window may have on its screen's work area with
// all of its frame there too: the frame is known once the window manager has
// framed the window, and a title bar's height is allowed before.
QSize roomOnScreen(const QWidget *window);

// Centres a window on its screen's work area, as large as it may be up to
// `wanted` (its present size when none is given) and never with its title bar
// off the top, where it could not be taken; a window that cannot shrink to
// fit goes off the bottom rather than the top.
void centreOnScreen(QWidget *window, QSize wanted = QSize());

} // namespace platform

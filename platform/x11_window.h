// What the clock needs from X11 beyond Qt: a dock-type window kept out of the
// task bar, exact placement, the stacking state and the real position.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class QScreen;
class QWidget;
struct xcb_connection_t;

namespace platform::x11 {

// Before the QApplication: X11, also in a Wayland session (through
// Xwayland), unless the user asked for a platform. The programs place
// their windows, keep the clock in its corner and bring each other's
// windows to the front through X11; a Wayland window can do none of these.
void preferX11();

bool available();               // running on the xcb platform
xcb_connection_t *connection(); // Qt's connection to the X server, or null

// The X server of a Wayland session. It sees the pointer only while the
// pointer is over one of its own windows; elsewhere it keeps the last place
// it saw, which says nothing about where the pointer is now.
bool isXwayland();
// Whether Xwayland still sees the pointer, from what it told us. A pointer
// that went on over a Wayland window leaves the X server's idea of it
// frozen where it was last seen, while one that goes over X windows keeps
// it moving: so away from our windows, a pointer that X places where it
// was at the last look (or where it left us) is out of sight. The window X
// finds below it tells nothing: under GNOME it is the window manager's
// full-screen guard window. On our windows X sees the pointer, except where
// the compositor never tells Xwayland that the pointer left a window it
// moved in (KWin 5.27): there a pointer unmoved for kRestMs counts as gone.
class PointerSighting {
public:
    void entered() { m_inside = true; }
    void left(QPoint at);
    // At a look: where X places the pointer now (its own pixels).
    bool seen(QPoint at, qint64 nowMs, bool leavingReported);

    static constexpr qint64 kRestMs = 5000;

private:
    bool m_inside = false;
    std::optional<QPoint> m_lastAt; // where X placed it at the last look, or where it left us
    std::optional<QPoint> m_restingAt;
    qint64 m_restingSinceMs = 0;
};

// Feeds a PointerSighting with the crossings of this program's windows.
class PointerWatch : public QAbstractNativeEventFilter {
public:
    PointerWatch();
    ~PointerWatch() override;
    // Whether the X server sees the pointer now (always on a plain X server).
    bool pointerSeen();
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override;

private:
    bool leavingIsReported();

    PointerSighting m_sighting;
    std::optional<bool> m_leavingReported;
    quint32 m_root = 0;
};

// Lets the pointer through the window wherever its shape is cut away: its
// input region becomes its shape. A compositor hands the pointer to an X
// window by the input region alone, so without this the cut-away corners
// would swallow the pointer on a Wayland desktop.
void inputFollowsShape(QWidget *w);

// Qt places windows in device-independent pixels, the X server in its own.
// A screen has its top left corner at the same place in both and scales by
// its device pixel ratio from there, as Qt maps them; a window that belongs
// to a screen is mapped by that screen even where it reaches past its edge.
QPoint toNative(QPoint logical, const QScreen *screen);
QRect toNative(const QRect &logical, const QScreen *screen);
// The other way; a rectangle keeps only the logical pixels wholly inside it.
QRect fromNative(const QRect &native, const QScreen *screen);

// The work areas the window manager publishes, in X pixels: one for each
// monitor where it tells them apart (_GTK_WORKAREAS_Dn), else the one of
// the whole desktop (_NET_WORKAREA). Empty without X11 or when none is set.
QList<QRect> workAreas();
// Tells when the window manager publishes new work areas. Qt's own signal
// does not serve: with several monitors Qt ignores _NET_WORKAREA.
class WorkAreaWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    WorkAreaWatcher();
    ~WorkAreaWatcher() override;
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override;

signals:
    void changed();
};

// The X11 window manager of wlroots compositors (sway and others) floats
// every window of a fixed size in the middle of the screen and ignores the
// positions asked for, later moves included: a window that has to sit in a
// corner must go past it (override-redirect) and keep itself on top.
bool managerCentresEveryWindow();

// Before the first show: make the window a dock (placed at exact pixels by
// every window manager tried, no strut) that skips the task bar and pager.
void prepareDock(QWidget *w, bool above);
// Above all normal windows, or below them (the only other state a dock has).
void setKeepAbove(QWidget *w, bool above);
// Moves the window on the server, bypassing Qt's idea of where it already
// is; topLeft is in Qt's pixels, mapped by the screen the window belongs to.
void moveExact(QWidget *w, QPoint topLeft, const QScreen *screen);
// Where the window really is, asked of the X server, in X pixels.
QPoint realPosition(const QWidget *w, const QScreen *screen);
// Notices when the X server reports that a window was moved, resized or
// reparented, so that its real position need be asked for only after such a
// change: asking costs a round trip to the server, and waking for it every
// second would multiply the clock's wake-ups.
class ConfigureWatcher : public QAbstractNativeEventFilter {
public:
    explicit ConfigureWatcher(const QWidget *w);
    ~ConfigureWatcher() override;
    // True once after each reported change, at first, and always without X11.
    bool takeChanged();
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override;

private:
    const QWidget *m_window;
    bool m_changed = true;
};

// Asks the window manager to give this window of ours the focus and bring it
// to the front, as a pager would ask, so that it is not refused.
void activate(QWidget *w);
// Asks the window manager to bring the managed window with this exact title
// to the front; false when there is none.
bool activateWindowOfClass(const QString &windowClass);

} // namespace platform::x11

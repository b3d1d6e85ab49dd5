// What the clock needs from X11 beyond Qt: a dock-type window kept out of the
// task bar, exact placement, the stacking state and the real position.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

class QScreen;
class QWidget;
struct xcb_connection_t;

namespace platform::x11 {

bool available();               // running on the xcb platform
xcb_connection_t *connection(); // Qt's connection to the X server, or null

// The X server of a Wayland session. It sees the pointer only while the
// pointer is over one of its own windows; elsewhere it keeps the last place
// it saw, which says nothing about where the pointer is now.
bool isXwayland();
// Whether the pointer is over an X window now (always so on a plain X server).
bool pointerOverXWindow();

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
bool activateWindowTitled(const QString &title);

} // namespace platform::x11

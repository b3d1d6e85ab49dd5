// What the clock needs from X11 beyond Qt: a dock-type window kept out of the
// task bar, exact placement, the stacking state and the real position.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QPoint>
#include <QString>

class QWidget;
struct xcb_connection_t;

namespace platform::x11 {

bool available();               // running on the xcb platform
xcb_connection_t *connection(); // Qt's connection to the X server, or null

// Before the first show: make the window a dock (placed at exact pixels by
// every window manager tried, no strut) that skips the task bar and pager.
void prepareDock(QWidget *w, bool above);
// Above all normal windows, or below them (the only other state a dock has).
void setKeepAbove(QWidget *w, bool above);
// Moves the window on the server, bypassing Qt's idea of where it already is.
void moveExact(QWidget *w, QPoint topLeft);
// Where the window really is, asked of the X server.
QPoint realPosition(const QWidget *w);
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

// The desktop around the clock: monitors and their work areas, the pointer
// and the [Shift] key.
#include "qt_desktop.h"
#include "x11_window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace platform {

QScreen *screenNamed(const QString &monitor)
{
    if (!monitor.isEmpty()) {
        for (QScreen *s : QGuiApplication::screens()) {
            if (s->name() == monitor)
                return s;
        }
    }
    return QGuiApplication::primaryScreen();
}

QtDesktop::QtDesktop() : m_pointerWatch(std::make_unique<x11::PointerWatch>()) {}

QtDesktop::~QtDesktop() = default;

QList<Monitor> QtDesktop::monitors() const
{
    QList<Monitor> list;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (const QScreen *s : QGuiApplication::screens()) {
        const Monitor m{s->name(), x11::toNative(s->geometry(), s).size(), s == primary};
        if (m.primary)
            list.prepend(m);
        else
            list.append(m);
    }
    return list;
}

WorkArea QtDesktop::workArea(const QString &monitor) const
{
    const QScreen *screen = screenNamed(monitor);
    if (!screen)
        return WorkArea{0, 0, 1024, 768};
    QRect r = screen->availableGeometry();
    if (x11::available()) {
        // Read from the X server: with several monitors Qt leaves the panels
        // out of its answer. A monitor's own work area where the window
        // manager publishes one, else the desktop's cut to the monitor.
        const QRect monitorArea = x11::toNative(screen->geometry(), screen);
        QRect area = monitorArea;
        const QList<QRect> published = x11::workAreas();
        bool own = false;
        for (const QRect &a : published) {
            if (!a.isEmpty() && monitorArea.contains(a)) {
                area = a;
                own = true;
                break;
            }
        }
        if (!own && !published.isEmpty() && published.first().intersects(monitorArea))
            area = published.first() & monitorArea;
        r = x11::fromNative(area, screen);
    }
    return WorkArea{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

QPoint QtDesktop::pointerPos() const { return QCursor::pos(); }

std::optional<QPoint> QtDesktop::seenPointer() const
{
    if (!m_pointerWatch->pointerSeen())
        return std::nullopt;
    return QCursor::pos();
}

bool QtDesktop::shiftAlone() const
{
    // queryKeyboardModifiers asks the server, so it works without focus.
    const auto mods = QGuiApplication::queryKeyboardModifiers()
                      & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return mods == Qt::ShiftModifier;
}

namespace {
// The frame around a window's client area. Before the window manager has
// framed it, a guess on the safe side: a title bar's height above, and more
// than the borders window managers draw at the sides and below.
QMargins frameAround(const QWidget *window)
{
    const QRect frame = window->frameGeometry(), client = window->geometry();
    if (frame == client) {
        constexpr int kBorder = 8;
        return QMargins(kBorder, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + kBorder,
                        kBorder, kBorder);
    }
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}
} // namespace

QSize roomOnScreen(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().marginsRemoved(frameAround(window)).size();
}

void centreOnScreen(QWidget *window, QSize wanted)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    if (!wanted.isValid())
        wanted = window->size();
    window->resize(wanted.boundedTo(roomOnScreen(window)));
    // Placed by its client area, which goes exactly where it is put (where
    // a frame's corner goes depends on the window manager): centred, then
    // moved as far as its frame needs to be on the screen, the top first.
    const QRect room = screen->availableGeometry().marginsRemoved(frameAround(window));
    QRect placed(QPoint(), window->size());
    placed.moveCenter(screen->availableGeometry().center());
    placed.moveBottom(std::min(placed.bottom(), room.bottom()));
    placed.moveRight(std::min(placed.right(), room.right()));
    placed.moveTop(std::max(placed.top(), room.top()));
    placed.moveLeft(std::max(placed.left(), room.left()));
    window->setGeometry(placed);
}

} // namespace platform

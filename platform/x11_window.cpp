// What the clock needs from X11 beyond Qt: a dock-type window kept out of the
// task bar, exact placement, the stacking state and the real position.
#include "x11_window.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace platform::x11 {

xcb_connection_t *connection()
{
    // Looked up once per application: Qt resolves the interface by name, a
    // twelfth of the clock's tick when the tick asked for it every second.
    static const QGuiApplication *lookedUpFor = nullptr;
    static xcb_connection_t *found = nullptr;
    if (qGuiApp != lookedUpFor) {
        auto *x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        found = x11 ? x11->connection() : nullptr;
        lookedUpFor = qGuiApp;
    }
    return found;
}

namespace {

// The names interned so far on the connection in use. An atom stays the
// server's for good, and asking for one is a round trip: start-up asked for
// the same few a dozen times before the window could show.
std::map<QByteArray, xcb_atom_t> &interned(xcb_connection_t *c)
{
    static xcb_connection_t *on = nullptr;
    static std::map<QByteArray, xcb_atom_t> atoms;
    if (c != on) {
        atoms.clear();
        on = c;
    }
    return atoms;
}

// Interns the names not known yet, all in one round trip.
void intern(xcb_connection_t *c, std::initializer_list<QByteArray> names)
{
    std::map<QByteArray, xcb_atom_t> &known = interned(c);
    std::vector<std::pair<QByteArray, xcb_intern_atom_cookie_t>> asked;
    for (const QByteArray &name : names) {
        if (known.count(name) == 0)
            asked.emplace_back(name, xcb_intern_atom(c, 0, uint16_t(name.size()), name.data()));
    }
    for (const auto &[name, cookie] : asked) {
        xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(c, cookie, nullptr);
        if (r && r->atom != XCB_ATOM_NONE)
            known[name] = r->atom;
        free(r);
    }
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const QByteArray key(name);
    intern(c, {key});
    const std::map<QByteArray, xcb_atom_t> &known = interned(c);
    const auto found = known.find(key);
    return found == known.end() ? XCB_ATOM_NONE : found->second;
}

void setAtomList(xcb_connection_t *c, xcb_window_t w, const char *property,
                 const std::vector<const char *> &names)
{
    std::vector<xcb_atom_t> values;
    for (const char *n : names)
        values.push_back(atom(c, n));
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom(c, property), XCB_ATOM_ATOM, 32,
                        uint32_t(values.size()), values.data());
}

xcb_window_t rootOf(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

void sendState(xcb_connection_t *c, xcb_window_t w, uint32_t action, const char *state)
{
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = atom(c, "_NET_WM_STATE");
    ev.data.data32[0] = action; // 0 remove, 1 add
    ev.data.data32[1] = atom(c, state);
    ev.data.data32[3] = 1; // from an application
    xcb_send_event(c, 0, rootOf(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&ev));
}

QByteArray property(xcb_connection_t *c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
{
    xcb_get_property_reply_t *r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 1 << 16), nullptr);
    QByteArray value;
    if (r && r->type != XCB_ATOM_NONE)
        value = QByteArray(static_cast<const char *>(xcb_get_property_value(r)),
                           xcb_get_property_value_length(r));
    free(r);
    return value;
}

QString windowTitle(xcb_connection_t *c, xcb_window_t w)
{
    const QByteArray utf8 = property(c, w, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"));
    if (!utf8.isEmpty())
        return QString::fromUtf8(utf8);
    return QString::fromLatin1(property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING));
}

void requestActivation(xcb_connection_t *c, xcb_window_t window)
{
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = atom(c, "_NET_ACTIVE_WINDOW");
    // As a pager would ask: the user's own action, or an alarm, wants this window.
    ev.data.data32[0] = 2;
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, rootOf(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&ev));
    xcb_flush(c);
}

QList<quint32> cardinals(xcb_connection_t *c, xcb_window_t w, const char *name)
{
    const QByteArray raw = property(c, w, atom(c, name), XCB_ATOM_CARDINAL);
    QList<quint32> values(raw.size() / 4);
    memcpy(values.data(), raw.constData(), size_t(values.size()) * 4);
    return values;
}

QList<QRect> rectsFrom(const QList<quint32> &v)
{
    QList<QRect> rects;
    for (int i = 0; i + 3 < v.size(); i += 4)
        rects << QRect(int(qint32(v[i])), int(qint32(v[i + 1])), int(v[i + 2]), int(v[i + 3]));
    return rects;
}

} // namespace

void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

bool available() { return connection() != nullptr; }

bool isXwayland()
{
    static const bool xwayland = [] {
        xcb_connection_t *c = connection();
        if (!c)
            return false;
        for (const QScreen *s : QGuiApplication::screens()) {
            if (s->name().startsWith(QLatin1String("XWAYLAND")))
                return true;
        }
        const char name[] = "XWAYLAND";
        xcb_query_extension_reply_t *r = xcb_query_extension_reply(
            c, xcb_query_extension(c, uint16_t(strlen(name)), name), nullptr);
        const bool present = r && r->present;
        free(r);
        return present;
    }();
    return xwayland;
}

PointerWatch::PointerWatch()
{
    if (!qGuiApp || !isXwayland())
        return;
    m_root = rootOf(connection());
    qGuiApp->installNativeEventFilter(this);
}

PointerWatch::~PointerWatch()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

namespace {
QString windowManagerName(xcb_connection_t *c)
{
    const QByteArray check =
        property(c, rootOf(c), atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() < int(sizeof(xcb_window_t)))
        return QString();
    return windowTitle(c, *reinterpret_cast<const xcb_window_t *>(check.constData()));
}
} // namespace

bool managerCentresEveryWindow()
{
    xcb_connection_t *c = connection();
    return c && windowManagerName(c) == QLatin1String("wlroots wm");
}

void PointerSighting::left(QPoint at)
{
    m_inside = false;
    m_lastAt = at;
    m_restingAt.reset();
}

bool PointerSighting::seen(QPoint at, qint64 nowMs, bool leavingReported)
{
    if (!m_inside) {
        const bool moved = !m_lastAt || at != *m_lastAt;
        m_lastAt = at;
        return moved;
    }
    if (leavingReported)
        return true;
    if (at != m_restingAt) {
        m_restingAt = at;
        m_restingSinceMs = nowMs;
    }
    return nowMs - m_restingSinceMs < kRestMs;
}

bool PointerWatch::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    if (type != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // Qt listens on the root too: a pointer that lands on the bare root
    // has gone out of sight, not come back to us.
    switch (event->response_type & 0x7f) {
    case XCB_LEAVE_NOTIFY: {
        const auto *leave = reinterpret_cast<const xcb_leave_notify_event_t *>(event);
        if (leave->event != m_root && leave->detail != XCB_NOTIFY_DETAIL_INFERIOR)
            m_sighting.left(QPoint(leave->root_x, leave->root_y));
        break;
    }
    case XCB_ENTER_NOTIFY:
        if (reinterpret_cast<const xcb_enter_notify_event_t *>(event)->event != m_root)
            m_sighting.entered();
        break;
    default: break;
    }
    return false; // Qt handles every event as well
}

// GNOME's compositor reports every leave; the others are not trusted to.
bool PointerWatch::leavingIsReported()
{
    if (!m_leavingReported) {
        const QString name = windowManagerName(connection());
        if (name.isEmpty())
            return true; // no window manager yet: ask again later
        m_leavingReported =
            name.contains(QLatin1String("Mutter")) || name.contains(QLatin1String("GNOME Shell"));
    }
    return *m_leavingReported;
}

bool PointerWatch::pointerSeen()
{
    xcb_connection_t *c = connection();
    if (!c || !isXwayland())
        return true;
    xcb_query_pointer_reply_t *r =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, rootOf(c)), nullptr);
    if (!r)
        return true;
    const QPoint at(r->root_x, r->root_y);
    free(r);
    const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    return m_sighting.seen(at, now, leavingIsReported());
}

void inputFollowsShape(QWidget *w)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const auto win = xcb_window_t(w->winId());
    xcb_shape_combine(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_SHAPE_SK_BOUNDING, win, 0, 0,
                      win);
    xcb_flush(c);
}

namespace {
qreal ratioOf(const QScreen *screen) { return screen ? screen->devicePixelRatio() : 1.0; }
QPoint originOf(const QScreen *screen) { return screen ? screen->geometry().topLeft() : QPoint(); }
} // namespace

QPoint toNative(QPoint logical, const QScreen *screen)
{
    const qreal ratio = ratioOf(screen);
    const QPoint o = originOf(screen);
    return o + QPoint(qRound((logical.x() - o.x()) * ratio), qRound((logical.y() - o.y()) * ratio));
}

QRect toNative(const QRect &logical, const QScreen *screen)
{
    const QPoint topLeft = toNative(logical.topLeft(), screen);
    const QPoint end = toNative(logical.bottomRight() + QPoint(1, 1), screen);
    return QRect(topLeft, end - QPoint(1, 1));
}

QRect fromNative(const QRect &native, const QScreen *screen)
{
    const qreal ratio = ratioOf(screen);
    const QPoint o = originOf(screen);
    const auto in = [ratio](int v, int origin, bool start) {
        const qreal l = origin + (v - origin) / ratio;
        // A thousandth of a pixel forgives the rounding of the division.
        return int(start ? std::ceil(l - 1e-3) : std::floor(l + 1e-3));
    };
    const int left = in(native.left(), o.x(), true);
    const int top = in(native.top(), o.y(), true);
    const int right = in(native.right() + 1, o.x(), false);
    const int bottom = in(native.bottom() + 1, o.y(), false);
    return QRect(left, top, right - left, bottom - top);
}

QList<QRect> workAreas()
{
    xcb_connection_t *c = connection();
    if (!c)
        return {};
    const xcb_window_t root = rootOf(c);
    intern(c, {"_NET_CURRENT_DESKTOP", "_GTK_WORKAREAS_D0", "_NET_WORKAREA"});
    const QList<quint32> current = cardinals(c, root, "_NET_CURRENT_DESKTOP");
    const int desktop = current.isEmpty() ? 0 : int(current.first());
    const QList<QRect> perMonitor =
        rectsFrom(cardinals(c, root, QByteArray("_GTK_WORKAREAS_D" + QByteArray::number(desktop))));
    if (!perMonitor.isEmpty())
        return perMonitor;
    const QList<QRect> perDesktop = rectsFrom(cardinals(c, root, "_NET_WORKAREA"));
    if (perDesktop.isEmpty())
        return {};
    return {perDesktop.value(desktop, perDesktop.first())};
}

namespace {
// The root's properties that hold or choose the work areas.
bool isWorkAreaProperty(xcb_connection_t *c, xcb_atom_t a)
{
    static const std::vector<xcb_atom_t> watched = [c] {
        std::vector<xcb_atom_t> atoms{atom(c, "_NET_WORKAREA"), atom(c, "_NET_CURRENT_DESKTOP")};
        for (int d = 0; d < 4; ++d) // desktops beyond the fourth follow at the next switch
            atoms.push_back(atom(c, QByteArray("_GTK_WORKAREAS_D" + QByteArray::number(d))));
        return atoms;
    }();
    return std::find(watched.begin(), watched.end(), a) != watched.end();
}
} // namespace

WorkAreaWatcher::WorkAreaWatcher()
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    // Property changes of the root come to us only if asked for; add the
    // mask to whatever Qt already asked for, not in its place.
    const xcb_window_t root = rootOf(c);
    xcb_get_window_attributes_reply_t *a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr);
    const uint32_t mask = (a ? a->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    free(a);
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    isWorkAreaProperty(c, XCB_ATOM_NONE); // learn the atoms now, not inside an event
    qGuiApp->installNativeEventFilter(this);
}

WorkAreaWatcher::~WorkAreaWatcher()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

bool WorkAreaWatcher::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    if (type != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    xcb_connection_t *c = connection();
    const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
    if (c && notify->window == rootOf(c) && isWorkAreaProperty(c, notify->atom))
        emit changed();
    return false;
}

void prepareDock(QWidget *w, bool above)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const auto win = xcb_window_t(w->winId());
    intern(c, {"_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK", "_NET_WM_STATE",
               "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE",
               "_NET_WM_STATE_BELOW"});
    setAtomList(c, win, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DOCK"});
    setAtomList(c, win, "_NET_WM_STATE",
                {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
                 above ? "_NET_WM_STATE_ABOVE" : "_NET_WM_STATE_BELOW"});
    xcb_flush(c);
}

void setKeepAbove(QWidget *w, bool above)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    if (!w->isVisible()) {
        prepareDock(w, above);
        return;
    }
    // Remove the old state before adding the new one, as window managers
    // otherwise may keep both.
    const auto win = xcb_window_t(w->winId());
    sendState(c, win, 0, above ? "_NET_WM_STATE_BELOW" : "_NET_WM_STATE_ABOVE");
    sendState(c, win, 1, above ? "_NET_WM_STATE_ABOVE" : "_NET_WM_STATE_BELOW");
    xcb_flush(c);
}

void moveExact(QWidget *w, QPoint topLeft, const QScreen *screen)
{
    w->move(topLeft);
    xcb_connection_t *c = connection();
    if (!c || !w->isVisible())
        return;
    const QPoint native = toNative(topLeft, screen);
    const uint32_t values[] = {uint32_t(native.x()), uint32_t(native.y())};
    xcb_configure_window(c, xcb_window_t(w->winId()), XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y,
                         values);
    xcb_flush(c);
}

QPoint realPosition(const QWidget *w, const QScreen *screen)
{
    xcb_connection_t *c = connection();
    if (!c)
        return toNative(w->pos(), screen);
    xcb_translate_coordinates_reply_t *r = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, xcb_window_t(w->winId()), rootOf(c), 0, 0), nullptr);
    const QPoint p = r ? QPoint(r->dst_x, r->dst_y) : toNative(w->pos(), screen);
    free(r);
    return p;
}

ConfigureWatcher::ConfigureWatcher(const QWidget *w) : m_window(w)
{
    if (qGuiApp)
        qGuiApp->installNativeEventFilter(this);
}

ConfigureWatcher::~ConfigureWatcher()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

bool ConfigureWatcher::takeChanged()
{
    if (!available())
        return true;
    const bool changed = m_changed;
    m_changed = false;
    return changed;
}

bool ConfigureWatcher::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    if (type != "xcb_generic_event_t" || !m_window->internalWinId())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const auto window = xcb_window_t(m_window->internalWinId());
    switch (event->response_type & 0x7f) { // synthetic ones count: a moved frame sends those
    case XCB_CONFIGURE_NOTIFY:
        m_changed |=
            reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window == window;
        break;
    case XCB_REPARENT_NOTIFY:
        m_changed |= reinterpret_cast<const xcb_reparent_notify_event_t *>(event)->window == window;
        break;
    default: break;
    }
    return false; // Qt handles every event as well
}

void activate(QWidget *w)
{
    if (xcb_connection_t *c = connection())
        requestActivation(c, xcb_window_t(w->winId()));
}

bool activateWindowOfClass(const QString &windowClass)
{
    xcb_connection_t *c = connection();
    if (!c || windowClass.isEmpty())
        return false;
    const xcb_window_t root = rootOf(c);
    const QByteArray list = property(c, root, atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    const auto *windows = reinterpret_cast<const xcb_window_t *>(list.constData());
    for (int i = 0; i < int(list.size() / sizeof(xcb_window_t)); ++i) {
        // WM_CLASS holds the instance's name and then the class's, each
        // ending in a zero byte.
        const QList<QByteArray> names =
            property(c, windows[i], XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
        if (names.size() < 2 || QString::fromLatin1(names[1]) != windowClass)
            continue;
        requestActivation(c, windows[i]);
        return true;
    }
    return false;
}

} // namespace platform::x11

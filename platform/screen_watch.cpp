// Whether anyone can see the screen, from the X screen saver, logind and the
// desktop's screen saver.
#include "screen_watch.h"
#include "x11_window.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>

#include <unistd.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace platform {

namespace {
const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
} // namespace

ScreenWatch::ScreenWatch()
{
    watchX11();
    watchLogind();
    watchDesktop();
}

ScreenWatch::~ScreenWatch()
{
    if (m_saverEvent && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

void ScreenWatch::set(bool &which, bool value)
{
    const bool was = hidden();
    which = value;
    if (hidden() != was)
        emit hiddenChanged(hidden());
}

void ScreenWatch::watchX11()
{
    xcb_connection_t *c = x11::connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_screensaver_id);
    if (!ext || !ext->present)
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_screensaver_select_input(c, root, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    xcb_screensaver_query_info_reply_t *info =
        xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, root), nullptr);
    m_saver = info && info->state == XCB_SCREENSAVER_STATE_ON;
    free(info);
    xcb_flush(c);
    m_saverEvent = ext->first_event;
    qGuiApp->installNativeEventFilter(this);
}

bool ScreenWatch::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    if (type != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != m_saverEvent + XCB_SCREENSAVER_NOTIFY)
        return false;
    const auto *notify = reinterpret_cast<const xcb_screensaver_notify_event_t *>(event);
    // "Cycle" is the server asking a saver to change its picture: still on.
    set(m_saver, notify->state != XCB_SCREENSAVER_STATE_OFF);
    return false;
}

// This session's object, asked for without waiting: a desktop without
// logind (or without a system bus) only goes without this way of knowing.
void ScreenWatch::watchLogind()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        kLogin, QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSessionByPID"));
    ask << quint32(::getpid());
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError())
            return; // not in a logind session
        const QString session = reply.value().path();
        QDBusConnection bus = QDBusConnection::systemBus();
        bus.connect(kLogin, session, kProperties, QStringLiteral("PropertiesChanged"), this,
                    SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
        QDBusMessage get =
            QDBusMessage::createMethodCall(kLogin, session, kProperties, QStringLiteral("Get"));
        get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("LockedHint");
        auto *first = new QDBusPendingCallWatcher(bus.asyncCall(get), this);
        connect(first, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher *f) {
                    f->deleteLater();
                    const QDBusPendingReply<QDBusVariant> locked = *f;
                    if (!locked.isError())
                        set(m_locked, locked.value().variant().toBool());
                });
    });
}

void ScreenWatch::onSessionProperties(const QString &interface, const QVariantMap &changed,
                                      const QStringList &)
{
    const auto hint = changed.constFind(QStringLiteral("LockedHint"));
    if (interface == QLatin1String("org.freedesktop.login1.Session") && hint != changed.constEnd())
        set(m_locked, hint->toBool());
}

// Signals only: nothing is asked of a service that may not be there.
void ScreenWatch::watchDesktop()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const struct {
        const char *path, *interface;
    } savers[] = {{"/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
                  {"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
                  {"/ScreenSaver", "org.freedesktop.ScreenSaver"}};
    for (const auto &saver : savers)
        bus.connect(QString(), QString::fromLatin1(saver.path),
                    QString::fromLatin1(saver.interface), QStringLiteral("ActiveChanged"), this,
                    SLOT(onDesktopSaver(bool)));
}

void ScreenWatch::onDesktopSaver(bool active) { set(m_desktopSaver, active); }

} // namespace platform

// Whether anyone can see the screen: not while the screen saver shows or the
// session is locked. A clock nobody sees need not tick every second.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace platform {

// Three ways a desktop tells of it, any of which may be missing: the X
// server's screen saver (its extension's notify events; `xset s activate`
// too), logind's LockedHint of this session (on the system bus), and the
// desktop's own screen saver signal on the session bus (GNOME's and the
// freedesktop one KDE Plasma and others send). The screen counts as hidden
// while any of them says so.
class ScreenWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    ScreenWatch();
    ~ScreenWatch() override;
    bool hidden() const { return m_saver || m_locked || m_desktopSaver; }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override;

signals:
    void hiddenChanged(bool hidden);

private slots:
    void onDesktopSaver(bool active);
    void onSessionProperties(const QString &interface, const QVariantMap &changed,
                             const QStringList &invalidated);

private:
    void watchX11();
    void watchLogind();
    void watchDesktop();
    void set(bool &which, bool value);

    bool m_saver = false, m_locked = false, m_desktopSaver = false;
    quint8 m_saverEvent = 0; // the extension's first event code; 0 without it
};

} // namespace platform

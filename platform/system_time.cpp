// Setting the computer's clock: the time of day, keeping the date.
#include "system_time.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDateTime>
#include <QTimer>

namespace platform {

SetTimeResult TimedatedSystemTime::resultOf(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return {true, QString()};
    const QString name = reply.errorName();
    QString why;
    if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
        why = QCoreApplication::translate(
            "SystemTime", "時刻の自動同期が有効になっているため、時刻を設定できません。");
    else if (name.endsWith(QLatin1String(".AccessDenied"))
             || name.endsWith(QLatin1String(".InteractiveAuthorizationRequired"))
             || name.endsWith(QLatin1String(".NotAuthorized")))
        why = QCoreApplication::translate("SystemTime", "時刻を設定する権限がありません。");
    else if (name.endsWith(QLatin1String(".ServiceUnknown"))
             || name.endsWith(QLatin1String(".NoServer"))
             || name.endsWith(QLatin1String(".Disconnected")))
        why = QCoreApplication::translate("SystemTime",
                                          "時刻を設定するサービス (timedated) が見つかりません。");
    else
        why = QCoreApplication::translate("SystemTime", "時刻を設定できませんでした。");
    const QString detail = reply.errorMessage().isEmpty() ? name : reply.errorMessage();
    return {false, why + QStringLiteral("\n(") + detail + QLatin1Char(')')};
}

void TimedatedSystemTime::setTimeOfDay(const QTime &time, std::function<void(SetTimeResult)> done)
{
    // Today's date with the new time, in local time, as timedated wants it:
    // microseconds since the epoch.
    const QDateTime target(QDate::currentDate(), time);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
    call << qint64(target.toMSecsSinceEpoch() * 1000) << false << true;
    call.setInteractiveAuthorizationAllowed(true);
    // Without a system bus no answer ever comes: say so at once (after this
    // call returns, as an answer would come).
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        const QString why = bus.lastError().message().isEmpty() ? QStringLiteral("no system bus")
                                                                : bus.lastError().message();
        QTimer::singleShot(0, [done, why] {
            done(resultOf(QDBusMessage::createError(QDBusError::Disconnected, why)));
        });
        return;
    }
    // Long enough for someone to type a password.
    const QDBusPendingCall pending = bus.asyncCall(call, 120000);
    auto *watcher = new QDBusPendingCallWatcher(pending);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, done](QDBusPendingCallWatcher *) {
                         done(resultOf(watcher->reply()));
                         watcher->deleteLater();
                     });
}

} // namespace platform

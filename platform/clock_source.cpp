// Where the time comes from: local wall time and the time since boot.
#include "clock_source.h"

#include <QFile>
#include <time.h>

namespace platform {

QDateTime SystemClockSource::now() const { return QDateTime::currentDateTime(); }

qint64 SystemClockSource::uptimeMs() const
{
    timespec ts{};
    // CLOCK_BOOTTIME keeps counting through suspend, like a real running time.
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0)
        clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

QString SystemClockSource::bootId() const
{
    QFile f(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll().trimmed());
}

} // namespace platform

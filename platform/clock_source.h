// Where the time comes from: local wall time and the time since boot.
#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual QDateTime now() const = 0;   // local wall time
    virtual qint64 uptimeMs() const = 0; // since boot, suspend included; never wraps
    virtual QString bootId() const = 0;  // tells one boot from the next
};

class SystemClockSource : public ClockSource {
public:
    QDateTime now() const override;
    qint64 uptimeMs() const override;
    QString bootId() const override;
};

} // namespace platform

// Setting the computer's clock: the time of day, keeping the date.
#pragma once

#include <QString>
#include <QTime>
#include <functional>

class QDBusMessage;

namespace platform {

struct SetTimeResult {
    bool ok = false;
    QString message; // why not, in Japanese, for a message box
};

class SystemTime {
public:
    virtual ~SystemTime() = default;
    // Sets today's time of day; `done` hears the outcome later, so a
    // password prompt never stops the clock.
    virtual void setTimeOfDay(const QTime &time, std::function<void(SetTimeResult)> done) = 0;
};

// Through systemd's timedated on the system bus (SetTime, with interactive
// authorisation, so polkit may ask the user).
class TimedatedSystemTime : public SystemTime {
public:
    void setTimeOfDay(const QTime &time, std::function<void(SetTimeResult)> done) override;
    // What a reply from timedated means for the user.
    static SetTimeResult resultOf(const QDBusMessage &reply);
};

} // namespace platform

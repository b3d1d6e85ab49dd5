// The clock's reservations as it keeps them while it runs: the list the tick
// checks, stored as the user changes it, the alarm of a command line, and
// what an alarm does when it fires (starts a program, or asks for a notice).
#pragma once

#include "alarm_engine.h"
#include "alarm_list.h"
#include "core/command_line.h"

#include <QDateTime>
#include <functional>

namespace common {
class SettingsStore;
}
namespace platform {
class ProgramStarter;
}

namespace vespera {

class AlarmKeeper {
public:
    AlarmKeeper(common::SettingsStore &store, platform::ProgramStarter *programs);

    const AlarmList &list() const { return m_list; }
    // The stored list, in place of what the clock held.
    void reload();
    // "AL hhmm program ...": its alarm joins the list (not stored) and its
    // program is started by every alarm; false when the line has no alarm.
    bool addCommandLineAlarm(const CommandLine &commandLine);
    // A one-time alarm from the preset dial, stored at once; false when the
    // store is full.
    bool addPresetAlarm(const Alarm &alarm);

    // One pass of the tick at `now`: an alarm that fires starts the program
    // chosen for alarms, or, without one, calls `notice` with its ring.
    void check(const QDateTime &now, const std::function<void(const AlarmRing &)> &notice);
    // A tick with alarms switched off: what passes meanwhile never rings.
    void pass(const QDateTime &now) { m_engine.pass(now); }
    // The ringing alarm rings again a few minutes after `now` (this run only).
    void snooze(const QDateTime &now) { m_engine.snooze(now); }
    // When a check must next run for an alarm to ring on time.
    std::optional<QDateTime> nextDue(const QDateTime &now) const
    {
        return m_engine.nextDue(m_list, now);
    }

private:
    void save();

    common::SettingsStore &m_store;
    platform::ProgramStarter *m_programs;
    AlarmList m_list;
    AlarmEngine m_engine;
    QString m_commandLineProgram; // started by every alarm when the clock was started with one
};

} // namespace vespera

// The clock's reservations as it keeps them while it runs.
#include "alarm_keeper.h"

#include "clock_settings.h"
#include "common/settings_store.h"
#include "platform/program_starter.h"

namespace vespera {

AlarmKeeper::AlarmKeeper(common::SettingsStore &store, platform::ProgramStarter *programs)
    : m_store(store), m_programs(programs)
{
}

void AlarmKeeper::reload() { m_list = ClockSettings(m_store).alarms(); }

void AlarmKeeper::save() { ClockSettings(m_store).saveAlarms(m_list); }

bool AlarmKeeper::addCommandLineAlarm(const CommandLine &commandLine)
{
    if (!commandLine.alarm)
        return false;
    m_list << *commandLine.alarm;
    // Only a command line made for an alarm names a program; any other would
    // start a piece of itself in place of the notice.
    m_commandLineProgram = commandLine.alarmProgram;
    return true;
}

bool AlarmKeeper::addPresetAlarm(const Alarm &alarm)
{
    if (m_list.size() >= kMaxStoredAlarms)
        return false;
    m_list << alarm;
    save();
    return true;
}

void AlarmKeeper::check(const QDateTime &now, const std::function<void(const AlarmRing &)> &notice)
{
    m_engine.checkAlarms(
        m_list, now, [this] { save(); },
        [this, &notice](const AlarmRing &ring) {
            // A program that cannot start is passed over in silence, as the
            // alarm's program was chosen by the user.
            const QString program = m_commandLineProgram.isEmpty()
                                        ? ClockSettings(m_store).alarmProgram()
                                        : m_commandLineProgram;
            if (!program.trimmed().isEmpty()) {
                if (m_programs)
                    m_programs->startCommand(program);
                return;
            }
            notice(ring);
        });
}

} // namespace vespera

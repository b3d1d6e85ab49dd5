// The clock program's other windows, opened when the clock window asks for them.
#include "clock_windows.h"

namespace vespera {

ClockWindows::ClockWindows(Form1 &clock, common::SettingsStore &store,
                           const ClockPlatform &platform)
    : QObject(&clock), m_clock(clock), m_store(store), m_platform(platform)
{
    connect(&clock, &Form1::alarmNoticeRequested, this, &ClockWindows::showNotice);
    connect(&clock, &Form1::presetAlarmRequested, this, &ClockWindows::showPresetDial);
}

void ClockWindows::showNotice()
{
    if (m_notice) {
        m_notice->close();
        delete m_notice;
    }
    m_notice = new Form3(m_platform.sound, m_store, m_platform.clock, m_clock.Use24Hour);
    m_notice->setAttribute(Qt::WA_DeleteOnClose);
    m_notice->showAbove();
}

void ClockWindows::showPresetDial()
{
    Form5 dial(m_clock, m_presetScale, m_platform.clock);
    dial.exec();
}

} // namespace vespera

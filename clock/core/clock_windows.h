// The clock program's other windows, opened when the clock window asks for them.
#pragma once

#include "clock_window.h"

#include "alarms/alarm_notice.h"

#include <QObject>
#include <QPointer>

namespace vespera {

class ClockWindows : public QObject {
    Q_OBJECT
public:
    ClockWindows(Form1 &clock, common::SettingsStore &store, const ClockPlatform &platform);

    Form3 *notice() const { return m_notice; }

private:
    // A notice already open is closed first (its closing sound plays), then
    // a fresh one opens.
    void showNotice();
    void showPresetDial();

    Form1 &m_clock;
    common::SettingsStore &m_store;
    ClockPlatform m_platform;
    QPointer<Form3> m_notice;
    PresetScale m_presetScale; // remembers a pick into the next opening
};

} // namespace vespera

// What the clock keeps between runs: the settings start-up reads, the
// running total of the machine's uptime, and when and what it stores.
#pragma once

#include "core/clock_settings.h"
#include "core/counters.h"

namespace platform {
class ClockSource;
}

namespace vespera {

class ClockSession {
public:
    ClockSession(common::SettingsStore &store, platform::ClockSource *clock);

    // Reads what start-up needs, starts the running total from it and notes
    // where the program lives, for the other programs to find it.
    StartupSettings begin();
    // The chosen design's name, as stored.
    QString design() const { return m_settings.skin(); }
    // Stored at once: a choice of place must survive a session that never
    // closes the clock.
    void saveMonitor(const QString &monitor) { m_settings.saveMonitor(monitor); }

    // The minutes the total counter shows now, and the total as last stored.
    qint64 totalMinutes() const;
    QString storedTotal() const { return m_total.stored(); }
    void resetTotal() { m_total.reset(); }
    // This run left out of the running total (the menu's switch).
    bool dontCount() const { return m_dontCount; }
    void toggleDontCount() { m_dontCount = !m_dontCount; }
    // Closed by its × button: closing stores no total for this run.
    void skipTotalAtClosing() { m_skipTotalAtClosing = true; }

    // Stores the flags and the view, and with withTotal the running total too.
    void store(const ClockFlags &flags, View view, bool withTotal);
    // From the tick: stores everything once every ten minutes, so that a
    // crash or a power cut costs at most that much of the total.
    void storeWhenDue(const ClockFlags &flags, View view);
    // How long until storeWhenDue stores again.
    qint64 msUntilStoreDue() const;

private:
    ClosingSettings closingSettings(const ClockFlags &flags, View view, bool withTotal) const;

    ClockSettings m_settings;
    platform::ClockSource *m_clock;
    RunningTotal m_total;
    qint64 m_storedAtMs = 0; // uptime at the last store from the tick
    bool m_dontCount = false;
    bool m_skipTotalAtClosing = false;
};

} // namespace vespera

// The clock's own keys in the settings store: what start-up reads and closing writes.
#pragma once

#include "common/settings_store.h"
#include "counters.h"

#include <QString>
#include <optional>

namespace vespera {

struct StartupSettings {
    bool Use24Hour = false;
    int Corner = 0;
    bool ChimeOn = false, DogOn = false, AlarmOn = false, NthWeekday = false;
    QString Systime;     // shown by storedTotal; empty when absent
    UptimeLedger ledger; // this boot's minutes already in Systime
    bool hide = false;   // start in hide mode
    bool topmostOff = false;
    bool autohideOff = false;
    View view = View::Standard;
    bool showWelcome = true;
    QString monitor; // the monitor chosen for the clock; empty: the primary one
};

struct ClosingSettings {
    bool AlarmOn = false, ChimeOn = false, hide = false, DogOn = false;
    bool topmost = true, autohide = true, NthWeekday = false;
    View view = View::Standard;
    bool Use24Hour = false;
    std::optional<qint64> Systime;      // nothing: leave the stored total alone
    std::optional<UptimeLedger> ledger; // nothing: leave the stored ledger alone
};

class ClockSettings {
public:
    explicit ClockSettings(common::SettingsStore &store) : m_store(store) {}

    StartupSettings readStartup() const;
    QString skin() const; // the chosen design, "blue" when none is stored
    void saveProgramFolder(const QString &folder);
    void saveMonitor(const QString &monitor);
    // False when it could not be stored (the store has said why).
    bool saveClosing(const ClosingSettings &s);

    common::SettingsStore &store() { return m_store; }

private:
    common::SettingsStore &m_store;
};

} // namespace vespera

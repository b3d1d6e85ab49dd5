// The clock's own keys in the settings store: what start-up reads and closing writes.
#pragma once

#include "clock_flags.h"
#include "common/settings_store.h"
#include "counters.h"
#include "design/skin_layout.h"

#include <QString>
#include <optional>

namespace vespera {

// What the welcome's key holds once it was acknowledged: this version, so
// the welcome shows once for each new one.
inline const QString kWelcomeVersion = QStringLiteral(VESPERA_VERSION);

struct StartupSettings {
    ClockFlags flags;
    Corner corner = Corner::TopLeft;
    QString total;       // the running total as stored; empty when absent
    UptimeLedger ledger; // this boot's minutes already in the total
    View view = View::Standard;
    bool showWelcome = true;
    QString monitor; // the monitor chosen for the clock; empty: the primary one
};

struct ClosingSettings {
    ClockFlags flags;
    View view = View::Standard;
    std::optional<qint64> total;        // nothing: leave the stored total alone
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

private:
    common::SettingsStore &m_store;
};

} // namespace vespera

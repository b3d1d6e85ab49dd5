// The clock's own keys in the settings store: what start-up reads and closing writes.
#pragma once

#include "alarm.h"
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

// A sound's own volume, set for it alone instead of the desktop's.
struct SoundVolume {
    bool own = false; // off: the sound plays at the desktop's volume
    // 0-255; stored only while own is on. A missing level reads as 200, the
    // level the sounds have always played at then, so the options show what
    // is heard and keep it when they close.
    int level = 0;
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
    // The design shown when none is stored, or the stored one is unusable.
    static QString defaultSkin();
    QString skin() const; // the chosen design, the default when none is stored
    // An empty name stores the default: the key always names a design.
    void saveSkin(const QString &name);
    void saveProgramFolder(const QString &folder);
    void saveMonitor(const QString &monitor);
    // The corner as the options list it; it takes effect at the next start.
    void saveCorner(int corner);
    // False when it could not be stored (the store has said why).
    bool saveClosing(const ClosingSettings &s);

    // The command started at an alarm instead of the notice; empty for none.
    QString alarmProgram() const;
    void saveAlarmProgram(const QString &command);
    SoundVolume alarmVolume() const;
    SoundVolume chimeVolume() const;
    void saveAlarmVolume(const SoundVolume &volume);
    void saveChimeVolume(const SoundVolume &volume);

    // The welcome is not shown again until the next version; false when
    // that could not be stored.
    bool saveWelcomeSeen();
    // The stored reservations, from key "0" on, up to the first key that is
    // missing or empty, and at most the twelve the store keeps.
    AlarmList alarms() const;
    // Stores the list as the keys "0", "1", ... followed by an empty key, in
    // one rewrite of the file. Keys past "11" are never written: the list
    // holds at most twelve entries when stored. Numbered keys left over after
    // the written ones are removed, so an older, longer list cannot come back.
    bool saveAlarms(const AlarmList &list);

    // What a person is told when the last write failed.
    QString unsavedMessage() const { return m_store.unsavedMessage(); }

private:
    SoundVolume volume(const QString &onKey, const QString &levelKey) const;
    void saveVolume(const QString &onKey, const QString &levelKey, const SoundVolume &volume);

    common::SettingsStore &m_store;
};

} // namespace vespera

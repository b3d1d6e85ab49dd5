// The clock's own keys in the settings store: what start-up reads and closing writes.
#include "clock_settings.h"
#include "alarm_list.h"
#include "common/setting_keys.h"

#include <QSet>

#include <cstdio>

namespace vespera {

namespace {

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// A stored level: absent gives the default, text that is no number gives 0.
int storedLevel(const std::optional<QString> &value, int defaultLevel = 200)
{
    return value ? value->trimmed().toInt() : defaultLevel;
}
} // namespace

QString ClockSettings::defaultSkin() { return common::key::kDefaultSkin; }

QString ClockSettings::skin() const
{
    return m_store.getSetting(common::kSection, common::key::kSkin, common::key::kDefaultSkin);
}

void ClockSettings::saveSkin(const QString &name)
{
    m_store.saveSetting(common::kSection, common::key::kSkin,
                        name.isEmpty() ? common::key::kDefaultSkin : name);
}

void ClockSettings::saveCorner(int corner)
{
    m_store.saveSetting(common::kSection, common::key::kCorner, QString::number(corner));
}

QString ClockSettings::alarmProgram() const
{
    return m_store.getSetting(common::kSection, common::key::kAlarmProgram);
}

// Written even when empty: an empty key is what says "no program".
void ClockSettings::saveAlarmProgram(const QString &command)
{
    m_store.saveSetting(common::kSection, common::key::kAlarmProgram, command);
}

SoundVolume ClockSettings::volume(const QString &onKey, const QString &levelKey) const
{
    SoundVolume v;
    v.own = storedLevel(m_store.value(common::kSection, onKey), 0) == 1;
    if (v.own)
        v.level = storedLevel(m_store.value(common::kSection, levelKey));
    return v;
}

// Switched off, the level stays as it was: switching on again offers it.
void ClockSettings::saveVolume(const QString &onKey, const QString &levelKey,
                               const SoundVolume &volume)
{
    if (volume.own)
        m_store.saveSettings(common::kSection, {{onKey, QStringLiteral("1")},
                                                {levelKey, QString::number(volume.level)}});
    else
        m_store.saveSetting(common::kSection, onKey, QStringLiteral("0"));
}

SoundVolume ClockSettings::alarmVolume() const
{
    return volume(common::key::kAlarmVolumeOn, common::key::kAlarmVolume);
}

SoundVolume ClockSettings::chimeVolume() const
{
    return volume(common::key::kChimeVolumeOn, common::key::kChimeVolume);
}

void ClockSettings::saveAlarmVolume(const SoundVolume &volume)
{
    saveVolume(common::key::kAlarmVolumeOn, common::key::kAlarmVolume, volume);
}

void ClockSettings::saveChimeVolume(const SoundVolume &volume)
{
    saveVolume(common::key::kChimeVolumeOn, common::key::kChimeVolume, volume);
}

bool ClockSettings::saveWelcomeSeen()
{
    return m_store.saveSetting(common::kSection, common::key::kWelcomeSeen, kWelcomeVersion);
}

StartupSettings ClockSettings::readStartup() const
{
    // One read of the file for all the keys start-up needs.
    const common::IniDocument doc = m_store.snapshot();
    auto get = [&doc](const QString &key) {
        const QString *v = doc.find(common::kSection, key);
        return v ? *v : QString();
    };
    StartupSettings s;
    const QString tf = get(common::key::kUse24Hour);
    s.flags.use24Hour = !tf.isEmpty() && tf != QLatin1String("0");
    s.corner = Corner(get(common::key::kCorner).trimmed().toInt());
    s.flags.chimeOn = get(common::key::kChimeOn) == QLatin1String("1");
    s.flags.dog = get(common::key::kDog) == QLatin1String("1");
    s.flags.alarmOn = get(common::key::kAlarmOn) == QLatin1String("1");
    s.flags.nthWeekday = get(common::key::kNthWeekday) == QLatin1String("1");
    s.total = get(common::key::kTotal); // of "Pendra": the same section
    s.ledger.boot = get(common::key::kTotalBoot);
    s.ledger.counted = totalValue(get(common::key::kTotalCounted));
    s.flags.hideMode = get(common::key::kHideMode) == QLatin1String("1");
    s.flags.alwaysOnTop = get(common::key::kAlwaysOnTop) != QLatin1String("0");
    s.flags.autoTuck = get(common::key::kAutoTuck) != QLatin1String("0");
    // A view the clock does not have would leave the face blank for good.
    const int view = get(common::key::kView).trimmed().toInt();
    s.view = (view >= 0 && view <= 2) ? View(view) : View::Standard;
    s.showWelcome = get(common::key::kWelcomeSeen) != kWelcomeVersion;
    s.monitor = get(common::key::kMonitor).trimmed();
    return s;
}

void ClockSettings::saveProgramFolder(const QString &folder)
{
    // Rewriting the same value would only cost the start-up a synced write.
    if (m_store.value(common::kSection, common::key::kProgramFolder) != folder)
        m_store.saveSetting(common::kSection, common::key::kProgramFolder, folder);
}

// Stored when chosen, like a test button's volume: a choice of place is
// made once and must survive a session that never closes the clock.
void ClockSettings::saveMonitor(const QString &monitor)
{
    m_store.saveSetting(common::kSection, common::key::kMonitor, monitor);
}

bool ClockSettings::saveClosing(const ClosingSettings &s)
{
    QVector<QPair<QString, QString>> values = {
        {common::key::kAlarmOn, flag(s.flags.alarmOn)},
        {common::key::kChimeOn, flag(s.flags.chimeOn)},
        {common::key::kHideMode, flag(s.flags.hideMode)},
        {common::key::kDog, flag(s.flags.dog)},
        {common::key::kAlwaysOnTop, flag(s.flags.alwaysOnTop)},
        {common::key::kAutoTuck, flag(s.flags.autoTuck)},
        {common::key::kNthWeekday, flag(s.flags.nthWeekday)},
        {common::key::kView, QString::number(int(s.view))},
        {common::key::kUse24Hour, flag(s.flags.use24Hour)},
    };
    if (s.total)
        values.append({common::key::kTotal, QString::number(*s.total)});
    if (s.ledger) {
        values.append({common::key::kTotalBoot, s.ledger->boot});
        values.append({common::key::kTotalCounted, QString::number(s.ledger->counted)});
    }
    // One locked rewrite: a logout in the middle cannot leave half the flags.
    return m_store.saveSettings(common::kSection, values);
}

// The reservations are stored one "hh:mm:ss" text (with "*" for a one-time
// alarm) under each of the keys "0", "1", ...
AlarmList ClockSettings::alarms() const
{
    AlarmList list;
    const common::IniDocument stored = m_store.snapshot(); // one read for every key
    for (int i = 0;; ++i) {
        const QString *entry = stored.find(common::kSection, QString::number(i));
        if (!entry || entry->isEmpty())
            return list;
        if (i == kMaxStoredAlarms) {
            // A hand-edited file may hold thousands; the store never keeps
            // more than twelve, and the next save drops the rest.
            static bool said = false;
            if (!said)
                std::fprintf(stderr, "only the first %d alarm reservations are read\n",
                             kMaxStoredAlarms);
            said = true;
            return list;
        }
        list << Alarm::fromStored(*entry);
    }
}

bool ClockSettings::saveAlarms(const AlarmList &list)
{
    constexpr int kLastKey = kMaxStoredAlarms - 1;
    return m_store.change([&](common::IniDocument &doc) {
        const QString section = common::kSection;
        int i = 0;
        for (; i <= list.size() && i <= kLastKey; ++i) // in place: the file keeps its order
            doc.set(section, QString::number(i), i < list.size() ? list[i].toStored() : QString());
        QSet<QString> stale;
        for (; i <= 10 || doc.find(section, QString::number(i)); ++i)
            stale << QString::number(i);
        doc.removeKeys(section, stale); // in one pass, however many a hand-edited file holds
        return true;
    });
}

} // namespace vespera

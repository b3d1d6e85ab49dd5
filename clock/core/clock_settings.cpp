// The clock's own keys in the settings store: what start-up reads and closing writes.
#include "clock_settings.h"

namespace vespera {

namespace {
const QString kWelcomeVersion = QStringLiteral("2.15");
const QString kLedgerBoot = QStringLiteral("systimeboot");
const QString kLedgerCounted = QStringLiteral("systimecounted");
const QString kMonitor = QStringLiteral("monitor");

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
} // namespace

QString ClockSettings::skin() const
{
    return m_store.GetSetting(common::kSection, QStringLiteral("skin"), QStringLiteral("blue"));
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
    const QString tf = get(QStringLiteral("tfmode"));
    s.Use24Hour = !tf.isEmpty() && tf != QLatin1String("0");
    s.Corner = get(QStringLiteral("smode")).trimmed().toInt();
    s.ChimeOn = get(QStringLiteral("zihou")) == QLatin1String("1");
    s.DogOn = get(QStringLiteral("wan")) == QLatin1String("1");
    s.AlarmOn = get(QStringLiteral("al")) == QLatin1String("1");
    s.NthWeekday = get(QStringLiteral("scm")) == QLatin1String("1");
    s.Systime = get(QStringLiteral("Systime")); // of "Pendra": the same section
    s.ledger.boot = get(kLedgerBoot);
    s.ledger.counted = totalValue(get(kLedgerCounted));
    s.hide = get(QStringLiteral("hide")) == QLatin1String("1");
    s.topmostOff = get(QStringLiteral("at")) == QLatin1String("0");
    s.autohideOff = get(QStringLiteral("ah")) == QLatin1String("0");
    // A view the clock does not have would leave the face blank for good.
    const int view = get(QStringLiteral("mmode")).trimmed().toInt();
    s.view = (view >= 0 && view <= 2) ? View(view) : View::Standard;
    s.showWelcome = get(QStringLiteral("start")) != kWelcomeVersion;
    s.monitor = get(kMonitor).trimmed();
    return s;
}

void ClockSettings::saveProgramFolder(const QString &folder)
{
    // Rewriting the same value would only cost the start-up a synced write.
    if (m_store.value(common::kSection, QStringLiteral("apath")) != folder)
        m_store.SaveSetting(common::kSection, QStringLiteral("apath"), folder);
}

// Stored when chosen, like a test button's volume: a choice of place is
// made once and must survive a session that never closes the clock.
void ClockSettings::saveMonitor(const QString &monitor)
{
    m_store.SaveSetting(common::kSection, kMonitor, monitor);
}

bool ClockSettings::saveClosing(const ClosingSettings &s)
{
    QVector<QPair<QString, QString>> values = {
        {QStringLiteral("al"), flag(s.AlarmOn)},
        {QStringLiteral("zihou"), flag(s.ChimeOn)},
        {QStringLiteral("hide"), flag(s.hide)},
        {QStringLiteral("wan"), flag(s.DogOn)},
        {QStringLiteral("at"), flag(s.topmost)},
        {QStringLiteral("ah"), flag(s.autohide)},
        {QStringLiteral("scm"), flag(s.NthWeekday)},
        {QStringLiteral("mmode"), QString::number(int(s.view))},
        {QStringLiteral("tfmode"), flag(s.Use24Hour)},
    };
    if (s.Systime)
        values.append({QStringLiteral("Systime"), QString::number(*s.Systime)});
    if (s.ledger) {
        values.append({kLedgerBoot, s.ledger->boot});
        values.append({kLedgerCounted, QString::number(s.ledger->counted)});
    }
    // One locked rewrite: a logout in the middle cannot leave half the flags.
    return m_store.SaveSettings(common::kSection, values);
}

} // namespace vespera

// What the clock keeps between runs.
#include "clock_session.h"

#include <algorithm>

#include "common/data_dir.h"
#include "platform/clock_source.h"

namespace vespera {

namespace {
// One small write each ten minutes costs nothing measurable when idle.
constexpr qint64 kStoreEveryMs = 10 * 60 * 1000;
} // namespace

ClockSession::ClockSession(common::SettingsStore &store, platform::ClockSource *clock)
    : m_settings(store), m_clock(clock)
{
}

StartupSettings ClockSession::begin()
{
    const StartupSettings s = m_settings.readStartup();
    m_total.start(s.total, s.ledger);
    m_storedAtMs = m_clock->uptimeMs();
    m_settings.saveProgramFolder(common::programFolder());
    return s;
}

qint64 ClockSession::totalMinutes() const
{
    return m_total.now(m_clock->bootId(), uptimeMinutes(m_clock->uptimeMs()));
}

ClosingSettings ClockSession::closingSettings(const ClockFlags &flags, View view,
                                              bool withTotal) const
{
    ClosingSettings c;
    c.flags = flags;
    c.view = view;
    if (!withTotal)
        return c;
    const auto [total, ledger] =
        m_total.toStore(m_clock->bootId(), uptimeMinutes(m_clock->uptimeMs()), !m_dontCount);
    if (!m_skipTotalAtClosing)
        c.total = total;
    // Whatever happened to the total, this boot's minutes so far are dealt
    // with: the next run within the same boot must not add them again.
    c.ledger = ledger;
    return c;
}

void ClockSession::store(const ClockFlags &flags, View view, bool withTotal)
{
    const ClosingSettings c = closingSettings(flags, view, withTotal);
    m_settings.saveClosing(c);
    m_total.markStored(c.total, c.ledger);
}

qint64 ClockSession::msUntilStoreDue() const
{
    return std::max<qint64>(0, m_storedAtMs + kStoreEveryMs - m_clock->uptimeMs());
}

void ClockSession::storeWhenDue(const ClockFlags &flags, View view)
{
    const qint64 up = m_clock->uptimeMs();
    if (up - m_storedAtMs < kStoreEveryMs)
        return;
    m_storedAtMs = up;
    store(flags, view, !m_dontCount); // with "no sum" on, the minutes since are not added
}

} // namespace vespera

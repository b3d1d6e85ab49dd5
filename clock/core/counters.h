// The running-time counters: their text, their glyphs and what the saved total counts.
#pragma once

#include "face.h"

#include <QString>
#include <optional>
#include <utility>

namespace vespera {

// What the face shows: the time, or one of the two counters. Stored by its
// number, which hand-edited settings may put out of range.
enum class View { Standard = 0, Uptime = 1, Total = 2 };

inline qint64 uptimeMinutes(qint64 uptimeMs) { return uptimeMs / 1000 / 60; }

// The longest time the counters show, 999999:59 (over a hundred years). A
// running total stops there; a stored one beyond it was not written by the
// clock and counts as 0.
constexpr qint64 kMaxTotalMinutes = 999999LL * 60 + 59;

// Hours to six digits, ":", minutes to two: 1234 minutes give "000020:34".
QString counterText(qint64 minutes);
// The eight digit controls of a counter view, painted from a counter text.
GlyphPaints counterGlyphs(const QString &text);

// The number a stored or shown total stands for: 0 when it is not a whole
// number from 0 to kMaxTotalMinutes.
qint64 totalValue(const QString &text);
// A total with minutes added, stopping at kMaxTotalMinutes.
qint64 addedTotal(qint64 total, qint64 minutes);

// Which boot's minutes the saved total already holds. The total is kept in
// whole minutes; the ledger beside it makes a second run within one boot add
// only the minutes that the first run did not count.
struct UptimeLedger {
    QString boot;
    qint64 counted = 0;
};
qint64 minutesNotCounted(const UptimeLedger &ledger, const QString &boot, qint64 uptimeMin);

// The running total as the clock keeps it while it runs: the total as last
// stored (its text, kept as read) and which boot's minutes it already holds.
class RunningTotal {
public:
    void start(const QString &stored, const UptimeLedger &ledger)
    {
        m_stored = stored;
        m_ledger = ledger;
    }
    QString stored() const { return m_stored; }
    // What the total counter shows at `uptimeMin` minutes into `boot`.
    qint64 now(const QString &boot, qint64 uptimeMin) const
    {
        return addedTotal(totalValue(m_stored), minutesNotCounted(m_ledger, boot, uptimeMin));
    }
    // What a store writes: the total with this run's minutes not counted yet
    // (none when the run is left out), and the ledger that says they are.
    std::pair<qint64, UptimeLedger> toStore(const QString &boot, qint64 uptimeMin,
                                            bool countThisRun) const
    {
        const qint64 minutes = countThisRun ? minutesNotCounted(m_ledger, boot, uptimeMin) : 0;
        return {addedTotal(totalValue(m_stored), minutes), UptimeLedger{boot, uptimeMin}};
    }
    // After a store (also a failed one: the next then stores this total plus
    // the minutes since, which is the same sum).
    void markStored(std::optional<qint64> total, const std::optional<UptimeLedger> &ledger)
    {
        if (total)
            m_stored = QString::number(*total);
        if (ledger)
            m_ledger = *ledger;
    }
    // The menu's reset: nothing of this boot is in the total any more.
    void reset()
    {
        m_stored = QStringLiteral("0");
        m_ledger = UptimeLedger{};
    }

private:
    QString m_stored;
    UptimeLedger m_ledger;
};

} // namespace vespera

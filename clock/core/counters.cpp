// The running-time counters: their text, their glyphs and what the saved total counts.
#include "counters.h"
#include "design/glyph_atlas.h"

namespace vespera {

QString counterText(qint64 minutes)
{
    minutes = qBound<qint64>(0, minutes, kMaxTotalMinutes);
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 6, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

GlyphPaints counterGlyphs(const QString &text)
{
    auto d = [&](int i) { return text.at(i).digitValue(); };
    return {
        {Ctl::Year1, true, atlas::smallDigit(d(0))},
        {Ctl::Year2, true, atlas::smallDigit(d(1))},
        {Ctl::Year3, true, atlas::smallDigit(d(2))},
        {Ctl::Year4, true, atlas::smallDigit(d(3))},
        {Ctl::HourTens, true, atlas::largeDigit(d(4))},
        {Ctl::HourOnes, true, atlas::largeDigit(d(5))},
        {Ctl::MinuteTens, true, atlas::largeDigit(d(7))},
        {Ctl::MinuteOnes, true, atlas::largeDigit(d(8))},
    };
}

qint64 totalValue(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok && v > 0 && v <= kMaxTotalMinutes ? v : 0;
}

qint64 addedTotal(qint64 total, qint64 minutes)
{
    // Both are at most kMaxTotalMinutes or an uptime in minutes: the sum
    // cannot overflow before it is bounded.
    return qBound<qint64>(0, total + minutes, kMaxTotalMinutes);
}

qint64 minutesNotCounted(const UptimeLedger &ledger, const QString &boot, qint64 uptimeMin)
{
    if (boot.isEmpty() || ledger.boot != boot)
        return uptimeMin;
    return qMax<qint64>(0, uptimeMin - ledger.counted);
}

} // namespace vespera

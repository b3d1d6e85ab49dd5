// What the time and date face shows: glyph choices from the time, date and face options.
#pragma once

#include "design/skin_layout.h"

#include <QDateTime>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace vespera {

// One change to a glyph control: show it with a glyph, or hide it.
struct GlyphPaint {
    Ctl control;
    bool visible;
    QRect source; // empty when hidden
    bool operator==(const GlyphPaint &o) const
    {
        return control == o.control && visible == o.visible && source == o.source;
    }
};
using GlyphPaints = std::vector<GlyphPaint>;

// "hh:mm:ss" or "hh:mm:ss a/p" (12-hour: 01-12, "a" before noon, "p" from noon).
QString timeText(const QTime &t, bool use24Hour);
// "yyyy/mm/dd/" and the one-character Japanese weekday.
QString dateText(const QDate &d);
QChar weekdayChar(int dayOfWeekMonday1);

// Week mark 1-5 for day d with weekday w (Sunday 1 ... Saturday 7).
// Calendar row of a Sunday-first month; a sixth row shows as 1. With
// nthWeekday, which occurrence of its weekday the day is instead.
int weekNumber(int day, int w, bool saturdayChar, bool nthWeekday);

// The face's memory of what it last painted, so a tick repaints only changes.
class Face {
public:
    // Everything, whether it changed or not.
    GlyphPaints redrawFace(const QDateTime &now, bool use24Hour, bool nthWeekday);
    // Only the groups whose value changed; the whole face when the day changed.
    GlyphPaints updateFace(const QDateTime &now, bool use24Hour, bool nthWeekday);

private:
    enum Slot { Hour, Minute, PmShown, Quarter, Year, Month, Day, Weekday, Week, SlotCount };
    int slot(Slot s) const { return m_state[s].value_or(0); } // empty compares as 0
    void paintHours(GlyphPaints &out, int hour);
    void paintMinutes(GlyphPaints &out, int minute);
    void paintSeconds(GlyphPaints &out, int quarter);
    void paintDate(GlyphPaints &out, const QDate &date, bool nthWeekday);

    std::array<std::optional<int>, SlotCount> m_state{};
    int m_lastDay = 0;
};

} // namespace vespera

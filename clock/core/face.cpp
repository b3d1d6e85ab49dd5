// What the time and date face shows: glyph choices from the time, date and face options.
#include "face.h"
#include "design/glyph_atlas.h"

namespace vespera {

namespace {

const QString kWeekdays = QStringLiteral("月火水木金土日"); // Monday first

int digit(QChar c) { return c.isDigit() ? c.digitValue() : 0; }
int number(const QString &text, int from, int len) { return text.mid(from, len).toInt(); }

GlyphPaint show(Ctl c, const QRect &source) { return {c, true, source}; }
GlyphPaint hide(Ctl c) { return {c, false, QRect()}; }

// A tens digit that is "0" is hidden rather than painted.
GlyphPaint tensDigit(Ctl c, QChar ch, QRect (*glyph)(int))
{
    return ch == QLatin1Char('0') ? hide(c) : show(c, glyph(digit(ch)));
}

} // namespace

QString timeText(const QTime &t, bool use24Hour)
{
    const QString minSec = t.toString(QStringLiteral(":mm:ss"));
    if (use24Hour)
        return QStringLiteral("%1").arg(t.hour(), 2, 10, QLatin1Char('0')) + minSec;
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1").arg(h12, 2, 10, QLatin1Char('0')) + minSec
           + (t.hour() < 12 ? QStringLiteral(" a") : QStringLiteral(" p"));
}

QChar weekdayChar(int dayOfWeekMonday1) { return kWeekdays.at((dayOfWeekMonday1 + 6) % 7); }

QString dateText(const QDate &d)
{
    return QStringLiteral("%1/%2/%3/")
               .arg(d.year(), 4, 10, QLatin1Char('0'))
               .arg(d.month(), 2, 10, QLatin1Char('0'))
               .arg(d.day(), 2, 10, QLatin1Char('0'))
           + weekdayChar(d.dayOfWeek());
}

// Write day = 7q + r (r 0-6) and take w, Sunday 1 to Saturday 7. In a
// calendar whose rows start on Sunday, the day sits in row q + 1 when its
// weekday comes no earlier in the week than r (w >= r), since the month then
// began at most w - 1 days into the week; otherwise the month began later in
// the week, and the day sits in row q + 2. A multiple of 7 (r = 0) sits in
// row q + 1, unless it is a Saturday, which ends row q. So Saturdays start
// one row low (x = 0), and other Saturdays are put right by the face's
// weekday character, which is what the face reads the weekday from. The count of the weekday is
// (day - 1) / 7 + 1 instead: one less than the row when the month began
// after the day's weekday. A sixth row shows as the first.
int weekNumber(int day, int w, bool saturdayChar, bool nthWeekday)
{
    const int q = day / 7, r = day % 7;
    const int x = w == 7 ? 0 : 1;
    const int y = w >= r ? x : 2;
    int n = q + y;
    if (saturdayChar && r != 0)
        n += 1;
    if (nthWeekday) {
        if (r == 0 ? w < 7 : w < r)
            n -= 1;
    }
    if (n >= 6)
        n = 1;
    return n;
}

void Face::paintHours(GlyphPaints &out)
{
    out.push_back(tensDigit(Ctl::HourTens, m_timeText.at(0), atlas::largeDigit));
    out.push_back(show(Ctl::HourOnes, atlas::largeDigit(digit(m_timeText.at(1)))));
    m_state[Hour] = number(m_timeText, 0, 2);
}

void Face::paintMinutes(GlyphPaints &out)
{
    out.push_back(show(Ctl::MinuteTens, atlas::largeDigit(digit(m_timeText.at(3)))));
    out.push_back(show(Ctl::MinuteOnes, atlas::largeDigit(digit(m_timeText.at(4)))));
    m_state[Minute] = number(m_timeText, 3, 2);
}

void Face::paintSeconds(GlyphPaints &out)
{
    const int q = number(m_timeText, 6, 2) / 15;
    out.push_back(show(Ctl::SecondsGauge, atlas::secondsStep(q)));
    m_state[Quarter] = q;
}

void Face::paintDate(GlyphPaints &out, bool nthWeekday)
{
    const Ctl year[] = {Ctl::Year1, Ctl::Year2, Ctl::Year3, Ctl::Year4};
    for (int i = 0; i < 4; ++i)
        out.push_back(show(year[i], atlas::smallDigit(digit(m_dateText.at(i)))));
    m_state[Year] = number(m_dateText, 0, 4);

    out.push_back(tensDigit(Ctl::MonthTens, m_dateText.at(5), atlas::smallDigit));
    out.push_back(show(Ctl::MonthOnes, atlas::smallDigit(digit(m_dateText.at(6)))));
    m_state[Month] = number(m_dateText, 5, 2);

    out.push_back(tensDigit(Ctl::DayTens, m_dateText.at(8), atlas::smallDigit));
    out.push_back(show(Ctl::DayOnes, atlas::smallDigit(digit(m_dateText.at(9)))));
    const int day = number(m_dateText, 8, 2);
    m_state[Day] = day;

    const QChar wdChar = m_dateText.at(11);
    const int k = kWeekdays.indexOf(wdChar);
    int w = 0;
    if (k >= 0) {
        out.push_back(show(Ctl::Weekday, atlas::weekday(k)));
        m_state[Weekday] = k;
        w = k < 6 ? k + 2 : 1;
    }
    const int n = qBound(1, weekNumber(day, w, wdChar == kWeekdays.at(5), nthWeekday), 5);
    out.push_back(show(Ctl::WeekMark, atlas::weekMark(n)));
    m_state[Week] = n;
}

GlyphPaints Face::redrawFace(const QDateTime &now, bool use24Hour, bool nthWeekday)
{
    GlyphPaints out;
    m_timeText = timeText(now.time(), use24Hour);
    paintHours(out);
    paintMinutes(out);
    if (!use24Hour) {
        const bool pm = m_timeText.endsWith(QLatin1Char('p'));
        out.push_back(show(Ctl::AmPm, pm ? atlas::pmMark() : atlas::amMark()));
        m_state[PmShown] = pm ? 1 : 0;
    }
    paintSeconds(out);
    m_dateText = dateText(now.date());
    paintDate(out, nthWeekday);
    return out;
}

GlyphPaints Face::updateFace(const QDateTime &now, bool use24Hour, bool nthWeekday)
{
    GlyphPaints out;
    m_timeText = timeText(now.time(), use24Hour);
    if (number(m_timeText, 0, 2) != slot(Hour))
        paintHours(out);
    if (number(m_timeText, 3, 2) != slot(Minute))
        paintMinutes(out);
    if (!use24Hour) {
        const bool pm = m_timeText.endsWith(QLatin1Char('p'));
        if (pm && slot(PmShown) == 0) {
            out.push_back(show(Ctl::AmPm, atlas::pmMark()));
            m_state[PmShown] = 1;
        } else if (!pm && slot(PmShown) == 1) {
            out.push_back(show(Ctl::AmPm, atlas::amMark()));
            m_state[PmShown] = 0;
        }
    }
    if (number(m_timeText, 6, 2) / 15 != slot(Quarter))
        paintSeconds(out);
    const int day = now.date().day();
    if (day != m_lastDay) {
        m_lastDay = day;
        const GlyphPaints all = redrawFace(now, use24Hour, nthWeekday);
        out.insert(out.end(), all.begin(), all.end());
    }
    return out;
}

} // namespace vespera

// What the time and date face shows: glyph choices from the time, date and face options.
#include "face.h"
#include "design/glyph_atlas.h"

namespace vespera {

namespace {

const QString kWeekdays = QStringLiteral("月火水木金土日"); // Monday first

GlyphPaint show(Ctl c, const QRect &source) { return {c, true, source}; }
GlyphPaint hide(Ctl c) { return {c, false, QRect()}; }

// A tens digit that is 0 is hidden rather than painted.
GlyphPaint tensDigit(Ctl c, int tens, QRect (*glyph)(int))
{
    return tens == 0 ? hide(c) : show(c, glyph(tens));
}

// The hour as the face shows it: 0-23, or 1-12 on the 12-hour face.
int shownHour(int hour, bool use24Hour)
{
    if (use24Hour)
        return hour;
    return hour % 12 == 0 ? 12 : hour % 12;
}

// Two digits with a leading zero, without QString::arg and the locale
// behind it: the clock formats a time every second.
void appendTwoDigits(QString &out, int n)
{
    out += QChar(u'0' + n / 10);
    out += QChar(u'0' + n % 10);
}

} // namespace

QString timeText(const QTime &t, bool use24Hour)
{
    QString text;
    text.reserve(10);
    appendTwoDigits(text, shownHour(t.hour(), use24Hour));
    text += u':';
    appendTwoDigits(text, t.minute());
    text += u':';
    appendTwoDigits(text, t.second());
    if (!use24Hour)
        text += t.hour() < 12 ? QLatin1String(" a") : QLatin1String(" p");
    return text;
}

QChar weekdayChar(int dayOfWeekMonday1) { return kWeekdays.at((dayOfWeekMonday1 + 6) % 7); }

QString dateText(const QDate &d)
{
    QString text;
    text.reserve(12);
    appendTwoDigits(text, d.year() / 100 % 100);
    appendTwoDigits(text, d.year() % 100);
    text += u'/';
    appendTwoDigits(text, d.month());
    text += u'/';
    appendTwoDigits(text, d.day());
    text += u'/';
    return text + weekdayChar(d.dayOfWeek());
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

void Face::paintHours(GlyphPaints &out, int hour)
{
    out.push_back(tensDigit(Ctl::HourTens, hour / 10, atlas::largeDigit));
    out.push_back(show(Ctl::HourOnes, atlas::largeDigit(hour % 10)));
    m_state[Hour] = hour;
}

void Face::paintMinutes(GlyphPaints &out, int minute)
{
    out.push_back(show(Ctl::MinuteTens, atlas::largeDigit(minute / 10)));
    out.push_back(show(Ctl::MinuteOnes, atlas::largeDigit(minute % 10)));
    m_state[Minute] = minute;
}

void Face::paintSeconds(GlyphPaints &out, int quarter)
{
    out.push_back(show(Ctl::SecondsGauge, atlas::secondsStep(quarter)));
    m_state[Quarter] = quarter;
}

void Face::paintDate(GlyphPaints &out, const QDate &date, bool nthWeekday)
{
    const Ctl year[] = {Ctl::Year1, Ctl::Year2, Ctl::Year3, Ctl::Year4};
    const int y = date.year();
    const int yearDigits[] = {y / 1000 % 10, y / 100 % 10, y / 10 % 10, y % 10};
    for (int i = 0; i < 4; ++i)
        out.push_back(show(year[i], atlas::smallDigit(yearDigits[i])));
    m_state[Year] = y;

    out.push_back(tensDigit(Ctl::MonthTens, date.month() / 10, atlas::smallDigit));
    out.push_back(show(Ctl::MonthOnes, atlas::smallDigit(date.month() % 10)));
    m_state[Month] = date.month();

    const int day = date.day();
    out.push_back(tensDigit(Ctl::DayTens, day / 10, atlas::smallDigit));
    out.push_back(show(Ctl::DayOnes, atlas::smallDigit(day % 10)));
    m_state[Day] = day;

    const int k = date.dayOfWeek() - 1; // Monday 0 ... Sunday 6
    out.push_back(show(Ctl::Weekday, atlas::weekday(k)));
    m_state[Weekday] = k;
    const int w = k < 6 ? k + 2 : 1; // Sunday 1 ... Saturday 7
    const int n = qBound(1, weekNumber(day, w, k == 5, nthWeekday), 5);
    out.push_back(show(Ctl::WeekMark, atlas::weekMark(n)));
    m_state[Week] = n;
}

GlyphPaints Face::redrawFace(const QDateTime &now, bool use24Hour, bool nthWeekday)
{
    GlyphPaints out;
    const QTime time = now.time();
    paintHours(out, shownHour(time.hour(), use24Hour));
    paintMinutes(out, time.minute());
    if (!use24Hour) {
        const bool pm = time.hour() >= 12;
        out.push_back(show(Ctl::AmPm, pm ? atlas::pmMark() : atlas::amMark()));
        m_state[PmShown] = pm ? 1 : 0;
    }
    paintSeconds(out, time.second() / 15);
    paintDate(out, now.date(), nthWeekday);
    return out;
}

GlyphPaints Face::updateFace(const QDateTime &now, bool use24Hour, bool nthWeekday)
{
    GlyphPaints out;
    const QTime time = now.time();
    const int hour = shownHour(time.hour(), use24Hour);
    if (hour != slot(Hour))
        paintHours(out, hour);
    if (time.minute() != slot(Minute))
        paintMinutes(out, time.minute());
    if (!use24Hour) {
        const bool pm = time.hour() >= 12;
        if (pm && slot(PmShown) == 0) {
            out.push_back(show(Ctl::AmPm, atlas::pmMark()));
            m_state[PmShown] = 1;
        } else if (!pm && slot(PmShown) == 1) {
            out.push_back(show(Ctl::AmPm, atlas::amMark()));
            m_state[PmShown] = 0;
        }
    }
    if (time.second() / 15 != slot(Quarter))
        paintSeconds(out, time.second() / 15);
    const int day = now.date().day();
    if (day != m_lastDay) {
        m_lastDay = day;
        const GlyphPaints all = redrawFace(now, use24Hour, nthWeekday);
        out.insert(out.end(), all.begin(), all.end());
    }
    return out;
}

} // namespace vespera

// The time and date face: which glyph each control shows, the week mark over
// whole months, and that a tick repaints only what changed.
#include "core/face.h"
#include "design/glyph_atlas.h"

#include <QtTest>
#include <map>

using namespace vespera;

namespace {

// The last paint of each control in a list of paints.
std::map<Ctl, GlyphPaint> byControl(const GlyphPaints &paints)
{
    std::map<Ctl, GlyphPaint> out;
    for (const GlyphPaint &p : paints)
        out.insert_or_assign(p.control, p);
    return out;
}

QDateTime at(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

QRect large(int d) { return atlas::largeDigit(d); }
QRect small(int d) { return atlas::smallDigit(d); }

} // namespace

class TestFace : public QObject {
    Q_OBJECT
private slots:
    void timeText_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("use24");
        QTest::addColumn<QString>("text");
        QTest::newRow("midnight 12h") << QTime(0, 30, 5) << false << "12:30:05 a";
        QTest::newRow("noon 12h") << QTime(12, 30, 0) << false << "12:30:00 p";
        QTest::newRow("afternoon 12h") << QTime(13, 5, 59) << false << "01:05:59 p";
        QTest::newRow("morning 12h") << QTime(11, 59, 59) << false << "11:59:59 a";
        QTest::newRow("midnight 24h") << QTime(0, 0, 0) << true << "00:00:00";
        QTest::newRow("evening 24h") << QTime(23, 59, 59) << true << "23:59:59";
    }
    void timeText()
    {
        QFETCH(QTime, time);
        QFETCH(bool, use24);
        QFETCH(QString, text);
        QCOMPARE(vespera::timeText(time, use24), text);
    }

    void dateTextUsesJapaneseWeekdays()
    {
        QCOMPARE(dateText(QDate(2026, 12, 7)), QString("2026/12/07/月"));
        QCOMPARE(dateText(QDate(2026, 12, 13)), QString("2026/12/13/日"));
        QCOMPARE(dateText(QDate(2027, 1, 2)), QString("2027/01/02/土"));
    }

    void hourGlyphs_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("use24");
        QTest::addColumn<bool>("tensShown");
        QTest::addColumn<int>("tens");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("apMark"); // -1 untouched, 0 AM, 1 PM
        QTest::newRow("00:30 in 12h is 12 AM")
            << at(2026, 1, 1, 0, 30) << false << true << 1 << 2 << 0;
        QTest::newRow("12:30 in 12h is 12 PM")
            << at(2026, 1, 1, 12, 30) << false << true << 1 << 2 << 1;
        QTest::newRow("13:05 in 12h hides the tens")
            << at(2026, 1, 1, 13, 5) << false << false << 0 << 1 << 1;
        QTest::newRow("09:15 in 24h hides the tens")
            << at(2026, 1, 1, 9, 15) << true << false << 0 << 9 << -1;
        QTest::newRow("10:00 in 24h shows the tens")
            << at(2026, 1, 1, 10, 0) << true << true << 1 << 0 << -1;
        QTest::newRow("23:59 in 24h") << at(2026, 1, 1, 23, 59) << true << true << 2 << 3 << -1;
    }
    void hourGlyphs()
    {
        QFETCH(QDateTime, now);
        QFETCH(bool, use24);
        QFETCH(bool, tensShown);
        QFETCH(int, tens);
        QFETCH(int, units);
        QFETCH(int, apMark);
        Face face;
        const auto paints = byControl(face.redrawFace(now, use24, false));
        QCOMPARE(paints.at(Ctl::HourTens).visible, tensShown);
        if (tensShown)
            QCOMPARE(paints.at(Ctl::HourTens).source, large(tens));
        QCOMPARE(paints.at(Ctl::HourOnes).source, large(units));
        if (apMark < 0)
            QVERIFY(!paints.count(Ctl::AmPm)); // the 24-hour mark is painted at activation only
        else
            QCOMPARE(paints.at(Ctl::AmPm).source, apMark ? atlas::pmMark() : atlas::amMark());
    }

    void minutesKeepTheirLeadingZero()
    {
        Face face;
        const auto paints = byControl(face.redrawFace(at(2026, 1, 1, 8, 7), true, false));
        QVERIFY(paints.at(Ctl::MinuteTens).visible);
        QCOMPARE(paints.at(Ctl::MinuteTens).source, large(0));
        QCOMPARE(paints.at(Ctl::MinuteOnes).source, large(7));
    }

    void secondsQuarters_data()
    {
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("step");
        for (auto [s, q] :
             {std::pair{0, 0}, {14, 0}, {15, 1}, {29, 1}, {30, 2}, {44, 2}, {45, 3}, {59, 3}})
            QTest::addRow("second %d", s) << s << q;
    }
    void secondsQuarters()
    {
        QFETCH(int, second);
        QFETCH(int, step);
        Face face;
        const auto paints = byControl(face.redrawFace(at(2026, 1, 1, 8, 0, second), false, false));
        QCOMPARE(paints.at(Ctl::SecondsGauge).source, atlas::secondsStep(step));
    }

    void dateTens_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("monthTens");
        QTest::addColumn<bool>("dayTens");
        QTest::newRow("9 September") << QDate(2026, 9, 9) << false << false;
        QTest::newRow("10 October") << QDate(2026, 10, 10) << true << true;
        QTest::newRow("31 January") << QDate(2027, 1, 31) << false << true;
        QTest::newRow("1 December") << QDate(2026, 12, 1) << true << false;
    }
    void dateTens()
    {
        QFETCH(QDate, date);
        QFETCH(bool, monthTens);
        QFETCH(bool, dayTens);
        Face face;
        const auto p = byControl(face.redrawFace(QDateTime(date, QTime(9, 0)), false, false));
        QCOMPARE(p.at(Ctl::MonthTens).visible, monthTens);
        QCOMPARE(p.at(Ctl::DayTens).visible, dayTens);
        QCOMPARE(p.at(Ctl::MonthOnes).source, small(date.month() % 10));
        QCOMPARE(p.at(Ctl::DayOnes).source, small(date.day() % 10));
        QCOMPARE(p.at(Ctl::Year1).source, small(date.year() / 1000));
        QCOMPARE(p.at(Ctl::Year4).source, small(date.year() % 10));
        QCOMPARE(p.at(Ctl::Weekday).source, atlas::weekday(date.dayOfWeek() - 1));
    }

    // The week mark over whole months starting on every weekday, checked
    // against the calendar itself: the row of a Sunday-first calendar (a sixth
    // row shows as 1), or which occurrence of its weekday the day is.
    void weekMarkOverWholeMonths_data()
    {
        QTest::addColumn<bool>("nth");
        QTest::newRow("calendar row") << false;
        QTest::newRow("n-th weekday") << true;
    }
    void weekMarkOverWholeMonths()
    {
        QFETCH(bool, nth);
        QDate first(2026, 1, 1);
        for (int m = 0; m < 48; ++m, first = first.addMonths(1)) {
            const int offset = first.dayOfWeek() % 7; // Sunday 0 ... Saturday 6
            for (int d = 1; d <= first.daysInMonth(); ++d) {
                int expected = nth ? (d - 1) / 7 + 1 : (d + offset - 1) / 7 + 1;
                if (expected >= 6)
                    expected = 1;
                Face face;
                const QDate date(first.year(), first.month(), d);
                const auto p = byControl(face.redrawFace(QDateTime(date, QTime(12, 0)), true, nth));
                QVERIFY2(p.at(Ctl::WeekMark).source == atlas::weekMark(expected),
                         qPrintable(date.toString(Qt::ISODate)
                                    + QString(" expected week %1").arg(expected)));
            }
        }
    }

    void monthStartingOnSaturday()
    {
        // August 2026 starts on a Saturday.
        QCOMPARE(QDate(2026, 8, 1).dayOfWeek(), 6);
        QCOMPARE(weekNumber(1, 7, true, false), 1);
        QCOMPARE(weekNumber(2, 1, false, false), 2);
        QCOMPARE(weekNumber(30, 1, false, false), 1); // sixth row
        QCOMPARE(weekNumber(31, 2, false, false), 1);
    }

    void tickRepaintsOnlyWhatChanged()
    {
        Face face;
        face.redrawFace(at(2026, 3, 4, 10, 20, 1), false, false);
        // The first tick finds a new day (none seen yet) and repaints everything.
        QVERIFY(face.updateFace(at(2026, 3, 4, 10, 20, 2), false, false).size() > 10);
        QVERIFY(face.updateFace(at(2026, 3, 4, 10, 20, 3), false, false).empty());

        const auto quarter = face.updateFace(at(2026, 3, 4, 10, 20, 15), false, false);
        QCOMPARE(quarter.size(), size_t(1));
        QCOMPARE(quarter[0].control, Ctl::SecondsGauge);

        const auto minute = byControl(face.updateFace(at(2026, 3, 4, 10, 21, 15), false, false));
        QCOMPARE(minute.size(), size_t(2));
        QCOMPARE(minute.at(Ctl::MinuteOnes).source, large(1));

        const auto noon = byControl(face.updateFace(at(2026, 3, 4, 12, 0, 15), false, false));
        QCOMPARE(noon.at(Ctl::AmPm).source, atlas::pmMark());
        QVERIFY(noon.count(Ctl::HourTens));
        QVERIFY(!noon.count(Ctl::Weekday));

        const auto midnight = byControl(face.updateFace(at(2026, 3, 5, 0, 0, 0), false, false));
        QCOMPARE(midnight.at(Ctl::AmPm).source, atlas::amMark());
        QCOMPARE(midnight.at(Ctl::DayOnes).source, small(5));
        QCOMPARE(midnight.at(Ctl::Weekday).source, atlas::weekday(3)); // Thursday
    }

    void firstAfternoonTickPaintsPm()
    {
        // Nothing painted yet counts as AM, so the first afternoon tick paints PM.
        Face face;
        const auto p = byControl(face.updateFace(at(2026, 3, 4, 15, 0), false, false));
        QCOMPARE(p.at(Ctl::AmPm).source, atlas::pmMark());
    }
};

QTEST_GUILESS_MAIN(TestFace)
#include "test_face.moc"

// The running-time counters: their text and digits, and what the saved total counts.
#include "core/counters.h"
#include "design/glyph_atlas.h"

#include <QtTest>

using namespace vespera;

class TestCounters : public QObject {
    Q_OBJECT
private slots:
    void counterText_data()
    {
        QTest::addColumn<qint64>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "000000:00";
        QTest::newRow("59 minutes") << qint64(59) << "000000:59";
        QTest::newRow("one hour") << qint64(60) << "000001:00";
        QTest::newRow("1234 minutes") << qint64(1234) << "000020:34";
        QTest::newRow("past 49.7 days") << qint64(50 * 24 * 60 + 1) << "001200:01";
        QTest::newRow("the last it can show") << qint64(999999LL * 60 + 59) << "999999:59";
        QTest::newRow("more stays at the end") << qint64(1000000LL * 60) << "999999:59";
        QTest::newRow("negative shows zero") << qint64(-5) << "000000:00";
    }
    void counterText()
    {
        QFETCH(qint64, minutes);
        QFETCH(QString, text);
        QCOMPARE(vespera::counterText(minutes), text);
    }

    void counterDigitsGoToYearAndTimeControls()
    {
        const GlyphPaints p = counterGlyphs(QStringLiteral("012345:07"));
        QCOMPARE(p.size(), size_t(8));
        QCOMPARE(p[0], (GlyphPaint{Ctl::Year1, true, atlas::smallDigit(0)}));
        QCOMPARE(p[3], (GlyphPaint{Ctl::Year4, true, atlas::smallDigit(3)}));
        // A counter shows its leading zero, unlike the hour of the time face.
        QCOMPARE(p[4], (GlyphPaint{Ctl::HourTens, true, atlas::largeDigit(4)}));
        QCOMPARE(p[5], (GlyphPaint{Ctl::HourOnes, true, atlas::largeDigit(5)}));
        QCOMPARE(p[6], (GlyphPaint{Ctl::MinuteTens, true, atlas::largeDigit(0)}));
        QCOMPARE(p[7], (GlyphPaint{Ctl::MinuteOnes, true, atlas::largeDigit(7)}));
        QVERIFY(!counterGlyphs(QStringLiteral("000000:00"))[4].source.isNull());
    }

    void totalValueOfStoredText()
    {
        QCOMPARE(totalValue("1234"), qint64(1234));
        QCOMPARE(totalValue(" 77 "), qint64(77));
        QCOMPARE(totalValue(""), qint64(0));
        QCOMPARE(totalValue("abc"), qint64(0));
        QCOMPARE(totalValue("-40"), qint64(0));
        QCOMPARE(totalValue("12.5"), qint64(0));
    }

    void onlyUncountedMinutesOfThisBootAreAdded()
    {
        const UptimeLedger none;
        QCOMPARE(minutesNotCounted(none, "boot-a", 90), qint64(90));
        const UptimeLedger counted{"boot-a", 60};
        QCOMPARE(minutesNotCounted(counted, "boot-a", 90), qint64(30));
        QCOMPARE(minutesNotCounted(counted, "boot-b", 15), qint64(15)); // a new boot counts whole
        QCOMPARE(minutesNotCounted(counted, "boot-a", 50), qint64(0));  // never subtracts
        QCOMPARE(minutesNotCounted(counted, "", 90), qint64(90));       // boot unknown
    }

    // The total the clock keeps: what a view shows, what a store writes with
    // and without this run, the ledger that keeps a second run from adding
    // the same minutes, and the reset.
    void runningTotal()
    {
        RunningTotal total;
        total.start("100", UptimeLedger{"boot-a", 30});
        QCOMPARE(total.now("boot-a", 45), qint64(115));
        QCOMPARE(total.now("boot-b", 10), qint64(110)); // another boot: all its minutes
        const auto [counted, ledger] = total.toStore("boot-a", 45, true);
        QCOMPARE(counted, qint64(115));
        QCOMPARE(ledger.boot, QString("boot-a"));
        QCOMPARE(ledger.counted, qint64(45));
        QCOMPARE(total.toStore("boot-a", 45, false).first, qint64(100));
        total.markStored(counted, ledger);
        QCOMPARE(total.stored(), QString("115"));
        QCOMPARE(total.now("boot-a", 50), qint64(120)); // only the minutes since
        total.markStored(std::nullopt, std::nullopt);   // nothing written: nothing changes
        QCOMPARE(total.stored(), QString("115"));
        total.reset();
        QCOMPARE(total.now("boot-a", 50), qint64(50));
    }
};

QTEST_GUILESS_MAIN(TestCounters)
#include "test_counters.moc"

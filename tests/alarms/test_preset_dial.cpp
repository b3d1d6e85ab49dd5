// The preset dial: the bands of the scale and their arithmetic, the offset
// that carries into the next hour, picked, and what Set leaves on the clock.
#include "alarms/preset_dial.h"
#include "design/glyph_atlas.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"

using namespace vespera;

namespace {
int bandX(int along) { return PresetScale::kLeft + along; }
constexpr int kBandA = 30, kBandB = 45, kBandC = 60, kBandD = 85, kBandE = 100, kOff = 115;
} // namespace

class TestPresetDial : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

private slots:
    void init() { reset(); }

    void bandsPickMinutes_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("along");
        QTest::addColumn<QString>("minute");
        QTest::newRow("A, minute 37") << kBandA << 37 * 5 << "37";
        QTest::newRow("A, last pixel") << kBandA << 299 << "59";
        QTest::newRow("B, five") << kBandB << 27 << "5";
        QTest::newRow("B, 55") << kBandB << 299 << "55";
        QTest::newRow("C, half past") << kBandC << 150 << "30";
        QTest::newRow("C, last pixel") << kBandC << 299 << "45";
    }
    void bandsPickMinutes()
    {
        QFETCH(int, y);
        QFETCH(int, along);
        QFETCH(QString, minute);
        PresetScale scale;
        scale.open(7, 0);
        scale.mouseMove(bandX(along), y);
        QCOMPARE(scale.minuteText(), minute);
        QCOMPARE(scale.shownMarkerLeft(), PresetScale::markerLeft(minute.toInt()));
    }

    void offsetsCarryIntoTheNextHour_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("along");
        QTest::addColumn<QString>("shown"); // "AM 7 53"
        QTest::newRow("3 minutes") << 7 << kBandD << 15 << "AM 7 53";
        QTest::newRow("15 minutes") << 7 << kBandE << 75 << "AM 8 5";
        QTest::newRow("23 to 0") << 23 << kBandE << 75 << "AM 0 5";
        QTest::newRow("noon") << 11 << kBandD << 50 << "AM 12 0";
        QTest::newRow("one PM") << 12 << kBandD << 50 << "PM 1 0";
    }
    void offsetsCarryIntoTheNextHour()
    {
        QFETCH(int, hour);
        QFETCH(int, y);
        QFETCH(int, along);
        QFETCH(QString, shown);
        PresetScale scale;
        scale.open(hour, 50);
        scale.mouseMove(bandX(along), y);
        QCOMPARE(scale.amPmText() + ' ' + scale.dialHourText() + ' ' + scale.minuteText(), shown);
        QCOMPARE(scale.presetHour(), hour); // only a click commits the hour
    }

    void aClickCommitsTheShownHour()
    {
        PresetScale scale;
        scale.open(23, 50);
        scale.mouseMove(bandX(75), kBandE);
        scale.mouseDown(bandX(75), kBandE);
        QCOMPARE(scale.presetHour(), 0);
        QVERIFY(scale.doubleClick());
        scale.mouseMove(5, kOff); // leaving keeps the new hour and minute
        QCOMPARE(scale.dialHourText(), QString("0"));
        QCOMPARE(scale.minuteText(), QString("5"));
        QCOMPARE(scale.offsetText(), QString("0"));
        QVERIFY(!scale.doubleClick());
        QCOMPARE(scale.entry().toStored(), QString("00:05:00*"));
    }

    void leavingWithoutAClickGoesBack()
    {
        PresetScale scale;
        scale.open(7, 50);
        scale.mouseMove(bandX(50), kBandA);
        scale.mouseMove(bandX(25), kBandD);
        scale.mouseMove(bandX(0), kOff);
        QCOMPARE(scale.minuteText(), QString("50"));
        QCOMPARE(scale.offsetText(), QString("0"));
        QCOMPARE(scale.shownMarkerLeft(), scale.selectedMarkerLeft());
        QCOMPARE(scale.offsetMarkerLeft(), PresetScale::markerLeft(0));
        QCOMPARE(scale.entry().toStored(), QString("07:50:00*"));
    }

    // A first move onto the minute already shown moves no marker; the click
    // must still select that minute.
    void aClickSelectsTheMinuteShown()
    {
        PresetScale scale;
        scale.open(12, 35);
        QVERIFY(!scale.doubleClick());
        scale.mouseMove(bandX(35 * 5), kBandA);
        scale.mouseDown(bandX(35 * 5), kBandA);
        QCOMPARE(scale.selectedMinute(), 35);
        QVERIFY(scale.doubleClick());
        QCOMPARE(scale.entry().toStored(), QString("12:35:00*"));
    }

    void setLeavesAOneTimeAlarmOnTheClock()
    {
        m_clock.time.setTime(QTime(7, 45, 10));
        auto clock = start();
        probe(*clock).preset().setPresetHour(7);
        PresetScale scale;
        {
            PresetDial dial(*clock, scale, &m_clock);
            QCOMPARE(dial.windowTitle(), QString("プリセットアラーム"));
            QCOMPARE(dial.size(), QSize(468, 127));
            dial.onSet();
            QCOMPARE(dial.result(), int(QDialog::Accepted));
        }
        QCOMPARE(storedTexts(probe(*clock).alarms()), QStringList{"07:45:00*"});
        QVERIFY(clock->flags().alarmOn);
        QCOMPARE(probe(*clock).control(Ctl::AlarmMark).source, atlas::alarmOn());
        QCOMPARE(stored("0"), QString("07:45:00*"));
        QCOMPARE(stored("1"), QString(""));
    }

    void nowAndPickedAcrossOpenings()
    {
        m_clock.time.setTime(QTime(16, 20));
        auto clock = start();
        probe(*clock).preset().setPresetHour(99); // hand-written nonsense: the current hour
        PresetScale scale;
        {
            PresetDial dial(*clock, scale, &m_clock);
            QCOMPARE(scale.presetHour(), 16);
            scale.mouseDown(bandX(10), kBandA);
            m_clock.time.setTime(QTime(17, 2));
            dial.onNow();
            QCOMPARE(probe(*clock).preset().presetHour(), std::optional<int>(17));
            QCOMPARE(scale.minuteText(), QString("2"));
            dial.onClose();
        }
        QVERIFY(probe(*clock).alarms().isEmpty());
        PresetDial again(*clock, scale, &m_clock);
        QVERIFY(scale.doubleClick()); // a pick is remembered into the next opening
    }

    // Before the menu names an hour, the dial opens on the current one.
    void noPresetHourYetIsTheCurrentOne()
    {
        m_clock.time.setTime(QTime(5, 40));
        auto clock = start();
        QCOMPARE(probe(*clock).preset().presetHour(), std::nullopt);
        PresetScale scale;
        PresetDial dial(*clock, scale, &m_clock);
        QCOMPARE(scale.amPmText() + ' ' + scale.dialHourText() + ' ' + scale.minuteText(),
                 QString("AM 5 40"));
        dial.onSet();
        QCOMPARE(stored("0"), QString("05:40:00*"));
    }

    // A new window starts with no offset: only picked carries over.
    void theOffsetStartsAfreshEachOpening()
    {
        m_clock.time.setTime(QTime(7, 20));
        auto clock = start();
        probe(*clock).preset().setPresetHour(7);
        PresetScale scale;
        {
            PresetDial dial(*clock, scale, &m_clock);
            scale.mouseMove(bandX(75), kBandE);
            QCOMPARE(scale.offsetText(), QString("15"));
            dial.onClose();
        }
        PresetDial again(*clock, scale, &m_clock);
        QCOMPARE(scale.offsetText(), QString("00"));
        QCOMPARE(scale.offsetMarkerLeft(), PresetScale::kHidden);
    }

    // The store keeps twelve reservations; a thirteenth would be gone at the
    // next start, so the dial says so and adds nothing.
    void aFullListIsRefused()
    {
        for (int i = 0; i < kMaxStoredAlarms; ++i)
            set(QString::number(i), QStringLiteral("%1:00:00").arg(i + 1, 2, 10, QChar('0')));
        auto clock = start();
        QCOMPARE(probe(*clock).alarms().size(), kMaxStoredAlarms);
        fakes::FakeMessages messages;
        PresetScale scale;
        PresetDial dial(*clock, scale, &m_clock, &messages);
        dial.onSet();
        QCOMPARE(messages.shown, QStringList{"pendra|アラームの予約は12件までです。"});
        QCOMPARE(dial.result(), int(QDialog::Rejected)); // still open for another try
        QCOMPARE(probe(*clock).alarms().size(), kMaxStoredAlarms);
        AlarmList stored = ClockSettings(*m_store).alarms();
        QCOMPARE(stored, probe(*clock).alarms());
    }
};

QTEST_MAIN(TestPresetDial)
#include "test_preset_dial.moc"

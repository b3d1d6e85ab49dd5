// An alarm reservation's stored text: what it reads as, that it is written
// back unchanged, and when two reservations are the same one.
#include "core/alarm.h"

#include <QtTest>

using namespace vespera;

class TestAlarm : public QObject {
    Q_OBJECT

private slots:
    void readsStoredText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QTime>("time"); // invalid: never rings
        QTest::addColumn<bool>("oneShot");
        QTest::newRow("daily") << "07:30:00" << QTime(7, 30) << false;
        QTest::newRow("one-time") << "21:05:00*" << QTime(21, 5) << true;
        QTest::newRow("midnight") << "00:00:00" << QTime(0, 0) << false;
        QTest::newRow("seconds kept") << "23:59:41" << QTime(23, 59, 41) << false;
        // Hand-edited entries: the first eight characters give the time, the
        // last one says whether it rings once.
        QTest::newRow("a note after it") << "07:30:00 wake" << QTime(7, 30) << false;
        QTest::newRow("a blank before the star") << "07:30:00 *" << QTime(7, 30) << true;
        QTest::newRow("two stars") << "07:30:00**" << QTime(7, 30) << true;
        QTest::newRow("one-digit hour") << "7:30:00*" << QTime() << true;
        QTest::newRow("hour 24") << "24:00:00" << QTime() << false;
        QTest::newRow("minute 60") << "07:60:00" << QTime() << false;
        QTest::newRow("no seconds") << "07:30" << QTime() << false;
        QTest::newRow("words") << "ab:cd:ef" << QTime() << false;
        QTest::newRow("a star alone") << "*" << QTime() << true;
        QTest::newRow("empty") << "" << QTime() << false;
    }
    void readsStoredText()
    {
        QFETCH(QString, stored);
        QFETCH(QTime, time);
        QFETCH(bool, oneShot);
        const Alarm alarm = Alarm::fromStored(stored);
        QCOMPARE(alarm.time(), time);
        QCOMPARE(alarm.isOneShot(), oneShot);
        // Whatever it reads as, it is stored and shown as it was written.
        QCOMPARE(alarm.toStored(), stored);
        QCOMPARE(alarmsFromStored({stored, stored}), (AlarmList{alarm, alarm}));
        QCOMPARE(storedTexts({alarm}), QStringList{stored});
    }

    void writesTheStoredForm_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("oneShot");
        QTest::addColumn<QString>("stored");
        QTest::newRow("daily") << QTime(7, 5) << false << "07:05:00";
        QTest::newRow("one-time") << QTime(23, 59, 7) << true << "23:59:07*";
        QTest::newRow("milliseconds dropped") << QTime(6, 0, 0, 999) << false << "06:00:00";
    }
    void writesTheStoredForm()
    {
        QFETCH(QTime, time);
        QFETCH(bool, oneShot);
        QFETCH(QString, stored);
        const Alarm alarm(time, oneShot);
        QCOMPARE(alarm.toStored(), stored);
        QCOMPARE(Alarm::fromStored(stored), alarm);
    }

    // Two reservations are one when their stored texts are: the options
    // dialog takes out what the user took out by this.
    void sameWhenStoredTheSame_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("same") << "07:30:00"
                              << "07:30:00";
        QTest::newRow("one-time and daily") << "07:30:00"
                                            << "07:30:00*";
        QTest::newRow("other seconds") << "07:30:00"
                                       << "07:30:30";
        QTest::newRow("a note") << "07:30:00"
                                << "07:30:00 wake";
        QTest::newRow("two unreadable") << "ab"
                                        << "cd";
        QTest::newRow("unreadable and empty") << "ab"
                                              << "";
    }
    void sameWhenStoredTheSame()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QCOMPARE(Alarm::fromStored(a) == Alarm::fromStored(b), a == b);
        QCOMPARE(Alarm::fromStored(a) != Alarm::fromStored(b), a != b);
    }

    void ringsInItsMinute_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QTime>("at");
        QTest::addColumn<bool>("rings");
        QTest::newRow("its minute's start") << "07:30:00" << QTime(7, 30, 0) << true;
        QTest::newRow("its minute's end") << "07:30:00" << QTime(7, 30, 59) << true;
        QTest::newRow("before its seconds") << "07:30:45" << QTime(7, 30, 10) << true;
        QTest::newRow("the next minute") << "07:30:00" << QTime(7, 31, 0) << false;
        QTest::newRow("twelve hours on") << "07:30:00" << QTime(19, 30, 0) << false;
        QTest::newRow("a note after it") << "07:30:00 wake" << QTime(7, 30, 0) << true;
        QTest::newRow("unreadable at midnight") << "ab:cd:ef" << QTime(0, 0, 0) << false;
        QTest::newRow("empty at midnight") << "" << QTime(0, 0, 0) << false;
    }
    void ringsInItsMinute()
    {
        QFETCH(QString, stored);
        QFETCH(QTime, at);
        QFETCH(bool, rings);
        QCOMPARE(Alarm::fromStored(stored).ringsAt(at), rings);
    }
};

QTEST_GUILESS_MAIN(TestAlarm)
#include "test_alarm.moc"

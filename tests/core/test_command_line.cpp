// The clock's arguments as it reads them: an alarm for this run and its
// program, a command for the clock that runs, the autostart's quiet start.
#include "core/command_line.h"

#include <QtTest>

using namespace vespera;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("alarm"); // stored text; "-" for none
        QTest::addColumn<QTime>("rings");   // invalid: never rings
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("quiet");
        const QTime never;
        QTest::newRow("nothing") << QStringList() << "-" << never << ""
                                 << "" << false;
        QTest::newRow("autostart") << QStringList{"a"} << "-" << never << ""
                                   << "" << true;
        QTest::newRow("autostart and more") << QStringList{"a", "b"} << "-" << never << ""
                                            << "" << false;
        QTest::newRow("alarm") << QStringList{"AL", "0645"} << "06:45:00" << QTime(6, 45) << ""
                               << "" << false;
        QTest::newRow("alarm and program") << QStringList{"AL", "2330", "/bin/radio", "--loud"}
                                           << "23:30:00" << QTime(23, 30) << "/bin/radio --loud"
                                           << "" << false;
        QTest::newRow("program with a blank")
            << QStringList{"AL", "0700", "/opt/my radio/play"} << "07:00:00" << QTime(7, 0)
            << "\"/opt/my radio/play\""
            << "" << false;
        QTest::newRow("options") << QStringList{"--options"} << "-" << never << ""
                                 << "options" << false;
        QTest::newRow("a command first, an alarm after")
            << QStringList{"--quit", "AL", "0645"} << "-" << never << ""
            << "quit" << false;
        QTest::newRow("an unknown option") << QStringList{"--verbose-mode"} << "-" << never << ""
                                           << "" << false;
        QTest::newRow("lower case") << QStringList{"al", "0645"} << "-" << never << ""
                                    << "" << false;
        QTest::newRow("quoted first") << QStringList{"AL 0645"} << "-" << never << ""
                                      << "" << false;
        // Lines that only start like an alarm line still switch alarms on,
        // with a time that never rings (or one read from the wrong digits).
        QTest::newRow("AL alone") << QStringList{"AL"} << "::00" << never << ""
                                  << "" << false;
        QTest::newRow("ALARM") << QStringList{"ALARM"} << "RM::00" << never << ""
                               << "" << false;
        QTest::newRow("no blank") << QStringList{"AL0645"} << "64:5:00" << never << ""
                                  << "" << false;
        QTest::newRow("three digits")
            << QStringList{"AL", "645", "/bin/radio"} << "64:5 :00" << never << "bin/radio"
            << "" << false;
        QTest::newRow("hour 25") << QStringList{"AL", "2500"} << "25:00:00" << never << ""
                                 << "" << false;
        QTest::newRow("five digits")
            << QStringList{"AL", "06450", "x"} << "06:45:00" << QTime(6, 45) << " x"
            << "" << false;
    }
    void reads()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, alarm);
        QFETCH(QTime, rings);
        QFETCH(QString, program);
        QFETCH(QString, command);
        QFETCH(bool, quiet);
        const CommandLine line = parseCommandLine(arguments);
        QCOMPARE(line.alarm ? line.alarm->toStored() : QString("-"), alarm);
        if (line.alarm) {
            QCOMPARE(line.alarm->time().isValid()
                         ? QTime(line.alarm->time().hour(), line.alarm->time().minute())
                         : QTime(),
                     rings);
            QVERIFY(!line.alarm->isOneShot()); // it rings every day of the run
        }
        QCOMPARE(line.alarmProgram, program);
        QCOMPARE(line.remoteCommand, command);
        QCOMPARE(line.quietSecondStart, quiet);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"

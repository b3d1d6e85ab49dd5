// Clock adjustment: the nearest whole minute, the offset held to -59..+59,
// midnight both ways, and what a refusal to set the clock tells the user.
#include "core/clock_adjust.h"
#include "platform/system_time.h"

#include <QDBusMessage>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

using namespace vespera;

class TestClockAdjust : public QObject {
    Q_OBJECT

private slots:
    void targets_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("target");
        QTest::newRow("before half") << QTime(10, 14, 29) << 0 << "10:14:00";
        QTest::newRow("from half") << QTime(10, 14, 30) << 0 << "10:15:00";
        QTest::newRow("into tomorrow") << QTime(23, 59, 15) << 2 << "00:01:00";
        QTest::newRow("rounded into tomorrow") << QTime(23, 59, 45) << 2 << "00:02:00";
        QTest::newRow("into yesterday") << QTime(0, 0, 10) << -5 << "23:55:00";
        QTest::newRow("round to midnight") << QTime(23, 59, 30) << 0 << "00:00:00";
        QTest::newRow("a whole hour back") << QTime(0, 30, 0) << -59 << "23:31:00";
        QTest::newRow("same minute, seconds 00") << QTime(8, 0, 12) << 0 << "08:00:00";
    }
    void targets()
    {
        QFETCH(QTime, now);
        QFETCH(int, offset);
        QFETCH(QString, target);
        QCOMPARE(adjustTimeText(adjustTarget(now, offset)), target);
    }

    void offsetButtonsAndLabels()
    {
        ClockAdjust adjust;
        for (int i = 0; i < 70; ++i)
            adjust.later();
        QCOMPARE(adjust.offsetText(), QString("59"));
        adjust.tick(QTime(23, 59, 45));
        QCOMPARE(adjust.nowText(), QString("23:59:45"));
        QCOMPARE(adjust.targetText(), QString("00:59:00"));
        for (int i = 0; i < 59 + 3; ++i)
            adjust.earlier();
        QCOMPARE(adjust.offsetText(), QString("-3"));
        for (int i = 0; i < 100; ++i)
            adjust.earlier();
        QCOMPARE(adjust.offsetText(), QString("-59"));
    }

    // SET sets the target the labels show: the offset counts from the next tick.
    void setSetsTheShownTarget()
    {
        ClockAdjust adjust;
        adjust.tick(QTime(23, 59, 45));
        QCOMPARE(adjust.target(), QTime(0, 0));
        adjust.earlier();
        QCOMPARE(adjust.offset(), -1);
        QCOMPARE(adjust.target(), QTime(0, 0));
        adjust.tick(QTime(23, 59, 45));
        QCOMPARE(adjust.target(), QTime(23, 59));
        QCOMPARE(adjust.targetText(), QString("23:59:00"));
    }

    void refusalsAreExplained_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("time sync on") << "org.freedesktop.timedate1.AutomaticTimeSyncEnabled"
                                      << "時刻の自動同期が有効";
        QTest::newRow("not allowed") << "org.freedesktop.DBus.Error.AccessDenied"
                                     << "権限がありません";
        QTest::newRow("polkit said no")
            << "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"
            << "権限がありません";
        QTest::newRow("no timedated") << "org.freedesktop.DBus.Error.ServiceUnknown"
                                      << "timedated) が見つかりません";
        QTest::newRow("anything else") << "org.example.Odd"
                                       << "設定できませんでした";
    }
    void refusalsAreExplained()
    {
        QFETCH(QString, error);
        QFETCH(QString, reason);
        const QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.timedate1", "/org/freedesktop/timedate1", "org.freedesktop.timedate1",
            "SetTime");
        const platform::SetTimeResult refused =
            platform::TimedatedSystemTime::resultOf(call.createErrorReply(error, "detail here"));
        QVERIFY(!refused.ok);
        QVERIFY2(refused.message.contains(reason), qPrintable(refused.message));
        QVERIFY(refused.message.contains("detail here"));
        QVERIFY(platform::TimedatedSystemTime::resultOf(call.createReply()).ok);
    }

    // Without a system bus "SET" is answered at once, and no time is set
    // (there is nothing to set it with).
    void noSystemBusIsSaid()
    {
        QTemporaryDir dir;
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + dir.filePath("no-bus").toUtf8());
        platform::TimedatedSystemTime systemTime;
        std::optional<platform::SetTimeResult> outcome;
        systemTime.setTimeOfDay(QTime(3, 0), [&](platform::SetTimeResult r) { outcome = r; });
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 10000);
        QVERIFY(!outcome->ok);
        QVERIFY2(outcome->message.contains("timedated"), qPrintable(outcome->message));
    }
};

QTEST_GUILESS_MAIN(TestClockAdjust)
#include "test_clock_adjust.moc"

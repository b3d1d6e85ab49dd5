// What a hand-edited settings file with thousands of numbered keys (alarm
// reservations) costs the clock: reading the reservations, and storing the
// list when a one-time alarm has rung, which drops the keys past the twelve
// the store keeps.
//   alarm_keys [KEYS...]   (default 3000 12000)
// One row per size on stdout: milliseconds to load and to save, median of 5.
#include "core/clock_settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList sizes = app.arguments().mid(1);
    if (sizes.isEmpty())
        sizes = {QStringLiteral("3000"), QStringLiteral("12000")};
    QTemporaryDir dir;
    std::printf("keys\tload_ms\tsave_ms\n");
    for (const QString &size : sizes) {
        QByteArray file = "[pendra]\n";
        for (int i = 0; i <= size.toInt(); ++i)
            file += QByteArray::number(i) + (i == 0 ? "=07:30:00*\n" : "=08:00:00\n");
        std::vector<double> loads, saves;
        for (int run = 0; run < 5; ++run) {
            const QString path = dir.filePath(QStringLiteral("kestrel.ini"));
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
                return 1;
            f.close();
            common::SettingsStore store = common::SettingsStore::atPath(path);
            QElapsedTimer t;
            t.start();
            vespera::AlarmList list = vespera::ClockSettings(store).alarms();
            loads.push_back(t.nsecsElapsed() / 1e6);
            list.removeFirst(); // the one-time alarm rang
            t.restart();
            if (!vespera::ClockSettings(store).saveAlarms(list))
                return 1;
            saves.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(loads.begin(), loads.end());
        std::sort(saves.begin(), saves.end());
        std::printf("%s\t%.1f\t%.1f\n", qPrintable(size), loads[2], saves[2]);
    }
    return 0;
}

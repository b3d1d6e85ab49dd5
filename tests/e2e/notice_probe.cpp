// Opens the alarm notice with the real sound path for a few seconds, then
// closes it: for the test that listens to a sound server's monitor.
// Usage: notice_probe FOLDER_WITH_SOUNDS_AND_PLAYER SECONDS
#include "alarms/alarm_notice.h"
#include "platform/clock_source.h"
#include "platform/qt_sound.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    common::SettingsStore store;
    platform::SystemClockSource clock;
    platform::QtSound sound({QString::fromLocal8Bit(argv[1])});
    vespera::VolumeOverrides volumes(&sound);
    vespera::AlarmNotice notice(volumes, store, &clock, true);
    notice.showAbove();
    QTimer::singleShot(QString(argv[2]).toInt() * 1000, &notice, &QDialog::accept);
    QTimer::singleShot(QString(argv[2]).toInt() * 1000 + 1000, &app, &QApplication::quit);
    return app.exec();
}

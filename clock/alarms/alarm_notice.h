// AlarmNotice — the alarm notice: shows the time and repeats the alarm sound.
#pragma once

#include "core/volume_overrides.h"

#include "common/settings_store.h"

#include <QDialog>
#include <QTimer>
#include <optional>

class QLabel;
class QPushButton;

namespace platform {
class ClockSource;
class Sound;
} // namespace platform

namespace vespera {

// "19:30" with the 24-hour face, otherwise "PM 07:30" (0:05 is "AM 12:05"),
// or "7:30 PM" in English.
QString noticeTimeText(const QTime &t, bool use24Hour);

class AlarmNotice : public QDialog {
    Q_OBJECT
public:
    AlarmNotice(VolumeOverrides &volumes, common::SettingsStore &store,
                platform::ClockSource *clock, bool use24Hour, QWidget *parent = nullptr);

    // Plays of the alarm sound in this series; it ends at six.
    int playCount() const { return m_playCount; }
    // Plays the sound again every four seconds until the series ends.
    const QTimer &repeatTimer() const { return m_repeatTimer; }

    // The alarm's own time in place of now's, and whether it rings late.
    void showRing(const QTime &time, bool late);
    // Shows it above every other window, full-screen ones included.
    void showAbove();
    void onRepeat();

signals:
    // "スヌーズ" or [S]: ring again in a few minutes. The notice closes.
    void snoozed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void start();
    void finish();
    void playAlarm();
    // Shows why the alarm cannot be heard, when the sound says it cannot.
    void showSilence();

    // Named as their object names, by which tests find them.
    QLabel *headLabel, *timeLabel, *tailLabel; // the words before and after the time
    QLabel *lateLabel;    // "（遅れて通知）" over the time of an alarm that rings late
    QLabel *silenceLabel; // under the buttons, when the sound cannot be heard
    QPushButton *okButton;
    QPushButton *snoozeButton;

    int m_playCount = 0;
    QTimer m_repeatTimer;
    VolumeOverrides &m_volumes;
    platform::Sound *m_sound;
    common::SettingsStore &m_store;
    platform::ClockSource *m_clock;
    bool m_use24Hour;
    QTimer m_pause;
    QTimer m_silenceCheck;             // a moment after each sound: the player has answered by then
    std::optional<int> m_volumeTicket; // held while the alarm's own volume is on
    bool m_unloaded = false;
    qint64 m_lastPlayMs = 0; // uptime of the last start of the sound
};

} // namespace vespera

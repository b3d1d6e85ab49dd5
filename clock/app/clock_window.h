// ClockWindow — the clock window: start-up, the one-second tick, the face and closing.
#pragma once

#include "alarms/preset_dial.h"
#include "clock_menu.h"
#include "core/alarm_keeper.h"
#include "core/chime.h"
#include "core/clock_session.h"
#include "core/face.h"
#include "dog.h"
#include "face_pointer.h"
#include "face_view.h"
#include "options/options_dialog.h"
#include "tucker.h"
#include "window_placer.h"

#include "platform/autostart.h"

#include <QTimer>
#include <QWidget>
#include <optional>

namespace platform {
class GlyphSurface;
class ClockSource;
class Desktop;
class RandomSource;
class ProgramStarter;
class Sound;
} // namespace platform

namespace vespera {

// The seams ClockWindow talks to instead of the desktop itself.
struct ClockPlatform {
    platform::ClockSource *clock;
    platform::Desktop *desktop;
    platform::RandomSource *random;
    platform::ProgramStarter *programs = nullptr;
    platform::Sound *sound = nullptr;
    platform::Autostart *autostart = nullptr; // none: the menu has no "start at login"
};

class ClockWindow : public QWidget, public PresetTarget, public OptionsTarget, public FaceCommands {
    Q_OBJECT
public:
    using Control = FaceControl;

    ClockWindow(common::SettingsStore &store, const ClockPlatform &platform,
                const CommandLine &commandLine, QWidget *parent = nullptr);

    // Where changed cells are copied straight to the screen; without one (or
    // when it cannot draw here) every change is painted through Qt.
    void setGlyphSurface(platform::GlyphSurface *surface) { m_faceView.setGlyphSurface(surface); }

    // Start-up after the single-instance check; false when no design could be loaded.
    bool load();
    void onActivated();
    void unload();
    // While nobody can see the screen (a screen saver, a locked session) the
    // clock wakes only when something must happen on time; when the screen
    // comes back the face is right at once.
    void setScreenHidden(bool hidden);
    // A command another start of the program handed over (see
    // remoteCommands()), done as its menu item or button does it; false for
    // a word it does not know.
    bool runCommand(const QString &word);
    // The work area changed (a panel came, went or moved, a monitor came or
    // went): place the clock anew.
    void workAreaChanged();
    // Moves the window once more where it was placed, for window managers
    // that clamp the first placement.
    void placeAgain() { m_placer.moveTo(m_placer.placed()); }
    // Placed past a window manager that would float it in the middle of the
    // screen (wlroots'): above the others for good, and blind to panels.
    bool bypassesWindowManager() const { return m_bypassesManager; }
    // Writes the flags and the total as closing does, without closing: for a
    // session that asks its programs to save before it logs out.
    void saveSettingsNow() { m_session.store(m_flags, m_view, true); }

    // What the other windows read of the clock and ask of it.
    // The volume of the program's sounds, shared by the chime and the notices.
    VolumeOverrides &volumes() { return m_volumes; }
    const ClockFlags &flags() const { return m_flags; }
    // The ringing alarm rings again a few minutes from now (this run only).
    void snooze();

signals:
    void unloaded(); // the program ends now
    // Windows that belong to the program, not to the clock window.
    void presetAlarmRequested();
    void optionsRequested();
    void aboutRequested();
    // An alarm rings: its time, and whether it rings late.
    void alarmNoticeRequested(const QTime &time, bool late);
    void welcomeRequested();
    // Something the user asked for from the menu failed: says what.
    void failureReported(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Tests stand the clock at a chosen second and read what it decided
    // there (the view, the tuck state, a cell of the face) without waiting
    // for its timers or reading pixels: tests/fakes/clock_probe.h.
    friend class ClockProbe;

    bool loadDesign();
    void onTick();
    // How long until the next tick, as scheduled.
    int msUntilTick() const { return m_tickTimer.remainingTime(); }
    void onWagStep() { m_dog.onWagStep(); }

    // The menu's commands.
    void onMenuCommand(MenuCommand command);
    void onStandardView();
    void onUptimeView();
    void onTotalView();
    void onResetTotal() { m_session.resetTotal(); }
    void onDontCountToggled() { m_session.toggleDontCount(); }
    void onStartAtLoginToggled();
    void onQuit() { close(); }
    void onHideModeToggled();
    void onAutoTuckToggled() { m_flags.autoTuck = !m_flags.autoTuck; }
    void onAlwaysOnTopToggled();
    void onPresetNow();
    void onPresetHour(int hour);
    // The monitor the clock lives on; empty for the primary one, which it
    // also goes to while the chosen one is missing. Stored at once.
    void chooseMonitor(const QString &monitor);

    // The face's pictures, as the pointer on them asks.
    void onCloseButton() override;
    void onMouseMove(QPoint pos) override;
    void onMouseDown(Qt::MouseButton button, QPoint pos) override;
    void onEdgeStrip() override { onHideModeToggled(); }
    void onAlarmMark() override;
    void onAlarmButton() override { popUp(ClockMenu::Popup::Presets); }
    void onMenuButton() override { popUp(ClockMenu::Popup::Whole); }
    void onLogo() override { emit aboutRequested(); }
    void onOptionButton() override;
    void startDesignBrowser() override;
    void storeFlags() override { m_session.store(m_flags, m_view, false); }

    // What the preset dial reads and gives back.
    // A one-time alarm from the preset dial: into the list, alarms on, the
    // alarm mark painted, the list stored.
    bool addPresetAlarm(const Alarm &alarm) override;
    std::optional<int> presetHour() const override { return m_presetHour; }
    void setPresetHour(int hour) override { m_presetHour = hour; }

    // What the options dialog reads and gives back.
    Corner corner() const override { return m_corner; }
    ClockFlags optionFlags() const override { return m_flags; }
    void applyOptionFlags(const ClockFlags &flags) override;
    void reloadAlarmList() override { m_alarms.reload(); }
    void playChime() override { m_chime.playChime(); }

    void setAlwaysOnTop(bool above);
    // The alarm mark as the alarms are: on or off.
    void showAlarmMark();
    // The minutes of the counter view shown.
    void showCounter();
    void showTime(const QDateTime &now); // the face or the counter, as the view says
    void showCounterView(const QString &title, View counter);
    void scheduleTick(const QDateTime &now);
    void popUp(ClockMenu::Popup which);

    void showWelcome() { emit welcomeRequested(); }

    ClockFlags m_flags;
    Corner m_corner = Corner::TopLeft;
    int m_frameOffset = 0;
    bool m_designPlaced = false; // by load(), for the activation that follows it
    View m_view = View::Standard;
    QString m_shownMinutes;
    std::optional<int> m_presetHour; // the hour a preset alarm is for, 0-23
    bool m_bypassesManager;
    ClockPlatform m_platform;
    CommandLine m_commandLine;
    ClockSession m_session;
    Face m_face;
    FaceView m_faceView{this};
    Dog m_dog{m_faceView, m_platform.random};
    QRegion m_shape;
    QTimer m_tickTimer;
    bool m_screenHidden = false;
    qint64 m_lastTickSecond = -1;
    ClockMenu m_menu;
    VolumeOverrides m_volumes;
    AlarmKeeper m_alarms;
    Chime m_chime;
    HourMarks m_hourMarks;
    WindowPlacer m_placer{this, m_platform.desktop};
    Tucker m_tucker{m_placer, m_platform.desktop, m_platform.clock};
    FacePointer m_pointer{m_faceView, m_tucker, *this};
    bool m_unloaded = false;
    bool m_activating = false;
};

} // namespace vespera

// ClockWindow — the clock window: start-up, the one-second tick, the face and closing.
#pragma once

#include "alarms/alarm_keeper.h"
#include "alarms/chime.h"
#include "alarms/preset_dial.h"
#include "clock_menu.h"
#include "clock_session.h"
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
    bool loadDesign();
    void onTick();
    // While nobody can see the screen (a screen saver, a locked session) the
    // clock wakes only when something must happen on time; when the screen
    // comes back the face is right at once.
    void setScreenHidden(bool hidden);
    // How long until the next tick, as scheduled.
    int msUntilTick() const { return m_tickTimer.remainingTime(); }
    void onWagStep() { m_dog.onWagStep(); }

    void onStandardView();
    void onUptimeView();
    void onTotalView();
    void onResetTotal() { m_session.resetTotal(); }
    void onDontCountToggled() { m_session.toggleDontCount(); }
    void onStartAtLoginToggled();
    void onQuit() { close(); }
    // A command another start of the program handed over (see
    // remoteCommands()), done as its menu item or button does it; false for
    // a word it does not know.
    bool runCommand(const QString &word);
    void onCloseButton() override;

    // Placement: sliding into the screen edge and back, staying in the corner.
    std::optional<bool> misplaced() { return m_placer.misplaced(m_corner, m_frameOffset); }
    void onMouseMove(QPoint pos) override;
    void onMouseDown(Qt::MouseButton button, QPoint pos) override;
    void onHideModeToggled();
    void onEdgeStrip() override { onHideModeToggled(); }
    void onAutoTuckToggled() { m_flags.autoTuck = !m_flags.autoTuck; }
    void onAlwaysOnTopToggled();
    // The work area changed (a panel came, went or moved, a monitor came or
    // went): place the clock anew.
    void workAreaChanged();
    // The monitor the clock lives on; empty for the primary one, which it
    // also goes to while the chosen one is missing. Stored at once.
    void chooseMonitor(const QString &monitor);
    QString monitor() const { return m_placer.monitor(); }

    // The face's pictures and the menu's commands.
    void onAlarmMark() override;
    void onAlarmButton() override { popUp(m_menu.presetMenu); }
    void onMenuButton() override { popUp(m_menu.root); }
    void onLogo() override { emit aboutRequested(); }
    void onOptionButton() override;
    void onPresetNow();
    void onPresetHour(int hour);
    void startDesignBrowser() override;
    ClockMenu &menu() { return m_menu; }
    // The volume of the program's sounds, shared by the chime and the notices.
    VolumeOverrides &volumes() { return m_volumes; }

    // Alarms and the chime.
    // The ringing alarm rings again a few minutes from now (this run only).
    void snooze();
    void playChime() override { m_chime.playChime(); }
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

    // Writes the flags and the total as closing does, without closing: for a
    // session that asks its programs to save before it logs out.
    void saveSettingsNow() { m_session.store(m_flags, m_view, true); }
    void storeFlags() override { m_session.store(m_flags, m_view, false); }

    // The switches, and whether this run is left out of the running total.
    const ClockFlags &flags() const { return m_flags; }
    bool dontCount() const { return m_session.dontCount(); }

    // What the clock shows and where it stands.
    View view() const { return m_view; }
    TuckState tuckState() const { return m_tucker.state(); }
    // The offset of the window manager's frame the shape is cut for.
    int frameOffset() const { return m_frameOffset; }
    // The minutes a counter view shows, the total as stored, the view's title.
    QString shownMinutes() const { return m_shownMinutes; }
    QString storedTotal() const { return m_session.storedTotal(); }
    QString counterTitle() const { return m_faceView.title(); }
    // The reservations the tick checks.
    const AlarmList &alarms() const { return m_alarms.list(); }

    const Control &control(Ctl c) const { return m_faceView.control(c); }
    QString skinPath() const { return m_faceView.picturePath(); }
    QPoint placedPosition() const { return m_placer.placed(); }
    // Moves the window once more where it was placed, for window managers
    // that clamp the first placement.
    void placeAgain() { m_placer.moveTo(m_placer.placed()); }
    bool isUnloaded() const { return m_unloaded; }
    // Placed past a window manager that would float it in the middle of the
    // screen (wlroots'): above the others for good, and blind to panels.
    bool bypassesWindowManager() const { return m_bypassesManager; }
    bool isWagging() const { return m_dog.isWagging(); }

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
    void setAlwaysOnTop(bool above);
    // The alarm mark as the alarms are: on or off.
    void showAlarmMark();
    // The minutes of the counter view shown.
    void showCounter();
    void showTime(const QDateTime &now); // the face or the counter, as the view says
    void showCounterView(const QString &title, View counter);
    void scheduleTick(const QDateTime &now);
    void popUp(QMenu *menu);

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

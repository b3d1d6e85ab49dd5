// ClockWindow — the clock window: start-up, the one-second tick, the face and closing.
#include "clock_window.h"
#include "core/alarm_engine.h"
#include "core/counters.h"
#include "core/placement.h"

#include "platform/clock_source.h"
#include "platform/desktop.h"
#include "platform/program_starter.h"
#include "platform/random_source.h"
#include "platform/x11_window.h"

#include <QCloseEvent>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <iterator>

namespace vespera {

namespace {
constexpr int kTickLateMs = 4; // a tick lands this much after the whole second, never before

Qt::WindowFlags clockWindowFlags(bool bypassManager)
{
    Qt::WindowFlags flags = Qt::FramelessWindowHint | Qt::Tool;
    if (bypassManager)
        flags |= Qt::X11BypassWindowManagerHint;
    return flags;
}
} // namespace

ClockWindow::ClockWindow(common::SettingsStore &store, const ClockPlatform &platform,
                         const CommandLine &commandLine, QWidget *parent)
    : QWidget(parent, clockWindowFlags(platform::x11::managerCentresEveryWindow())),
      m_bypassesManager(windowFlags().testFlag(Qt::X11BypassWindowManagerHint)),
      m_platform(platform), m_commandLine(commandLine), m_session(store, platform.clock),
      m_menu(this), m_volumes(platform.sound), m_alarms(store, platform.programs),
      m_chime(m_volumes, store, this)
{
    setWindowTitle(QStringLiteral("pendra"));
    setFixedSize(kWindowWidth, kWindowHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    winId(); // the native window exists from the start: seams below draw on it
    windowHandle()->installEventFilter(this);

    m_tickTimer.setSingleShot(true);
    m_tickTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_tickTimer, &QTimer::timeout, this, &ClockWindow::onTick);

    connect(&m_menu, &ClockMenu::commandChosen, this, &ClockWindow::onMenuCommand);
    m_menu.setStartAtLoginShown(m_platform.autostart != nullptr);
    connect(&m_menu, &ClockMenu::presetHourChosen, this, &ClockWindow::onPresetHour);
    connect(&m_menu, &ClockMenu::monitorChosen, this, &ClockWindow::chooseMonitor);
}

void ClockWindow::onMenuCommand(MenuCommand command)
{
    switch (command) {
    case MenuCommand::StandardView: onStandardView(); break;
    case MenuCommand::UptimeView: onUptimeView(); break;
    case MenuCommand::TotalView: onTotalView(); break;
    case MenuCommand::HideMode: onHideModeToggled(); break;
    case MenuCommand::AlwaysOnTop: onAlwaysOnTopToggled(); break;
    case MenuCommand::AutoTuck: onAutoTuckToggled(); break;
    case MenuCommand::PresetNow: onPresetNow(); break;
    case MenuCommand::ResetTotal: onResetTotal(); break;
    case MenuCommand::DontCount: onDontCountToggled(); break;
    case MenuCommand::StartAtLogin: onStartAtLoginToggled(); break;
    case MenuCommand::Quit: onQuit(); return;
    case MenuCommand::Count: return;
    }
    // A switch turned in the menu is stored at once: a session that ends
    // without closing the clock still keeps it.
    const MenuCommand switches[] = {MenuCommand::StandardView, MenuCommand::UptimeView,
                                    MenuCommand::TotalView,    MenuCommand::HideMode,
                                    MenuCommand::AlwaysOnTop,  MenuCommand::AutoTuck};
    if (std::find(std::begin(switches), std::end(switches), command) != std::end(switches))
        storeFlags();
}

bool ClockWindow::load()
{
    const StartupSettings s = m_session.begin();
    m_flags.use24Hour = s.flags.use24Hour;
    m_corner = s.corner;
    m_placer.setMonitor(s.monitor); // the first placement already goes there
    m_frameOffset = frameGeometry().height() - height() - kLayoutCaptionHeight;
    if (!loadDesign())
        return false;
    m_designPlaced = true; // the activation below need not load it again
    setAlwaysOnTop(true);
    m_alarms.reload();
    if (m_alarms.addCommandLineAlarm(m_commandLine))
        m_flags.alarmOn = true;
    m_flags.chimeOn = s.flags.chimeOn;
    m_flags.dog = s.flags.dog;
    m_flags.alarmOn = m_flags.alarmOn || s.flags.alarmOn; // a command-line alarm switched alarms on
    m_flags.nthWeekday = s.flags.nthWeekday;
    if (s.flags.hideMode)
        onEdgeStrip();
    if (!s.flags.alwaysOnTop) {
        m_flags.alwaysOnTop = false;
        setAlwaysOnTop(false);
    }
    if (!s.flags.autoTuck)
        m_flags.autoTuck = false;
    m_view = s.view;
    if (s.showWelcome)
        showWelcome();
    onActivated();
    scheduleTick(m_platform.clock->now());
    return true;
}

void ClockWindow::onActivated()
{
    if (m_activating || m_unloaded)
        return;
    m_activating = true;
    m_faceView.setWholeRepaintPending(true); // an activation repaints the whole window
    m_tucker.forget();
    // What the frame adds beyond the caption the layout was drawn under:
    // the shape and the placement count their rows from it.
    const int frameOffset = frameGeometry().height() - height() - kLayoutCaptionHeight;
    if (!m_designPlaced || frameOffset != m_frameOffset) {
        m_frameOffset = frameOffset;
        loadDesign();
    }
    m_designPlaced = false;
    setAlwaysOnTop(m_flags.alwaysOnTop);
    m_faceView.paintFixedPieces(m_flags.use24Hour, m_flags.alarmOn);
    m_faceView.apply(
        m_face.redrawFace(m_platform.clock->now(), m_flags.use24Hour, m_flags.nthWeekday));
    if (m_view == View::Uptime)
        onUptimeView();
    else if (m_view == View::Total)
        onTotalView();
    update();
    m_faceView.setWholeRepaintPending(false);
    m_activating = false;
}

bool ClockWindow::loadDesign()
{
    m_placer.readWorkArea();
    if (!m_faceView.loadDesign(m_session.design(), m_corner))
        return false;
    m_placer.moveTo(windowOrigin(isKnownCorner(m_corner) ? m_corner : Corner::TopLeft,
                                 m_placer.workArea(), m_frameOffset));
    m_shape = windowRegion(m_corner, m_frameOffset);
    setMask(m_shape);
    platform::x11::inputFollowsShape(this);
    return true;
}

void ClockWindow::scheduleTick(const QDateTime &now)
{
    if (m_unloaded)
        return;
    if (!m_screenHidden) {
        m_tickTimer.start(1000 - now.time().msec() + kTickLateMs);
        return;
    }
    // Nobody sees the face: sleep until the first thing that must happen on
    // time, an alarm's minute, the chime or the ten-minute store.
    QDateTime wake = now.addMSecs(m_session.msUntilStoreDue());
    if (m_flags.alarmOn)
        wake = std::min(wake, m_alarms.nextDue(now).value_or(wake));
    if (m_flags.chimeOn)
        wake = std::min(wake, nextChime(now));
    m_tickTimer.start(int(std::max<qint64>(0, now.msecsTo(wake))) + kTickLateMs);
}

void ClockWindow::setScreenHidden(bool hidden)
{
    if (hidden == m_screenHidden)
        return;
    m_screenHidden = hidden;
    const QDateTime now = m_platform.clock->now();
    if (hidden) {
        scheduleTick(now); // in place of the next second's tick
    } else if (now.toSecsSinceEpoch() == m_lastTickSecond) {
        showTime(now); // this second's work is done: the face only
        scheduleTick(now);
    } else {
        onTick(); // the face right at once, and what came due while hidden
    }
}

void ClockWindow::showTime(const QDateTime &now)
{
    if (m_view == View::Standard)
        m_faceView.apply(m_face.updateFace(now, m_flags.use24Hour, m_flags.nthWeekday));
    else
        showCounter();
}

void ClockWindow::onTick()
{
    const QDateTime now = m_platform.clock->now();
    const qint64 second = now.toSecsSinceEpoch();
    if (second == m_lastTickSecond) { // woke before the second turned: wait for it
        scheduleTick(m_platform.clock->now());
        return;
    }
    m_lastTickSecond = second;

    m_tucker.settle(); // its coming in would have been told by now
    m_tucker.checkPointer(m_corner, m_flags.hideMode, m_flags.autoTuck);
    showTime(now);
    if (m_flags.alarmOn)
        m_alarms.check(now, [this](const AlarmRing &ring) {
            emit alarmNoticeRequested(ring.time, ring.late);
        });
    else
        m_alarms.pass(now);
    if (m_flags.chimeOn)
        m_chime.chimeIfDue(now.time());
    m_session.storeWhenDue(m_flags, m_view);
    if (m_flags.dog)
        m_dog.onTick();
    m_faceView.setVisible(Ctl::BlinkMark, !m_faceView.control(Ctl::BlinkMark).visible);
    // Past the window manager nothing keeps the window above the others
    // for X, which picks the window under the pointer by its own stacking.
    if (m_bypassesManager && m_flags.alwaysOnTop)
        raise();
    if (m_placer.shouldPlaceAgain(m_corner, m_frameOffset))
        onActivated();
    // Timed from the tick's own reading: the work since only makes it later.
    scheduleTick(now);
}

void ClockWindow::setAlwaysOnTop(bool above) { platform::x11::setKeepAbove(this, above); }

void ClockWindow::showCounter()
{
    const qint64 minutes = m_view == View::Uptime ? uptimeMinutes(m_platform.clock->uptimeMs())
                                                  : m_session.totalMinutes();
    m_shownMinutes = QString::number(minutes);
    m_faceView.apply(counterGlyphs(counterText(minutes)));
}

void ClockWindow::showCounterView(const QString &title, View counter)
{
    m_faceView.showCounterLayout(title);
    m_view = counter;
}

void ClockWindow::onUptimeView() { showCounterView(tr("システム駆動時間"), View::Uptime); }

void ClockWindow::onTotalView() { showCounterView(tr("積算駆動時間"), View::Total); }

void ClockWindow::onStandardView()
{
    m_faceView.showStandardLayout();
    m_view = View::Standard;
    m_faceView.apply(
        m_face.redrawFace(m_platform.clock->now(), m_flags.use24Hour, m_flags.nthWeekday));
}

// The entry on disk is the state: the mark is read from it at every popup,
// so a desktop's own session settings and this menu never disagree.
void ClockWindow::onStartAtLoginToggled()
{
    if (!m_platform.autostart)
        return;
    const bool enable = !m_platform.autostart->isEnabled();
    QString why;
    if (!m_platform.autostart->setEnabled(enable, &why))
        emit failureReported((enable ? tr("ログイン時に起動するように設定できませんでした。\n%1")
                                     : tr("ログイン時の起動を取り消せませんでした。\n%1"))
                                 .arg(why));
}

void ClockWindow::onCloseButton()
{
    m_session.skipTotalAtClosing();
    close();
}

void ClockWindow::workAreaChanged()
{
    if (m_placer.workAreaChanged())
        onActivated();
}

void ClockWindow::chooseMonitor(const QString &monitor)
{
    if (monitor == m_placer.monitor())
        return;
    m_placer.setMonitor(monitor);
    m_session.saveMonitor(monitor);
    m_placer.allowPlacingAgain();
    onActivated();
}

void ClockWindow::onMouseMove(QPoint)
{
    m_tucker.faceMoved(m_corner, m_flags.hideMode, m_flags.autoTuck);
}

void ClockWindow::onMouseDown(Qt::MouseButton button, QPoint)
{
    if (button == Qt::RightButton)
        popUp(ClockMenu::Popup::Whole);
}

// Marks the current hour among the preset hours, then shows the menu at the pointer.
void ClockWindow::popUp(ClockMenu::Popup which)
{
    m_hourMarks.mark(m_platform.clock->now().time().hour());
    m_menu.showChecks(MenuChecks{m_flags, m_session.dontCount(), m_hourMarks,
                                 m_platform.autostart && m_platform.autostart->isEnabled()});
    m_menu.showMonitors(m_platform.desktop->monitors(), m_placer.monitor());
    m_menu.popUp(which, m_platform.desktop->pointerPos());
}

void ClockWindow::onHideModeToggled()
{
    m_tucker.move(m_flags.hideMode ? TuckMode::Out : TuckMode::Tuck, m_corner, m_flags.autoTuck);
    m_flags.hideMode = !m_flags.hideMode;
}

void ClockWindow::onAlwaysOnTopToggled()
{
    m_flags.alwaysOnTop = !m_flags.alwaysOnTop;
    setAlwaysOnTop(m_flags.alwaysOnTop);
    // Some window managers keep a window below the others fully inside the
    // work area; above them again, it may go back to its corner.
    m_placer.allowPlacingAgain();
}

void ClockWindow::onAlarmMark()
{
    m_flags.alarmOn = !m_flags.alarmOn;
    showAlarmMark();
}

void ClockWindow::showAlarmMark() { m_faceView.showAlarmMark(m_flags.alarmOn); }

void ClockWindow::onOptionButton()
{
    emit optionsRequested(); // shown modeless: the clock goes on at once
    reloadAlarmList();
}

void ClockWindow::snooze() { m_alarms.snooze(m_platform.clock->now()); }

void ClockWindow::applyOptionFlags(const ClockFlags &flags)
{
    const bool hideMode = m_flags.hideMode;
    m_flags = flags;
    m_flags.hideMode = hideMode;
    setAlwaysOnTop(m_flags.alwaysOnTop);
    m_placer.allowPlacingAgain(); // as for the menu's switch: the corner may be reachable now
    showAlarmMark();
    storeFlags();
}

bool ClockWindow::addPresetAlarm(const Alarm &alarm)
{
    if (!m_alarms.addPresetAlarm(alarm))
        return false;
    m_flags.alarmOn = true;
    showAlarmMark(); // as the alarm mark's own click paints it
    return true;
}

bool ClockWindow::runCommand(const QString &word)
{
    // Through the menu's own items, so their marks and the stored switches
    // follow as when they are chosen in the menu.
    const std::pair<const char *, MenuCommand> items[] = {
        {"preset", MenuCommand::PresetNow},  {"standard", MenuCommand::StandardView},
        {"uptime", MenuCommand::UptimeView}, {"total", MenuCommand::TotalView},
        {"hide", MenuCommand::HideMode},     {"quit", MenuCommand::Quit}};
    for (const auto &[name, command] : items) {
        if (word == QLatin1String(name)) {
            m_menu.trigger(command);
            return true;
        }
    }
    if (word == QLatin1String("options")) {
        onOptionButton();
        return true;
    }
    return false;
}

void ClockWindow::onPresetNow() { onPresetHour(m_platform.clock->now().time().hour()); }

void ClockWindow::onPresetHour(int hour)
{
    m_presetHour = hour;
    emit presetAlarmRequested();
}

// Starts the design browser and brings it to the front. Any failure is
// silent: a missing browser must not disturb the clock.
void ClockWindow::startDesignBrowser()
{
    if (!m_platform.programs)
        return;
    if (m_platform.programs->start(QStringLiteral("vesweb")))
        m_platform.programs->activateWindowOf(QStringLiteral("vesweb"));
}

void ClockWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_tickTimer.stop();
    m_dog.stop();
    setAlwaysOnTop(false);
    saveSettingsNow();
    emit unloaded();
}

bool ClockWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle())
        m_faceView.exposed();
    return QWidget::eventFilter(watched, event);
}

void ClockWindow::paintEvent(QPaintEvent *event) { m_faceView.paint(event); }

void ClockWindow::mousePressEvent(QMouseEvent *event) { m_pointer.press(*event); }

void ClockWindow::mouseReleaseEvent(QMouseEvent *event) { m_pointer.release(*event); }

void ClockWindow::mouseDoubleClickEvent(QMouseEvent *event) { m_pointer.doubleClick(*event); }

void ClockWindow::mouseMoveEvent(QMouseEvent *event) { m_pointer.move(*event); }

void ClockWindow::enterEvent(QEnterEvent *event)
{
    m_pointer.enter(*event);
    QWidget::enterEvent(event);
}

void ClockWindow::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void ClockWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        onActivated();
}

} // namespace vespera

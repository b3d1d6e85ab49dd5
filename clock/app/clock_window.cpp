// ClockWindow — the clock window: start-up, the one-second tick, the face and closing.
#include "clock_window.h"
#include "common/setting_keys.h"
#include "core/counters.h"
#include "core/tucking.h"
#include "design/design_picture.h"
#include "design/glyph_atlas.h"

#include "common/data_dir.h"
#include "platform/clock_source.h"
#include "platform/desktop.h"
#include "platform/glyph_surface.h"
#include "platform/program_starter.h"
#include "platform/random_source.h"
#include "platform/x11_window.h"

#include <QCloseEvent>
#include <QEnterEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace vespera {

namespace {
constexpr int kTickLateMs = 4; // a tick lands this much after the whole second, never before
// The running total and the flags are stored this often while the clock runs:
// one small write each ten minutes costs nothing measurable when idle.
constexpr qint64 kStoreEveryMs = 10 * 60 * 1000;

Qt::WindowFlags clockWindowFlags(bool bypassManager)
{
    Qt::WindowFlags flags = Qt::FramelessWindowHint | Qt::Tool;
    if (bypassManager)
        flags |= Qt::X11BypassWindowManagerHint;
    return flags;
}
} // namespace

ClockWindow::ClockWindow(common::SettingsStore &store, const ClockPlatform &platform,
                         const QString &commandLine, QWidget *parent)
    : QWidget(parent, clockWindowFlags(platform::x11::managerCentresEveryWindow())),
      m_bypassesManager(windowFlags().testFlag(Qt::X11BypassWindowManagerHint)), m_settings(store),
      m_platform(platform), m_commandLine(commandLine), m_menu(this), m_volumes(platform.sound),
      m_alarms(store, platform.programs), m_chime(m_volumes, store, this)
{
    setWindowTitle(QStringLiteral("pendra"));
    setFixedSize(kWindowWidth, kWindowHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    winId(); // the native window exists from the start: seams below draw on it
    windowHandle()->installEventFilter(this);

    m_timer1.setSingleShot(true);
    m_timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &ClockWindow::onTick);
    m_timer2.setInterval(100);
    connect(&m_timer2, &QTimer::timeout, this, &ClockWindow::onWagStep);

    connect(m_menu.standardView, &QAction::triggered, this, &ClockWindow::onStandardView);
    connect(m_menu.uptimeView, &QAction::triggered, this, &ClockWindow::onUptimeView);
    connect(m_menu.totalView, &QAction::triggered, this, &ClockWindow::onTotalView);
    connect(m_menu.hideMode, &QAction::triggered, this, &ClockWindow::onHideModeToggled);
    connect(m_menu.presetNow, &QAction::triggered, this, &ClockWindow::onPresetNow);
    connect(m_menu.presetNowBelow, &QAction::triggered, this, &ClockWindow::onPresetNow);
    connect(&m_menu, &ClockMenu::presetHourChosen, this, &ClockWindow::onPresetHour);
    connect(m_menu.resetTotal, &QAction::triggered, this, &ClockWindow::onResetTotal);
    connect(m_menu.dontCount, &QAction::triggered, this, &ClockWindow::onDontCountToggled);
    m_menu.startAtLogin->setVisible(m_platform.autostart != nullptr);
    connect(m_menu.startAtLogin, &QAction::triggered, this, &ClockWindow::onStartAtLoginToggled);
    connect(m_menu.alwaysOnTop, &QAction::triggered, this, &ClockWindow::onAlwaysOnTopToggled);
    connect(m_menu.autoTuck, &QAction::triggered, this, &ClockWindow::onAutoTuckToggled);
    connect(m_menu.quit, &QAction::triggered, this, &ClockWindow::onQuit);
    connect(&m_menu, &ClockMenu::monitorChosen, this, &ClockWindow::chooseMonitor);
    // A switch turned in the menu is stored at once (after its own slot): a
    // session that ends without closing the clock still keeps it.
    for (QAction *a : {m_menu.standardView, m_menu.uptimeView, m_menu.totalView, m_menu.hideMode,
                       m_menu.alwaysOnTop, m_menu.autoTuck})
        connect(a, &QAction::triggered, this, &ClockWindow::storeFlags);
}

bool ClockWindow::load()
{
    const StartupSettings s = m_settings.readStartup();
    m_flags.use24Hour = s.flags.use24Hour;
    m_corner = s.Corner;
    m_placer.setMonitor(s.monitor); // the first placement already goes there
    if (!loadDesign())
        return false;
    setAlwaysOnTop(true);
    m_alarms.reload();
    if (m_alarms.addCommandLineAlarm(m_commandLine))
        m_flags.alarmOn = true;
    m_flags.chimeOn = s.flags.chimeOn;
    m_flags.dog = s.flags.dog;
    m_flags.alarmOn = m_flags.alarmOn || s.flags.alarmOn; // a command-line alarm switched alarms on
    m_flags.nthWeekday = s.flags.nthWeekday;
    m_total.start(s.Systime, s.ledger);
    m_storedAtMs = m_platform.clock->uptimeMs();
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
    m_settings.saveProgramFolder(common::programFolder());
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
    m_frameOffset = frameGeometry().height() - height() - 25;
    loadDesign();
    setAlwaysOnTop(m_flags.alwaysOnTop);
    m_faceView.paintFixedPieces(m_flags.use24Hour, m_flags.alarmOn);
    m_faceView.apply(
        m_face.RedrawFace(m_platform.clock->now(), m_flags.use24Hour, m_flags.nthWeekday));
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
    QString name = m_settings.skin();
    // A design is a pair of files beside the program; a name that reaches
    // elsewhere, or an incomplete pair, falls back to "blue" (not stored).
    const bool usable = !name.isEmpty() && !name.contains(QLatin1Char('/'))
                        && common::FileExists(common::dataFile(name + QStringLiteral(".vsr")))
                        && common::FileExists(common::dataFile(name + QStringLiteral(".vss")));
    if (!usable)
        name = QStringLiteral("blue");

    m_faceView.layOut(m_corner);
    const QString suffix = pictureSuffix(m_corner);
    if (!loadPicture(name + suffix)
        && !(name != QLatin1String("blue") && loadPicture(QStringLiteral("blue") + suffix))
        && !m_faceView.hasPicture())
        return false;

    m_placer.moveTo(
        windowOrigin(isKnownCorner(m_corner) ? m_corner : 0, m_placer.workArea(), m_frameOffset));
    m_shape = windowRegion(m_corner, m_frameOffset);
    setMask(m_shape);
    platform::x11::inputFollowsShape(this);
    return true;
}

bool ClockWindow::loadPicture(const QString &fileName)
{
    return m_faceView.loadPicture(common::dataFile(fileName));
}

void ClockWindow::scheduleTick(const QDateTime &now)
{
    if (m_unloaded)
        return;
    m_timer1.start(1000 - now.time().msec() + kTickLateMs);
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

    m_platform.random->reseedFromTimer();
    m_tucker.settle(); // its coming in would have been told by now
    m_tucker.checkPointer(m_corner, m_flags.hideMode, m_flags.autoTuck);
    switch (m_view) {
    case View::Standard:
        m_faceView.apply(m_face.UpdateFace(now, m_flags.use24Hour, m_flags.nthWeekday));
        break;
    case View::Uptime: showUptime(); break;
    case View::Total: showTotalUptime(); break;
    }
    if (m_flags.alarmOn)
        m_alarms.check(now, [this](const AlarmRing &ring) {
            emit alarmNoticeRequested(ring.time, ring.late);
        });
    checkChime(now);
    // A crash, or a power cut, then costs at most this much of the total.
    if (const qint64 up = m_platform.clock->uptimeMs(); up - m_storedAtMs >= kStoreEveryMs) {
        m_storedAtMs = up;
        store(!m_dontCount); // with "no sum" on, the minutes since are not added
    }

    if (m_flags.dog) {
        switch (static_cast<int>(m_platform.random->next() * 4)) {
        case 0: setDogPose(0); break;
        case 1: setDogPose(2); break;
        case 2: m_timer2.start(); break; // a wag burst
        default: break;
        }
    }
    m_faceView.setVisible(Ctl::BlinkMark, !control(Ctl::BlinkMark).visible);
    // Past the window manager nothing keeps the window above the others
    // for X, which picks the window under the pointer by its own stacking.
    if (m_bypassesManager && m_flags.alwaysOnTop)
        raise();
    if (m_placer.shouldPlaceAgain(m_corner, m_frameOffset))
        onActivated();
    // Timed from the tick's own reading: the work since only makes it later.
    scheduleTick(now);
}

void ClockWindow::onWagStep()
{
    if (m_wagSteps > 8) {
        m_timer2.stop();
        m_wagSteps = 0;
    }
    setDogPose(control(Ctl::DogPoseA).visible ? 0 : 1);
    ++m_wagSteps;
}

void ClockWindow::setDogPose(int pose)
{
    m_faceView.setVisible(Ctl::DogPoseA, pose == 1);
    m_faceView.setVisible(Ctl::DogPoseB, pose == 2);
}

void ClockWindow::setAlwaysOnTop(bool above) { platform::x11::setKeepAbove(this, above); }

void ClockWindow::showUptime()
{
    m_shownMinutes = QString::number(uptimeMinutes(m_platform.clock->uptimeMs()));
    showCounter(m_shownMinutes.toLongLong());
}

void ClockWindow::showTotalUptime()
{
    const qint64 up = uptimeMinutes(m_platform.clock->uptimeMs());
    const qint64 total = m_total.now(m_platform.clock->bootId(), up);
    m_shownMinutes = QString::number(total);
    showCounter(total);
}

void ClockWindow::showCounter(qint64 minutes)
{
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
        m_face.RedrawFace(m_platform.clock->now(), m_flags.use24Hour, m_flags.nthWeekday));
}

void ClockWindow::onResetTotal() { m_total.reset(); }

void ClockWindow::onDontCountToggled() { m_dontCount = !m_dontCount; }

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

void ClockWindow::onQuit() { close(); }

void ClockWindow::onCloseButton()
{
    m_skipTotalSave = true;
    close();
}

void ClockWindow::setTucked(int mode)
{
    if (mode == 0 || mode == 1)
        m_tucker.move(TuckMode(mode), m_corner, m_flags.autoTuck);
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
    m_settings.saveMonitor(monitor);
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
        popUp(m_menu.root);
}

// Marks the current hour among the preset hours, then shows the menu at the pointer.
void ClockWindow::popUp(QMenu *menu)
{
    m_hourMarks.mark(m_platform.clock->now().time().hour());
    m_menu.showChecks(MenuChecks{m_flags, m_dontCount, m_hourMarks,
                                 m_platform.autostart && m_platform.autostart->isEnabled()});
    m_menu.showMonitors(m_platform.desktop->monitors(), m_placer.monitor());
    menu->popup(m_platform.desktop->pointerPos());
}

void ClockWindow::onHideModeToggled()
{
    setTucked(m_flags.hideMode ? 0 : 1);
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
    m_faceView.setSource(Ctl::AlarmMark, m_flags.alarmOn ? atlas::alarmOn() : atlas::alarmOff());
}

void ClockWindow::onAlarmButton() { popUp(m_menu.presetMenu); }

void ClockWindow::onMenuButton() { popUp(m_menu.root); }

void ClockWindow::onOptionButton()
{
    emit optionsRequested(); // shown modeless: the clock goes on at once
    reloadAlarmList();
}

void ClockWindow::snooze() { m_alarms.snooze(m_platform.clock->now()); }

void ClockWindow::checkChime(const QDateTime &now)
{
    if (m_flags.chimeOn && chimeDue(now.time()))
        playChime();
}

void ClockWindow::applyOptionFlags(const ClockFlags &flags)
{
    const bool hideMode = m_flags.hideMode;
    m_flags = flags;
    m_flags.hideMode = hideMode;
    setAlwaysOnTop(m_flags.alwaysOnTop);
    m_placer.allowPlacingAgain(); // as for the menu's switch: the corner may be reachable now
    m_faceView.setSource(Ctl::AlarmMark, m_flags.alarmOn ? atlas::alarmOn() : atlas::alarmOff());
    storeFlags();
}

void ClockWindow::reloadAlarmList() { m_alarms.reload(); }

bool ClockWindow::addPresetAlarm(const QString &entry)
{
    if (!m_alarms.addPresetAlarm(entry))
        return false;
    // The mark goes where the alarm mark's own click paints it.
    m_faceView.setSource(Ctl::AlarmMark, atlas::alarmOn());
    m_flags.alarmOn = true;
    return true;
}

void ClockWindow::onPresetNow()
{
    m_presetHour = hourText(m_platform.clock->now());
    emit presetAlarmRequested();
}

void ClockWindow::onPresetHour(int hour)
{
    m_presetHour = QString::number(hour);
    emit presetAlarmRequested();
}

// Starts the design browser and brings it to the front. Any failure is
// silent: a missing browser must not disturb the clock.
void ClockWindow::startDesignBrowser()
{
    if (!m_platform.programs)
        return;
    if (m_platform.programs->start(QStringLiteral("vesweb")))
        m_platform.programs->activateWindow(QStringLiteral("VESPERA"));
}

ClosingSettings ClockWindow::closingSettings(bool withTotal) const
{
    ClosingSettings c;
    c.flags = m_flags;
    c.view = m_view;
    if (!withTotal)
        return c;
    const auto [total, ledger] = m_total.toStore(
        m_platform.clock->bootId(), uptimeMinutes(m_platform.clock->uptimeMs()), !m_dontCount);
    if (!m_skipTotalSave)
        c.Systime = total;
    // Whatever happened to the total, this boot's minutes so far are dealt
    // with: the next run within the same boot must not add them again.
    c.ledger = ledger;
    return c;
}

void ClockWindow::store(bool withTotal)
{
    const ClosingSettings c = closingSettings(withTotal);
    m_settings.saveClosing(c);
    m_total.stored(c.Systime, c.ledger);
}

void ClockWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer1.stop();
    m_timer2.stop();
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

void ClockWindow::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_lastPointer = event->globalPosition();
    m_pressed = m_faceView.controlAt(pos, isClickArea);
    if (isDog(m_pressed))
        startDesignBrowser();
    else if (m_pressed == Ctl::AlarmButton)
        onAlarmButton();
    else if (reachesWindow(m_pressed))
        onMouseDown(event->button(), pos);
}

void ClockWindow::mouseReleaseEvent(QMouseEvent *event)
{
    const Ctl released = m_faceView.controlAt(event->position().toPoint(), isClickArea);
    if (event->button() != Qt::LeftButton || released != m_pressed)
        return;
    switch (released) {
    case Ctl::AlarmMark:
        onAlarmMark();
        storeFlags();
        break;
    case Ctl::EdgeStrip:
        onEdgeStrip();
        storeFlags();
        break;
    case Ctl::CloseButton: onCloseButton(); break;
    case Ctl::MenuButton: onMenuButton(); break;
    case Ctl::Logo: onLogo(); break;
    case Ctl::OptionButton: onOptionButton(); break;
    default: break;
    }
}

// Qt tells a double click as press, release, double click, release: the
// first pair has acted already, so the second does nothing (QWidget would
// take the double click for another press, and its release for a click).
void ClockWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_lastPointer = event->globalPosition();
    m_pressed = Ctl::Count; // the release that follows meets no press
}

void ClockWindow::mouseMoveEvent(QMouseEvent *event)
{
    pointerMoved(event->globalPosition(), event->position().toPoint());
}

// Coming in is a move too: some compositors (wlroots') tell a window past
// the window manager of the pointer's coming and going only.
void ClockWindow::enterEvent(QEnterEvent *event)
{
    if (m_tucker.arrivingUnderPointer())
        m_lastPointer = event->globalPosition();
    else
        pointerMoved(event->globalPosition(), event->position().toPoint());
    m_tucker.settle();
    QWidget::enterEvent(event);
}

void ClockWindow::pointerMoved(QPointF global, QPoint pos)
{
    // A window that appears under a resting pointer is told of the pointer
    // where it already was; only a pointer that moved has moved.
    if (m_lastPointer == global)
        return;
    m_lastPointer = global;
    if (reachesWindow(m_faceView.controlAt(pos, isClickArea)))
        onMouseMove(pos);
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

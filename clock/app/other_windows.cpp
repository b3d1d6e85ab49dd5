// The clock program's other windows, opened when the clock window asks for them.
#include "other_windows.h"

#include "platform/messages.h"

#include "common/data_dir.h"

#include "alarms/program_chooser.h"

#include <QDir>
#include <QLineEdit>

namespace vespera {

OtherWindows::OtherWindows(ClockWindow &clock, common::SettingsStore &store,
                           const ClockPlatform &platform, platform::Messages *messages,
                           platform::SystemTime *systemTime, platform::HelpViewer *help)
    : QObject(&clock), m_clock(clock), m_store(store), m_platform(platform), m_messages(messages),
      m_systemTime(systemTime), m_help(help)
{
    connect(&clock, &ClockWindow::optionsRequested, this, &OtherWindows::showOptions);
    connect(&clock, &ClockWindow::alarmNoticeRequested, this, &OtherWindows::showNotice);
    connect(&clock, &ClockWindow::presetAlarmRequested, this, &OtherWindows::showPresetDial);
    connect(&clock, &ClockWindow::aboutRequested, this, &OtherWindows::showAbout);
    connect(&clock, &ClockWindow::welcomeRequested, this, &OtherWindows::showWelcome);
    connect(&clock, &ClockWindow::failureReported, this, [this](const QString &text) {
        if (m_messages)
            m_messages->information(QStringLiteral("pendra"), text);
    });
}

OtherWindows::~OtherWindows()
{
    delete m_about;
    delete m_welcome;
}

void OtherWindows::showAbout()
{
    if (!m_about) {
        m_about = new AboutWindow(m_platform.random, m_aboutWagCounter);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        m_about->setWindowIcon(m_clock.windowIcon());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void OtherWindows::showWelcome()
{
    if (m_welcome)
        return;
    m_welcome = new WelcomeWindow(m_store, m_help, m_messages);
    m_welcome->setAttribute(Qt::WA_DeleteOnClose);
    m_welcome->setWindowIcon(m_clock.windowIcon());
    m_welcome->show();
}

void OtherWindows::closeNotice()
{
    if (!m_notice)
        return;
    m_notice->close(); // its closing sound plays
    delete m_notice;
}

void OtherWindows::showNotice(const QTime &time, bool late)
{
    closeNotice();
    m_notice =
        new AlarmNotice(m_clock.volumes(), m_store, m_platform.clock, m_clock.flags().use24Hour);
    m_notice->setAttribute(Qt::WA_DeleteOnClose);
    if (late)
        m_notice->showRing(time, late);
    connect(m_notice, &AlarmNotice::snoozed, &m_clock, &ClockWindow::snooze);
    activateClockWhenGone(m_notice);
    m_notice->showAbove();
}

void OtherWindows::showOptions()
{
    if (m_options) {
        m_options->raise();
        m_options->activateWindow();
        return;
    }
    OptionsPlatform seams{m_platform.clock, m_platform.sound, m_platform.programs,
                          m_systemTime,     m_messages,       common::dataFolders()};
    seams.help = m_help;
    m_options = new OptionsDialog(m_clock, m_store, seams);
    m_options->setAttribute(Qt::WA_DeleteOnClose);
    activateClockWhenGone(m_options);
    connect(m_options, &OptionsDialog::alarmTestRequested, this, &OtherWindows::showTestNotice);
    connect(m_options, &OptionsDialog::programChooserRequested, this, &OtherWindows::chooseProgram);
    m_options->show();
}

// A window that closes gives the clock back its activation, as on the
// desktop it was made for: a design or a face chosen in the options shows
// at once. A dock-type clock is not activated by the window manager here.
void OtherWindows::activateClockWhenGone(QWidget *window)
{
    connect(window, &QObject::destroyed, &m_clock, [clock = &m_clock] { clock->onActivated(); });
}

void OtherWindows::showTestNotice()
{
    closeNotice();
    AlarmNotice test(m_clock.volumes(), m_store, m_platform.clock, m_clock.flags().use24Hour,
                     m_options);
    test.exec();
}

void OtherWindows::chooseProgram(const QString &current)
{
    ProgramChooser chooser(current, browsableVolumes(), QDir::currentPath(), m_options);
    chooser.exec();
    if (chooser.chosen() && m_options)
        m_options->setAlarmProgram(*chooser.chosen());
}

void OtherWindows::showPresetDial()
{
    PresetDial dial(m_clock, m_presetScale, m_platform.clock, m_messages);
    dial.exec();
}

} // namespace vespera

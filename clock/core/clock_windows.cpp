// The clock program's other windows, opened when the clock window asks for them.
#include "clock_windows.h"

#include "platform/messages.h"

#include "common/data_dir.h"

#include "alarms/program_chooser.h"

#include <QDir>
#include <QLineEdit>

namespace vespera {

ClockWindows::ClockWindows(Form1 &clock, common::SettingsStore &store,
                           const ClockPlatform &platform, platform::Messages *messages,
                           platform::SystemTime *systemTime, platform::HelpViewer *help)
    : QObject(&clock), m_clock(clock), m_store(store), m_platform(platform), m_messages(messages),
      m_systemTime(systemTime), m_help(help)
{
    connect(&clock, &Form1::optionsRequested, this, &ClockWindows::showOptions);
    connect(&clock, &Form1::alarmNoticeRequested, this, &ClockWindows::showNotice);
    connect(&clock, &Form1::presetAlarmRequested, this, &ClockWindows::showPresetDial);
    connect(&clock, &Form1::aboutRequested, this, &ClockWindows::showAbout);
    connect(&clock, &Form1::welcomeRequested, this, &ClockWindows::showWelcome);
    connect(&clock, &Form1::failureReported, this, [this](const QString &text) {
        if (m_messages)
            m_messages->information(QStringLiteral("pendra"), text);
    });
}

ClockWindows::~ClockWindows()
{
    delete m_about;
    delete m_welcome;
}

void ClockWindows::showAbout()
{
    if (!m_about) {
        m_about = new Form4(m_platform.random, m_aboutWagCounter);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        m_about->setWindowIcon(m_clock.windowIcon());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void ClockWindows::showWelcome()
{
    if (m_welcome)
        return;
    m_welcome = new Form7(m_store, m_help, m_messages);
    m_welcome->setAttribute(Qt::WA_DeleteOnClose);
    m_welcome->setWindowIcon(m_clock.windowIcon());
    m_welcome->show();
}

void ClockWindows::closeNotice()
{
    if (!m_notice)
        return;
    m_notice->close(); // its closing sound plays
    delete m_notice;
}

void ClockWindows::showNotice(const QTime &time, bool late)
{
    closeNotice();
    m_notice = new Form3(m_clock.volumes(), m_store, m_platform.clock, m_clock.Use24Hour);
    m_notice->setAttribute(Qt::WA_DeleteOnClose);
    if (late)
        m_notice->showRing(time, late);
    connect(m_notice, &Form3::snoozed, &m_clock, &Form1::snooze);
    activateClockWhenGone(m_notice);
    m_notice->showAbove();
}

void ClockWindows::showOptions()
{
    if (m_options) {
        m_options->raise();
        m_options->activateWindow();
        return;
    }
    OptionsPlatform seams{m_platform.clock, m_platform.sound, m_platform.programs,
                          m_systemTime,     m_messages,       common::dataFolders()};
    seams.help = m_help;
    m_options = new Form2(m_clock, m_store, seams);
    m_options->setAttribute(Qt::WA_DeleteOnClose);
    activateClockWhenGone(m_options);
    connect(m_options, &Form2::alarmTestRequested, this, &ClockWindows::showTestNotice);
    connect(m_options, &Form2::programChooserRequested, this, &ClockWindows::chooseProgram);
    m_options->show();
}

// A window that closes gives the clock back its activation, as on the
// desktop it was made for: a design or a face chosen in the options shows
// at once. A dock-type clock is not activated by the window manager here.
void ClockWindows::activateClockWhenGone(QWidget *window)
{
    connect(window, &QObject::destroyed, &m_clock, [clock = &m_clock] { clock->Form_Activate(); });
}

void ClockWindows::showTestNotice()
{
    closeNotice();
    Form3 test(m_clock.volumes(), m_store, m_platform.clock, m_clock.Use24Hour, m_options);
    test.exec();
}

void ClockWindows::chooseProgram(QLineEdit *pathBox)
{
    Form6 chooser(pathBox, browsableVolumes(), QDir::currentPath(), m_options);
    chooser.exec();
}

void ClockWindows::showPresetDial()
{
    Form5 dial(m_clock, m_presetScale, m_platform.clock, m_messages);
    dial.exec();
}

} // namespace vespera

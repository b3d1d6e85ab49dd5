// The clock program's other windows, opened when the clock window asks for them.
#pragma once

#include "clock_window.h"

#include "alarms/alarm_notice.h"
#include "info/about_window.h"
#include "info/welcome_window.h"
#include "options/options_dialog.h"

#include <QObject>
#include <QPointer>

namespace vespera {

class OtherWindows : public QObject {
    Q_OBJECT
public:
    OtherWindows(ClockWindow &clock, common::SettingsStore &store, const ClockPlatform &platform,
                 platform::Messages *messages = nullptr, platform::SystemTime *systemTime = nullptr,
                 platform::HelpViewer *help = nullptr);
    // The windows of their own (about, welcome) go with the clock.
    ~OtherWindows() override;

    AlarmNotice *notice() const { return m_notice; }
    OptionsDialog *options() const { return m_options; }
    AboutWindow *about() const { return m_about; }
    WelcomeWindow *welcome() const { return m_welcome; }

private:
    // A notice already open is closed first (its closing sound plays), then
    // a fresh one opens.
    void showNotice(const QTime &time, bool late);
    void showPresetDial();
    // One options dialog at a time: asking again brings the open one forward.
    void showOptions();
    // The alarm test's notice, modal; an alarm's notice that is open gives way to it.
    void showTestNotice();
    void chooseProgram(const QString &current);
    // One about window at a time, beside the clock: asking again brings it forward.
    void showAbout();
    void showWelcome();
    void closeNotice();
    void activateClockWhenGone(QWidget *window);

    ClockWindow &m_clock;
    common::SettingsStore &m_store;
    ClockPlatform m_platform;
    platform::Messages *m_messages;
    platform::SystemTime *m_systemTime;
    platform::HelpViewer *m_help;
    QPointer<AlarmNotice> m_notice;
    QPointer<OptionsDialog> m_options;
    QPointer<AboutWindow> m_about;
    QPointer<WelcomeWindow> m_welcome;
    int m_aboutWagCounter = 0; // carried from one opening of the about window to the next
    PresetScale m_presetScale; // remembers a pick into the next opening
};

} // namespace vespera

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

class ClockWindows : public QObject {
    Q_OBJECT
public:
    ClockWindows(Form1 &clock, common::SettingsStore &store, const ClockPlatform &platform,
                 platform::Messages *messages = nullptr, platform::SystemTime *systemTime = nullptr,
                 platform::HelpViewer *help = nullptr);
    // The windows of their own (about, welcome) go with the clock.
    ~ClockWindows() override;

    Form3 *notice() const { return m_notice; }
    Form2 *options() const { return m_options; }
    Form4 *about() const { return m_about; }
    Form7 *welcome() const { return m_welcome; }

private:
    // A notice already open is closed first (its closing sound plays), then
    // a fresh one opens.
    void showNotice(const QTime &time, bool late);
    void showPresetDial();
    // One options dialog at a time: asking again brings the open one forward.
    void showOptions();
    // The alarm test's notice, modal; an alarm's notice that is open gives way to it.
    void showTestNotice();
    void chooseProgram(QLineEdit *pathBox);
    // One about window at a time, beside the clock: asking again brings it forward.
    void showAbout();
    void showWelcome();
    void closeNotice();
    void activateClockWhenGone(QWidget *window);

    Form1 &m_clock;
    common::SettingsStore &m_store;
    ClockPlatform m_platform;
    platform::Messages *m_messages;
    platform::SystemTime *m_systemTime;
    platform::HelpViewer *m_help;
    QPointer<Form3> m_notice;
    QPointer<Form2> m_options;
    QPointer<Form4> m_about;
    QPointer<Form7> m_welcome;
    int m_aboutWagCounter = 0; // carried from one opening of the about window to the next
    PresetScale m_presetScale; // remembers a pick into the next opening
};

} // namespace vespera

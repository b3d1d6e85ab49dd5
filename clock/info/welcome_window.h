// The welcome window: greets the user of a new version, explains that the
// clock slides away from the pointer unless Shift is held, and points to the
// help and the update notes. "OK" with the box ticked stops it for this version.
#pragma once

#include "core/clock_settings.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace platform {
class HelpViewer;
class Messages;
} // namespace platform

namespace vespera {

// The page of the help for this window: help1.html.
constexpr int kWelcomeTopic = 1;

class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    WelcomeWindow(common::SettingsStore &store, platform::HelpViewer *help,
                  platform::Messages *messages, QWidget *parent = nullptr);

    void onOk();    // OK
    void onHelp();  // help
    void onNotes(); // update notes

    QCheckBox *check() const { return m_dontShowAgain; }
    QPushButton *okButton() const { return m_okButton; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ClockSettings m_settings;
    platform::HelpViewer *m_help;
    platform::Messages *m_messages;
    QCheckBox *m_dontShowAgain;
    QPushButton *m_okButton, *m_helpButton, *m_notesButton;
};

} // namespace vespera

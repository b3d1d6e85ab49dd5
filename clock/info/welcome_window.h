// The welcome window: greets the user of a new version, explains that the
// clock slides away from the pointer unless Shift is held, and points to the
// help and the update notes. "OK" with the box ticked stops it for this version.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace common {
class SettingsStore;
}
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
    WelcomeWindow(common::SettingsStore &store, platform::HelpViewer *help, platform::Messages *messages,
          QWidget *parent = nullptr);

    void Command1_Click(); // OK
    void Command2_Click(); // help
    void Command3_Click(); // update notes

    QCheckBox *check() const { return Check1; }
    QPushButton *okButton() const { return Command1; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    common::SettingsStore &m_store;
    platform::HelpViewer *m_help;
    platform::Messages *m_messages;
    QCheckBox *Check1;
    QPushButton *Command1, *Command2, *Command3;
};

} // namespace vespera

// The settings remover's one window: it asks, and "は い" deletes every
// setting our programs stored. The focus starts on "いいえ", so Enter keeps them.
#pragma once

#include <QDialog>

class QPushButton;

namespace common {
class SettingsStore;
}
namespace platform {
class Messages;
}

namespace vesclean {

class RemoverWindow : public QDialog {
    Q_OBJECT
public:
    RemoverWindow(common::SettingsStore &store, platform::Messages &messages, QWidget *parent = nullptr);

    void Command1_Click(); // yes: delete, say so, end
    void Command2_Click(); // no: end

    QPushButton *yesButton() const { return Command1; }
    QPushButton *noButton() const { return Command2; }

private:
    common::SettingsStore &m_store;
    platform::Messages &m_messages;
    QPushButton *Command1, *Command2;
};

} // namespace vesclean

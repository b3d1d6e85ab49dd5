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

    void onYes(); // yes: delete, say so, end
    void onNo(); // no: end

    QPushButton *yesButton() const { return m_yesButton; }
    QPushButton *noButton() const { return m_noButton; }

private:
    common::SettingsStore &m_store;
    platform::Messages &m_messages;
    QPushButton *m_yesButton, *m_noButton;
};

} // namespace vesclean

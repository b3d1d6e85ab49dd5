// The settings remover's one window: it asks, and "は い" deletes every
// setting our programs stored. The focus starts on "いいえ", so Enter keeps them.
#pragma once

#include <QDialog>

class QPushButton;

namespace common {
class SettingsStore;
}
namespace platform {
class InstanceGuard;
class Messages;
} // namespace platform

namespace vesclean {

class RemoverWindow : public QDialog {
    Q_OBJECT
public:
    // `clock` answers while the clock runs (and then brings it forward).
    RemoverWindow(common::SettingsStore &store, platform::Messages &messages,
                  platform::InstanceGuard *clock = nullptr, QWidget *parent = nullptr);

    // Yes: delete, say so, end. While the clock runs nothing is deleted: it
    // would write its switches and its running total back as it closes, and
    // the reset would be undone without a word. It is brought forward, and
    // the window stays for another try once it is closed.
    void onYes();
    void onNo(); // no: end

    QPushButton *yesButton() const { return m_yesButton; }
    QPushButton *noButton() const { return m_noButton; }

private:
    common::SettingsStore &m_store;
    platform::Messages &m_messages;
    platform::InstanceGuard *m_clock;
    QPushButton *m_yesButton, *m_noButton;
};

} // namespace vesclean

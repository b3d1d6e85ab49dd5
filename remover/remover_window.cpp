// The settings remover's window.
#include "remover_window.h"

#include "settings_removal.h"

#include "common/settings_store.h"
#include "common/twips.h"
#include "platform/messages.h"
#include "platform/qt_desktop.h"
#include "platform/single_instance.h"

#include <QLabel>
#include <QPushButton>

using common::twips;

namespace vesclean {

RemoverWindow::RemoverWindow(common::SettingsStore &store, platform::Messages &messages,
                             platform::InstanceGuard *clock, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_store(store), m_messages(messages), m_clock(clock)
{
    setWindowTitle(tr("VESPERA　アンインストール　（レジストリ削除）"));
    // The window grows when the desktop's font needs more room than the
    // layout gives, so that no text is cut off; the buttons stay at the right.
    int width = 385;
    auto label = [this, &width](const QString &text, const QRect &at) {
        auto *l = new QLabel(text, this);
        l->setGeometry(at.x(), at.y(), qMax(at.width(), l->sizeHint().width()), at.height());
        width = qMax(width, l->geometry().right() + 1 + 16);
    };
    label(tr("この操作により、積算駆動時間などのデータがリセットされます"),
          twips(240, 240, 5055, 255));
    label(tr("レジストリは再インストールや、バージョンアップで継承できます。"),
          twips(240, 495, 5175, 255));
    label(tr("VESPERA　で設定されたレジストリを削除しますか？"), twips(360, 840, 4575, 255));

    // "いいえ" comes first in the tab order and is the default: Enter and
    // Space answer no.
    m_noButton = new QPushButton(tr("いいえ"), this);
    m_noButton->setGeometry(twips(3840, 1200, 1695, 375));
    m_yesButton = new QPushButton(tr("は い"), this);
    m_yesButton->setGeometry(twips(2040, 1200, 1695, 375));
    for (QPushButton *button : {m_yesButton, m_noButton})
        button->move(button->x() + width - 385, button->y());
    setFixedSize(width, 118);
    m_noButton->setDefault(true);
    m_noButton->setFocus();
    connect(m_yesButton, &QPushButton::clicked, this, &RemoverWindow::onYes);
    connect(m_noButton, &QPushButton::clicked, this, &RemoverWindow::onNo);
    platform::centreOnScreen(this);
}

void RemoverWindow::onYes()
{
    const QString doneTitle = tr("レジストリ削除");
    if (m_clock && m_clock->activateRunning()) {
        m_messages.notice(doneTitle, tr("時計が起動しています。時計を終了させてから、"
                                        "もう一度「は い」を押してください。"));
        return;
    }
    switch (removeAllSettings(m_store)) {
    case Removal::Deleted: m_messages.information(doneTitle, tr("削除しました。")); break;
    case Removal::NothingStored:
        m_messages.information(doneTitle, tr("削除する設定はありませんでした。"));
        break;
    case Removal::Failed:
        m_messages.information(doneTitle,
                               tr("削除できませんでした。\n%1").arg(m_store.lastError()));
        break;
    }
    accept();
}

void RemoverWindow::onNo() { reject(); }

} // namespace vesclean

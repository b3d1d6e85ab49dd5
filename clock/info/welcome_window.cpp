// The welcome window.
#include "welcome_window.h"

#include "common/twips.h"

#include "platform/help_viewer.h"
#include "platform/messages.h"
#include "platform/qt_desktop.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using common::twips;

namespace vespera {

namespace {
QLabel *label(const QString &text, const QRect &at, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(at);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}
} // namespace

WelcomeWindow::WelcomeWindow(common::SettingsStore &store, platform::HelpViewer *help,
                             platform::Messages *messages, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_settings(store), m_help(help), m_messages(messages)
{
    setWindowTitle(QStringLiteral("VESPERA"));
    setFixedSize(315, 317);

    QLabel *title =
        label(QStringLiteral("VESPERA Ver." VESPERA_VERSION), twips(120, 60, 4455, 405), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    label(tr("この度はVESPERAをご選択いただき、ありがとうございます"), twips(240, 480, 4215, 645),
          this);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(twips(120, 1185, 4455, 1815));
    label(tr("時計はマウスを近づけると、隠れるようになっています。　"
             "時計を操作したい時は、[Shift]キーを押しながら行ってください。"),
          twips(150, 210, 4215, 1200), frame);
    label(tr("詳しくはヘルプをご覧下さい。"), twips(120, 1410, 3735, 315), frame);

    m_dontShowAgain = new QCheckBox(tr("了解したので、次回以降表示しない"), this);
    m_dontShowAgain->setGeometry(twips(120, 3000, 4695, 405));
    m_notesButton = new QPushButton(tr("更新情報"), this);
    m_notesButton->setGeometry(twips(105, 3480, 1815, 375));
    m_helpButton = new QPushButton(tr("ヘルプ"), this);
    m_helpButton->setGeometry(twips(2040, 3480, 1215, 375));
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setGeometry(twips(3360, 3480, 1215, 375));
    m_okButton->setDefault(true);
    label(tr("↑　どこが新しくなったのか、是非ご確認ください"), twips(240, 3960, 4215, 735), this);

    connect(m_okButton, &QPushButton::clicked, this, &WelcomeWindow::onOk);
    connect(m_helpButton, &QPushButton::clicked, this, &WelcomeWindow::onHelp);
    connect(m_notesButton, &QPushButton::clicked, this, &WelcomeWindow::onNotes);

    platform::centreOnScreen(this);
}

void WelcomeWindow::onOk()
{
    if (m_dontShowAgain->isChecked() && !m_settings.saveWelcomeSeen() && m_messages)
        m_messages->information(QStringLiteral("VESPERA"), m_settings.unsavedMessage());
    close();
}

void WelcomeWindow::onHelp()
{
    platform::showHelpOrSay(m_help, m_messages, kWelcomeTopic, QStringLiteral("VESPERA"));
}

void WelcomeWindow::onNotes()
{
    if (m_help && !m_help->showText(QStringLiteral("update.txt")) && m_messages)
        m_messages->information(QStringLiteral("VESPERA"),
                                tr("更新情報（update.txt）を開けませんでした。"));
}

void WelcomeWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        onHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vespera

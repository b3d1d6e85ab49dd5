// The about window.
#include "about_window.h"
#include "core/dog_moves.h"

#include "common/data_dir.h"
#include "platform/random_source.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace vespera {

AboutWindow::AboutWindow(platform::RandomSource *random, int &wagCounter, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_random(random), m_counter(wagCounter)
{
    setWindowTitle(QStringLiteral("VESPERA"));
    setFixedSize(324, 244);
    m_background = picture({0, 0, 325, 245}, QStringLiteral("about.png"));
    blinkOpen = picture({121, 108, 11, 10}, QStringLiteral("blink0.png"));
    blinkClosed = picture({129, 121, 11, 10}, QStringLiteral("blink1.png"));
    blinkClosed->hide();
    dogFrames[0] = picture({48, 159, 37, 32}, QStringLiteral("inu0.png"));
    dogFrames[1] = picture({43, 158, 41, 33}, QStringLiteral("inu1.png"));
    dogFrames[2] = picture({44, 159, 44, 32}, QStringLiteral("inu2.png"));
    showDog(0);

    versionLabel = new QLabel(QStringLiteral("Ver. " VESPERA_VERSION), this);
    versionLabel->setGeometry(240, 104, 68, 15);
    versionLabel->setAlignment(Qt::AlignCenter);
    versionLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setGeometry(30, 198, 93, 19);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    blinkTimer.setInterval(1000);
    connect(&blinkTimer, &QTimer::timeout, this, &AboutWindow::onBlink);
    blinkTimer.start();
    wagTimer.setInterval(100);
    connect(&wagTimer, &QTimer::timeout, this, &AboutWindow::onWag);
}

// A picture of the window; a missing file leaves its place empty.
QLabel *AboutWindow::picture(const QRect &at, const QString &file)
{
    auto *label = new QLabel(this);
    label->setGeometry(at);
    label->setPixmap(QPixmap(common::dataFile(file)));
    return label;
}

void AboutWindow::showDog(int frame)
{
    for (QLabel *frame : dogFrames)
        frame->hide();
    dogFrames[size_t(frame)]->show();
}

int AboutWindow::shownDogFrame() const
{
    for (int i = 0; i < 3; ++i)
        if (!dogFrames[size_t(i)]->isHidden())
            return i;
    return -1;
}

bool AboutWindow::blinkShown(int which) const
{
    return !(which == 0 ? blinkOpen : blinkClosed)->isHidden();
}

void AboutWindow::onBlink()
{
    m_random->reseedFromTimer();
    switch (dog::throwFor(m_random->next())) {
    case dog::Throw::LieDown: showDog(0); break;
    case dog::Throw::SitUp: showDog(2); break;
    case dog::Throw::Wag: wagTimer.start(); break;
    case dog::Throw::Stay: break;
    }
    const bool first = !blinkOpen->isHidden();
    blinkOpen->setVisible(!first);
    blinkClosed->setVisible(first);
}

void AboutWindow::onWag()
{
    const dog::WagStep step = dog::wagStep(dogFrames[0]->isHidden(), m_counter);
    if (step.last)
        wagTimer.stop();
    showDog(step.raised ? 1 : 0);
}

} // namespace vespera

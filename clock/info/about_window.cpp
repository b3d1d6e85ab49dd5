// The about window.
#include "about_window.h"

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
    Image1 = picture({0, 0, 325, 245}, QStringLiteral("about.png"));
    Image2 = picture({121, 108, 11, 10}, QStringLiteral("blink0.png"));
    Image3 = picture({129, 121, 11, 10}, QStringLiteral("blink1.png"));
    Image3->hide();
    Inu[0] = picture({48, 159, 37, 32}, QStringLiteral("inu0.png"));
    Inu[1] = picture({43, 158, 41, 33}, QStringLiteral("inu1.png"));
    Inu[2] = picture({44, 159, 44, 32}, QStringLiteral("inu2.png"));
    ShowInu(0);

    Label1 = new QLabel(QStringLiteral("Ver. 2.15"), this);
    Label1->setGeometry(240, 104, 68, 15);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setGeometry(30, 198, 93, 19);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &AboutWindow::Timer1_Timer);
    Timer1.start();
    Timer2.setInterval(100);
    connect(&Timer2, &QTimer::timeout, this, &AboutWindow::Timer2_Timer);
}

// A picture of the window; a missing file leaves its place empty.
QLabel *AboutWindow::picture(const QRect &at, const QString &file)
{
    auto *label = new QLabel(this);
    label->setGeometry(at);
    label->setPixmap(QPixmap(common::dataFile(file)));
    return label;
}

void AboutWindow::ShowInu(int frame)
{
    for (QLabel *inu : Inu)
        inu->hide();
    Inu[size_t(frame)]->show();
}

int AboutWindow::shownInu() const
{
    for (int i = 0; i < 3; ++i)
        if (!Inu[size_t(i)]->isHidden())
            return i;
    return -1;
}

bool AboutWindow::blinkShown(int which) const { return !(which == 0 ? Image2 : Image3)->isHidden(); }

void AboutWindow::Timer1_Timer()
{
    m_random->reseedFromTimer();
    switch (int(m_random->next() * 4)) {
    case 0: ShowInu(0); break;
    case 1: ShowInu(2); break;
    case 2: Timer2.start(); break;
    default: break;
    }
    const bool first = !Image2->isHidden();
    Image2->setVisible(!first);
    Image3->setVisible(first);
}

void AboutWindow::Timer2_Timer()
{
    if (m_counter > 8) {
        Timer2.stop();
        m_counter = 0;
    }
    ShowInu(Inu[0]->isHidden() ? 0 : 1);
    ++m_counter;
}

} // namespace vespera

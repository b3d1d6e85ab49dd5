// The about window: the version over a picture, a blinking star and a dog
// that now and then wags. Opened from the clock's face, without blocking it.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

class QLabel;
class QPushButton;

namespace platform {
class RandomSource;
}

namespace vespera {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // `wagCounter` outlives the window: a wag run cut short by closing
    // carries on counting at the next opening.
    AboutWindow(platform::RandomSource *random, int &wagCounter, QWidget *parent = nullptr);

    void onBlink();
    void onWag();
    void showDog(int frame);

    // For tests: which pictures show and whether the dog is wagging.
    int shownDogFrame() const;
    bool blinkShown(int which) const;
    bool wagging() const { return wagTimer.isActive(); }

private:
    QLabel *picture(const QRect &at, const QString &file);

    platform::RandomSource *m_random;
    int &m_counter;
    QLabel *m_background, *blinkOpen, *blinkClosed;
    std::array<QLabel *, 3> dogFrames{};
    QLabel *versionLabel;
    QPushButton *closeButton;
    QTimer blinkTimer, wagTimer;
};

} // namespace vespera

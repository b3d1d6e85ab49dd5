// The dog on the face: at each tick it may sit up, lie down again or wag
// for a moment, as a throw of the program's dice decides.
#pragma once

#include <QObject>
#include <QTimer>

namespace platform {
class RandomSource;
}

namespace vespera {

class FaceView;

class Dog : public QObject {
    Q_OBJECT
public:
    Dog(FaceView &view, platform::RandomSource *random);

    // One throw per second, four ways alike: sit up, lie down, wag, or stay.
    void onTick();
    // One step of a wag: the two raised poses in turn, a tenth of a second
    // each, for ten steps.
    void onWagStep();
    bool isWagging() const { return m_wagTimer.isActive(); }
    void stop() { m_wagTimer.stop(); }

private:
    // 0 lies down, 1 and 2 are the raised poses.
    void setPose(int pose);

    FaceView &m_view;
    platform::RandomSource *m_random;
    QTimer m_wagTimer;
    int m_wagSteps = 0;
};

} // namespace vespera

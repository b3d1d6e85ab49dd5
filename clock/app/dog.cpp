// The dog on the face.
#include "dog.h"

#include "face_view.h"
#include "platform/random_source.h"

namespace vespera {

Dog::Dog(FaceView &view, platform::RandomSource *random) : m_view(view), m_random(random)
{
    m_wagTimer.setInterval(100);
    connect(&m_wagTimer, &QTimer::timeout, this, &Dog::onWagStep);
}

void Dog::onTick()
{
    switch (static_cast<int>(m_random->next() * 4)) {
    case 0: setPose(0); break;
    case 1: setPose(2); break;
    case 2: m_wagTimer.start(); break;
    default: break;
    }
}

void Dog::onWagStep()
{
    if (m_wagSteps > 8) {
        m_wagTimer.stop();
        m_wagSteps = 0;
    }
    setPose(m_view.control(Ctl::DogPoseA).visible ? 0 : 1);
    ++m_wagSteps;
}

void Dog::setPose(int pose)
{
    m_view.setVisible(Ctl::DogPoseA, pose == 1);
    m_view.setVisible(Ctl::DogPoseB, pose == 2);
}

} // namespace vespera

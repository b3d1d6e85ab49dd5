// The dog on the face.
#include "dog.h"

#include "core/dog_moves.h"
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
    switch (dog::throwFor(m_random->next())) {
    case dog::Throw::LieDown: setPose(0); break;
    case dog::Throw::SitUp: setPose(2); break;
    case dog::Throw::Wag: m_wagTimer.start(); break;
    case dog::Throw::Stay: break;
    }
}

void Dog::onWagStep()
{
    const dog::WagStep step = dog::wagStep(m_view.control(Ctl::DogPoseA).visible, m_wagSteps);
    if (step.last)
        m_wagTimer.stop();
    setPose(step.raised ? 1 : 0);
}

void Dog::setPose(int pose)
{
    m_view.setVisible(Ctl::DogPoseA, pose == 1);
    m_view.setVisible(Ctl::DogPoseB, pose == 2);
}

} // namespace vespera

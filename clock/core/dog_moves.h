// How the dog moves, on the face and in the about window alike. Each second
// a throw of the dice, four ways alike, makes it lie down, sit up, wag for a
// moment, or stay as it is. A wag is a run of steps a tenth of a second
// apart, each showing the raised pose or taking it away: ten steps, and the
// count carries over so that a run after the first has nine.
#pragma once

namespace vespera::dog {

enum class Throw { LieDown, SitUp, Wag, Stay };

// `dice` in [0, 1).
inline Throw throwFor(double dice)
{
    switch (static_cast<int>(dice * 4)) {
    case 0: return Throw::LieDown;
    case 1: return Throw::SitUp;
    case 2: return Throw::Wag;
    default: return Throw::Stay;
    }
}

struct WagStep {
    bool raised; // the raised pose shows after the step
    bool last;   // the run ends with this step
};

// One step from a dog shown raised or not; `steps` counts the run's steps.
inline WagStep wagStep(bool raised, int &steps)
{
    const bool last = steps > 8;
    if (last)
        steps = 0;
    ++steps;
    return {!raised, last};
}

} // namespace vespera::dog

// Random numbers that a test can seed.
#include "random_source.h"

#include <chrono>

namespace platform {

void StdRandomSource::reseedFromTimer()
{
    m_engine.seed(
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

} // namespace platform

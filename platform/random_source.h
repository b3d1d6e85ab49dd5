// Random numbers that a test can seed.
#pragma once

#include <random>

namespace platform {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromTimer() = 0;
    virtual double next() = 0; // uniform in [0, 1)
};

class StdRandomSource : public RandomSource {
public:
    explicit StdRandomSource(unsigned seed = std::random_device{}()) : m_engine(seed) {}
    void reseedFromTimer() override;
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }

private:
    std::mt19937 m_engine;
};

} // namespace platform

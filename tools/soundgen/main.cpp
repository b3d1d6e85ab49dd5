// soundgen — writes the clock's three sounds as 16-bit mono WAV files:
//   zihou.wav  the half-hour chime: two bell tones, high then low
//   al.wav     the alarm: three pairs of beeps, made to be repeated every 4 s
//   b.wav      the notice closing: a short falling blip
// Every sound ends in 150 ms of silence: some players cut off the last tens
// of milliseconds, which then fall on silence instead of the tail of a tone.
// Usage: soundgen OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

int count(double seconds) { return int(std::lround(seconds * kRate)); }

// A struck bell: a few partials that fade at their own pace.
void addBell(Samples &out, double at, double frequency, double seconds, double gain)
{
    const double partials[][3] = {{1.0, 1.0, 1.0}, {2.0, 0.35, 1.8}, {3.01, 0.15, 2.6}};
    const int start = count(at);
    for (int i = 0; i < count(seconds) && start + i < int(out.size()); ++i) {
        const double t = double(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        double v = 0;
        for (const auto &p : partials)
            v += p[1] * std::exp(-t * 2.2 * p[2]) * std::sin(2 * kPi * frequency * p[0] * t);
        out[start + i] += gain * attack * v;
    }
}

// A beep with soft edges, so it starts and stops without a click.
void addBeep(Samples &out, double at, double frequency, double seconds, double gain,
             double endFrequency = -1)
{
    if (endFrequency < 0)
        endFrequency = frequency;
    const int start = count(at), n = count(seconds), edge = count(0.008);
    double phase = 0;
    for (int i = 0; i < n && start + i < int(out.size()); ++i) {
        const double f = frequency + (endFrequency - frequency) * i / n;
        phase += 2 * kPi * f / kRate;
        const double envelope = std::min({1.0, double(i) / edge, double(n - i) / edge});
        out[start + i] += gain * envelope * (std::sin(phase) + 0.2 * std::sin(3 * phase));
    }
}

bool writeWav(const std::string &path, const Samples &s)
{
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char *>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char *>(&v), 2); };
    const uint32_t bytes = uint32_t(s.size() * 2);
    f.write("RIFF", 4);
    u32(36 + bytes);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(bytes);
    for (double v : s)
        u16(uint16_t(int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767))));
    return bool(f);
}

Samples silence(double seconds) { return Samples(size_t(count(seconds)), 0.0); }

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    constexpr double tail = 0.15;

    Samples chime = silence(2.9 + tail);
    addBell(chime, 0.0, 659.3, 1.4, 0.32); // E5
    addBell(chime, 0.7, 523.3, 2.2, 0.32); // C5

    Samples alarm = silence(2.4 + tail);
    for (int pair = 0; pair < 3; ++pair) {
        addBeep(alarm, pair * 0.8, 1046.5, 0.16, 0.3);
        addBeep(alarm, pair * 0.8 + 0.24, 1046.5, 0.16, 0.3);
    }

    Samples closing = silence(0.25 + tail);
    addBeep(closing, 0.0, 880.0, 0.22, 0.3, 440.0);

    const bool ok = writeWav(dir + "/zihou.wav", chime) && writeWav(dir + "/al.wav", alarm)
                    && writeWav(dir + "/b.wav", closing);
    if (!ok)
        std::fprintf(stderr, "soundgen: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}

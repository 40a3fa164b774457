#include "tools/render/demo_signal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;
const double kLengthSeconds = 4.0;
const double kPeak = 0.5;

struct Stereo {
    std::vector<double> left, right;
    double rate;
};

// Deterministic white noise in -1 to 1, so every demo render is identical.
struct Noise {
    uint32_t state = 0x2545F491u;
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};

void addKick(Stereo& s, double at) {
    double phase = 0;
    const int start = static_cast<int>(at * s.rate);
    const int length = static_cast<int>(0.45 * s.rate);
    for (int i = 0; i < length && start + i < static_cast<int>(s.left.size()); ++i) {
        const double t = i / s.rate;
        phase += 2 * kPi * (45.0 + 110.0 * std::exp(-t * 28.0)) / s.rate;
        const double v = std::sin(phase) * std::exp(-t * 7.0);
        s.left[start + i] += v;
        s.right[start + i] += v;
    }
}

void addSnare(Stereo& s, double at, Noise& noise) {
    const int start = static_cast<int>(at * s.rate);
    const int length = static_cast<int>(0.3 * s.rate);
    for (int i = 0; i < length && start + i < static_cast<int>(s.left.size()); ++i) {
        const double t = i / s.rate;
        const double v = 0.55 * noise.next() * std::exp(-t * 22.0) +
                         0.45 * std::sin(2 * kPi * 185.0 * t) * std::exp(-t * 30.0);
        s.left[start + i] += 0.8 * v;
        s.right[start + i] += v;
    }
}

void addHat(Stereo& s, double at, Noise& noise) {
    const int start = static_cast<int>(at * s.rate);
    const int length = static_cast<int>(0.08 * s.rate);
    double previous = 0;
    for (int i = 0; i < length && start + i < static_cast<int>(s.left.size()); ++i) {
        const double t = i / s.rate;
        const double n = noise.next();
        const double v = 0.35 * (n - previous) * std::exp(-t * 70.0);  // a difference: bright
        previous = n;
        s.left[start + i] += v;
        s.right[start + i] += 0.6 * v;
    }
}

// A minor triad with its octave, each note three harmonics, slightly detuned
// between the channels; a soft attack and a fade of about a second.
void addChord(Stereo& s, double at, double duration) {
    const double notes[] = {220.0, 261.63, 329.63, 440.0};
    const int start = static_cast<int>(at * s.rate);
    const int length = static_cast<int>(duration * s.rate);
    for (int i = 0; i < length && start + i < static_cast<int>(s.left.size()); ++i) {
        const double t = i / s.rate;
        const double envelope = std::min(1.0, t / 0.015) * std::exp(-t * 2.2) *
                                std::min(1.0, (duration - t) / 0.05);
        double l = 0, r = 0;
        for (double f : notes) {
            for (int h = 1; h <= 3; ++h) {
                const double a = 0.12 / h;
                l += a * std::sin(2 * kPi * f * h * t);
                r += a * std::sin(2 * kPi * f * h * 1.002 * t);
            }
        }
        s.left[start + i] += envelope * l;
        s.right[start + i] += envelope * r;
    }
}

}  // namespace

std::unique_ptr<AudioSource> makeDemoSignal(double rate) {
    const size_t frames = static_cast<size_t>(kLengthSeconds * rate);
    Stereo s {std::vector<double>(frames), std::vector<double>(frames), rate};
    Noise noise;
    addKick(s, 0.0);
    addHat(s, 0.25, noise);
    addSnare(s, 0.5, noise);
    addHat(s, 0.75, noise);
    addKick(s, 1.0);
    addKick(s, 1.25);
    addSnare(s, 1.5, noise);
    addHat(s, 1.625, noise);
    addHat(s, 1.75, noise);
    addChord(s, 2.1, 1.3);

    double peak = 0;
    for (size_t i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(s.left[i]), std::fabs(s.right[i])});
    const double scale = peak > 0 ? kPeak / peak : 0;
    std::vector<float> left(frames), right(frames);
    for (size_t i = 0; i < frames; ++i) {
        left[i] = static_cast<float>(s.left[i] * scale);
        right[i] = static_cast<float>(s.right[i] * scale);
    }
    return std::make_unique<BufferSource>(rate, std::move(left), std::move(right));
}

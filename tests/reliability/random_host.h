// A host that behaves erratically but legally: between blocks it changes
// parameters (non-finite values included), selects programs (out-of-range
// numbers included), sends MIDI and switches the effect off and on; blocks are
// 0 to 4096 frames, in replacing and in accumulating mode, with stretches of
// noise and of silence so that tails decay towards subnormal values.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "tests/reliability/loaded_plugin.h"

struct HostActivity {
    long blocks = 0;
    long frames = 0;
    long parameterChanges = 0;
    long programChanges = 0;
    long midiEvents = 0;
    long suspends = 0;
};

class RandomHost {
public:
    static constexpr int kMaxBlock = 4096;

    explicit RandomHost(uint32_t seed);
    // Starts the same sequence of actions, blocks and input again.
    void restart();

    // Everything a host may do between two blocks; a twin, if given, gets the
    // very same calls.
    void betweenBlocks(LoadedPlugin& plugin, HostActivity& activity, LoadedPlugin* twin = nullptr);
    // Chooses the next block: its size, its mode and its input.
    void nextBlock();

    int frames() const { return blockFrames; }
    bool replacing() const { return replacingMode; }
    float** inputs() { return inputPointers; }
    float** outputs() { return outputPointers; }
    // Zeroes the outputs (accumulating mode adds to them).
    void clearOutputs();
    bool outputFinite() const;

    // One value of the kind the host may send: mostly 0 to 1, sometimes the ends
    // exactly, sometimes NaN, an infinity, -0.0 or a subnormal.
    float parameterValue();

private:
    void sendMidi(LoadedPlugin& plugin, HostActivity& activity, LoadedPlugin* twin);
    uint32_t below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

    uint32_t seed;
    std::mt19937 rng;
    uint32_t noise = 1;
    long segmentLeft = 0;
    float amplitude = 0;
    int blockFrames = 0;
    bool replacingMode = true;
    std::vector<float> inL, inR, outL, outR;
    float* inputPointers[2];
    float* outputPointers[2];
};

// Long runs of erratic host activity with the cost of processing measured at
// the start and at the end. The last window replays the first window's exact
// sequence of actions, blocks and input, both on the long-running instance and,
// block for block, on a fresh twin: the twin does what the first window did,
// under the same load of the machine at the same moment, so the two costs
// differ only by the state the long-running instance has built up (subnormal
// tails, drifting filters).
#pragma once

#include <cstdint>

#include "tests/reliability/loaded_plugin.h"
#include "tests/reliability/random_host.h"

struct SoakSettings {
    // Audio to process; 0 chooses as much as fits in wallBudgetSeconds.
    double audioSeconds = 0;
    double wallBudgetSeconds = 110;
    double windowSeconds = 60;
    uint32_t seed = 1;
};

struct SoakFigures {
    HostActivity activity;
    double audioSeconds = 0;
    double wallSeconds = 0;
    long nonFiniteBlocks = 0;
    long allocations = 0;
    // Thread CPU time of the processing calls per frame, each the cheapest of
    // thirty slices of its window: the first window, the last window, and the
    // fresh twin's replay of the first window during the last.
    double firstWindowNsPerFrame = 0;
    double lastWindowNsPerFrame = 0;
    double twinNsPerFrame = 0;
};

SoakFigures runSoak(LoadedPlugin& plugin, const SoakSettings& settings);

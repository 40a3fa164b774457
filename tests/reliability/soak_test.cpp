// The soak: erratic host activity for minutes (scripts/soak-hour: an hour of
// audio) through the plug-in's binary interface. The output stays finite, the
// processing calls allocate nothing, and processing costs the same at the end
// as at the start, within 10 %.
//
// TARNWELL_SOAK_AUDIO_SECONDS fixes the audio to process (default: as much as
// fits in TARNWELL_SOAK_WALL_SECONDS, 110 s).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tests/reliability/allocation_counter.h"
#include "tests/reliability/loaded_plugin.h"
#include "tests/reliability/soak.h"

namespace {

double environmentSeconds(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atof(text) : fallback;
}

#ifdef TARNWELL_SANITIZED
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

}  // namespace

TEST(Soak, ErraticHostActivityKeepsOutputFiniteAndCostSteady) {
    LoadedPlugin plugin(TARNWELL_PLUGIN_PATH);
    ASSERT_TRUE(plugin.ok()) << plugin.error();

    SoakSettings settings;
    // Instrumented code is slow and its timing says nothing: a short run that
    // checks the output only.
    settings.windowSeconds = kSanitized ? 5 : 60;
    settings.wallBudgetSeconds = environmentSeconds("TARNWELL_SOAK_WALL_SECONDS", kSanitized ? 20 : 110);
    settings.audioSeconds = environmentSeconds("TARNWELL_SOAK_AUDIO_SECONDS", 0);
    const SoakFigures f = runSoak(plugin, settings);

    const double ratio = f.twinNsPerFrame > 0 ? f.lastWindowNsPerFrame / f.twinNsPerFrame : 0;
    std::printf("soak: %.0f s of audio in %.1f s (%.0fx real time), %ld blocks, %ld parameter changes, "
                "%ld program changes, %ld MIDI events, %ld suspend/resume\n",
                f.audioSeconds, f.wallSeconds, f.audioSeconds / f.wallSeconds, f.activity.blocks,
                f.activity.parameterChanges, f.activity.programChanges, f.activity.midiEvents,
                f.activity.suspends);
    std::printf("soak: cost per frame, first %.0f s: %.2f ns; last %.0f s: %.2f ns against %.2f ns "
                "for the first %.0f s replayed alongside on a fresh instance, ratio %.3f\n",
                settings.windowSeconds, f.firstWindowNsPerFrame, settings.windowSeconds,
                f.lastWindowNsPerFrame, f.twinNsPerFrame, settings.windowSeconds, ratio);
    std::printf("soak: non-finite blocks %ld, allocations on the audio path %ld%s\n", f.nonFiniteBlocks,
                f.allocations, allocation_counter::available() ? "" : " (not counted in this build)");

    EXPECT_EQ(f.nonFiniteBlocks, 0);
    EXPECT_EQ(f.allocations, 0);
    if (!kSanitized) {
        EXPECT_NEAR(ratio, 1.0, 0.10);
    }
}

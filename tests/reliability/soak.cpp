#include "tests/reliability/soak.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>

#include "tests/reliability/allocation_counter.h"

namespace {

constexpr double kRate = 44100.0;
// Slices of a window; the cheapest one stands for it, since other processes on
// the machine only ever add to a slice's cost.
constexpr int kSlices = 30;

long threadNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000000000L + now.tv_nsec;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Cost per frame of one window, gathered slice by slice.
struct Window {
    explicit Window(long frames) : frames(frames) {}
    void add(long offset, long ns, long blockFrames) {
        const int slice = std::min<long>(kSlices - 1, offset * kSlices / frames);
        sliceNs[slice] += ns;
        sliceFrames[slice] += blockFrames;
    }
    double lowestNsPerFrame() const {
        double lowest = 0;
        for (int i = 0; i < kSlices; ++i) {
            if (sliceFrames[i] == 0) continue;
            const double cost = double(sliceNs[i]) / sliceFrames[i];
            if (lowest == 0 || cost < lowest) lowest = cost;
        }
        return lowest;
    }
    long frames;
    long sliceNs[kSlices] = {};
    long sliceFrames[kSlices] = {};
};

long timed(LoadedPlugin& plugin, RandomHost& host) {
    if (!host.replacing()) host.clearOutputs();
    const long before = threadNanoseconds();
    if (host.replacing())
        plugin.processReplacing(host.inputs(), host.outputs(), host.frames());
    else
        plugin.process(host.inputs(), host.outputs(), host.frames());
    return threadNanoseconds() - before;
}

}  // namespace

SoakFigures runSoak(LoadedPlugin& plugin, const SoakSettings& settings) {
    SoakFigures figures;
    RandomHost host(settings.seed);
    const long windowFrames = static_cast<long>(settings.windowSeconds * kRate);
    long totalFrames = static_cast<long>(settings.audioSeconds * kRate);
    Window first(windowFrames), last(windowFrames), twinWindow(windowFrames);
    std::unique_ptr<LoadedPlugin> twin;
    long firstBlocks = 0;           // blocks of the first window, replayed at the end
    long lastStart = -1;            // frame at which the replay began
    long lastBlocksLeft = 0;
    const long allocationsBefore = allocation_counter::count();
    const auto start = std::chrono::steady_clock::now();
    HostActivity& activity = figures.activity;

    for (;;) {
        const bool inFirst = activity.frames < windowFrames;
        if (!inFirst && firstBlocks == 0) {
            firstBlocks = activity.blocks;
            if (totalFrames == 0) {
                // As much audio as the budget allows at the speed seen so far.
                const double perWindow = seconds(start);
                const double windows = std::floor(settings.wallBudgetSeconds / perWindow);
                totalFrames = static_cast<long>(std::max(2.0, windows) * windowFrames);
            }
        }
        if (firstBlocks > 0 && lastStart < 0 && activity.frames >= totalFrames - windowFrames) {
            lastStart = activity.frames;
            lastBlocksLeft = firstBlocks;
            host.restart();
            twin = std::make_unique<LoadedPlugin>(TARNWELL_PLUGIN_PATH);
            if (!twin->ok()) twin.reset();
        }
        if (lastStart >= 0 && lastBlocksLeft-- == 0) break;

        long ns, twinNs = 0;
        bool finite;
        {
            allocation_counter::Watch watch;
            host.betweenBlocks(plugin, activity, twin.get());
            host.nextBlock();
            // Alternating which instance goes first shares out the benefit of
            // input already in the cache.
            const bool twinFirst = twin && activity.blocks % 2;
            if (twinFirst) twinNs = timed(*twin, host);
            finite = !twinFirst || host.outputFinite();
            ns = timed(plugin, host);
            finite = finite && host.outputFinite();
            if (twin && !twinFirst) {
                twinNs = timed(*twin, host);
                finite = finite && host.outputFinite();
            }
        }
        if (!finite) ++figures.nonFiniteBlocks;
        if (inFirst) first.add(activity.frames, ns, host.frames());
        if (lastStart >= 0) {
            last.add(activity.frames - lastStart, ns, host.frames());
            twinWindow.add(activity.frames - lastStart, twinNs, host.frames());
        }
        ++activity.blocks;
        activity.frames += host.frames();
    }

    figures.wallSeconds = seconds(start);
    figures.audioSeconds = activity.frames / kRate;
    figures.allocations = allocation_counter::count() - allocationsBefore;
    figures.firstWindowNsPerFrame = first.lowestNsPerFrame();
    figures.lastWindowNsPerFrame = last.lowestNsPerFrame();
    figures.twinNsPerFrame = twin ? twinWindow.lowestNsPerFrame() : 0;
    return figures;
}

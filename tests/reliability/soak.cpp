#include "tests/reliability/soak.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

#include "tests/reliability/allocation_counter.h"

namespace {

constexpr double kRate = 44100.0;
constexpr int kSlices = 10;

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
    double medianNsPerFrame() const {
        std::vector<double> costs;
        for (int i = 0; i < kSlices; ++i)
            if (sliceFrames[i] > 0) costs.push_back(double(sliceNs[i]) / sliceFrames[i]);
        if (costs.empty()) return 0;
        std::sort(costs.begin(), costs.end());
        return costs[costs.size() / 2];
    }
    long frames;
    long sliceNs[kSlices] = {};
    long sliceFrames[kSlices] = {};
};

}  // namespace

SoakFigures runSoak(LoadedPlugin& plugin, const SoakSettings& settings) {
    SoakFigures figures;
    RandomHost host(settings.seed);
    const long windowFrames = static_cast<long>(settings.windowSeconds * kRate);
    long totalFrames = static_cast<long>(settings.audioSeconds * kRate);
    Window first(windowFrames), last(windowFrames);
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
        }
        if (lastStart >= 0 && lastBlocksLeft-- == 0) break;

        long ns;
        {
            allocation_counter::Watch watch;
            host.betweenBlocks(plugin, activity);
            host.nextBlock();
            if (!host.replacing()) host.clearOutputs();
            const long before = threadNanoseconds();
            if (host.replacing())
                plugin.processReplacing(host.inputs(), host.outputs(), host.frames());
            else
                plugin.process(host.inputs(), host.outputs(), host.frames());
            ns = threadNanoseconds() - before;
        }
        if (!host.outputFinite()) ++figures.nonFiniteBlocks;
        if (inFirst) first.add(activity.frames, ns, host.frames());
        if (lastStart >= 0) last.add(activity.frames - lastStart, ns, host.frames());
        ++activity.blocks;
        activity.frames += host.frames();
    }

    figures.wallSeconds = seconds(start);
    figures.audioSeconds = activity.frames / kRate;
    figures.allocations = allocation_counter::count() - allocationsBefore;
    figures.firstWindowNsPerFrame = first.medianNsPerFrame();
    figures.lastWindowNsPerFrame = last.medianNsPerFrame();
    return figures;
}

// The effect's processReplacing over noise, and the per-sample oracle beside it: cost per stereo frame
// (per_frame, in seconds: 40n is 40 ns) and the real-time factor at 44.1 kHz (rtf, seconds of audio
// per second of CPU), for programs 0 and 6 at blocks of 32, 64 and 512. The slowest block of
// 10,000 against the median (worst_ratio). And the
// cost of a silent tail: per-second cost over 60 s of silence after 2 s of
// noise, relative to the per-second cost under noise (tail_ratio).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <vector>

#include "effect/tarnwell.h"
#include "tests/effect/oracle.h"

namespace {

constexpr int kRate = 44100;

std::vector<float> noiseChannel(size_t frames, std::uint32_t seed)
{
    std::vector<float> v(frames);
    for (float& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
    }
    return v;
}

template <class Effect>
void BM_ProcessReplacing(benchmark::State& state)
{
    const VstInt32 program = static_cast<VstInt32>(state.range(0));
    const VstInt32 block = static_cast<VstInt32>(state.range(1));
    Effect effect(nullptr);
    effect.dispatcher(effSetProgram, 0, program, nullptr, 0.0f);
    std::vector<float> inL = noiseChannel(block, 1), inR = noiseChannel(block, 2);
    std::vector<float> outL(block), outR(block);
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        effect.processReplacing(in, out, block);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    const double frames = static_cast<double>(block);
    state.counters["per_frame"] = benchmark::Counter(
        frames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["rtf"] =
        benchmark::Counter(frames / kRate, benchmark::Counter::kIsIterationInvariantRate);
}
// The plug-in's chain, and the per-sample oracle on the same input for the ratio.
BENCHMARK(BM_ProcessReplacing<Tarnwell>)->ArgsProduct({{0, 6}, {32, 64, 512}});
BENCHMARK(BM_ProcessReplacing<TarnwellOracle>)->ArgsProduct({{0, 6}, {32, 512}});

// The slowest of 10,000 blocks of 512 over the median, noise input.
void BM_WorstBlock(benchmark::State& state)
{
    constexpr VstInt32 kBlock = 512;
    constexpr int kBlocks = 10000;
    std::vector<float> inL = noiseChannel(kBlock, 5), inR = noiseChannel(kBlock, 6);
    std::vector<float> outL(kBlock), outR(kBlock);
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    std::vector<double> times(kBlocks);
    for (auto _ : state) {
        Tarnwell effect(nullptr);
        effect.dispatcher(effSetProgram, 0, state.range(0), nullptr, 0.0f);
        for (double& t : times) {
            timespec a{}, b{};
            clock_gettime(CLOCK_MONOTONIC, &a);
            effect.processReplacing(in, out, kBlock);
            benchmark::DoNotOptimize(outL.data());
            clock_gettime(CLOCK_MONOTONIC, &b);
            t = static_cast<double>(b.tv_sec - a.tv_sec) * 1e9 + static_cast<double>(b.tv_nsec - a.tv_nsec);
        }
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    state.counters["median_ns"] = sorted[kBlocks / 2];
    state.counters["worst_ns"] = sorted.back();
    state.counters["worst_ratio"] = sorted.back() / sorted[kBlocks / 2];
}
BENCHMARK(BM_WorstBlock)->Arg(0)->Arg(6)->Iterations(1)->Unit(benchmark::kMillisecond);

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds of this thread's CPU per second of audio for one stretch of input;
// CPU time, so that other processes on a shared machine count less.
double costPerSecond(Tarnwell& effect, const std::vector<float>& left,
                     const std::vector<float>& right, size_t frames, VstInt32 block)
{
    std::vector<float> outL(block), outR(block);
    const double start = threadSeconds();
    for (size_t at = 0; at < frames; at += block) {
        const VstInt32 n = static_cast<VstInt32>(std::min<size_t>(block, frames - at));
        float* in[2] = {const_cast<float*>(left.data()) + at % left.size(),
                        const_cast<float*>(right.data()) + at % right.size()};
        float* out[2] = {outL.data(), outR.data()};
        effect.processReplacing(in, out, n);
        benchmark::DoNotOptimize(outL.data());
    }
    return (threadSeconds() - start) / (static_cast<double>(frames) / kRate);
}

void BM_SilentTail(benchmark::State& state)
{
    const VstInt32 program = static_cast<VstInt32>(state.range(0));
    constexpr VstInt32 kBlock = 512;
    const std::vector<float> noiseL = noiseChannel(2 * kRate, 3), noiseR = noiseChannel(2 * kRate, 4);
    const std::vector<float> silence(kBlock * 64, 0.0f);
    // The cheapest of the runs of each: the least disturbed by other work.
    double underNoise = 1e9, inTail = 1e9;
    for (auto _ : state) {
        Tarnwell effect(nullptr);
        effect.dispatcher(effSetProgram, 0, program, nullptr, 0.0f);
        underNoise = std::min(underNoise, costPerSecond(effect, noiseL, noiseR, noiseL.size(), kBlock));
        inTail = std::min(inTail, costPerSecond(effect, silence, silence,
                                                static_cast<size_t>(60) * kRate, kBlock));
    }
    state.counters["noise_cost_per_s"] = underNoise;
    state.counters["tail_cost_per_s"] = inTail;
    state.counters["tail_ratio"] = inTail / underNoise;
}
BENCHMARK(BM_SilentTail)->Arg(0)->Arg(6)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

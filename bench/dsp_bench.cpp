// Cost per sample of every module step and tank-unit step, over blocks of
// noise. The per_sample counter is the CPU time per sample (e.g. 2.7ns).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "dsp/delay.h"
#include "dsp/filter_2_pole_low_pass.h"
#include "dsp/filter_downsample.h"
#include "dsp/filter_multimode.h"
#include "reverb/allpass.h"
#include "reverb/comb.h"

namespace {

constexpr int kBlock = 1024;

const std::vector<float>& noise()
{
    static const std::vector<float> block = [] {
        std::vector<float> v(kBlock);
        std::uint32_t seed = 1;
        for (float& x : v) {
            seed = seed * 1664525u + 1013904223u;
            x = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
        }
        return v;
    }();
    return block;
}

template <typename Step>
void run(benchmark::State& state, Step step)
{
    const std::vector<float>& in = noise();
    for (auto _ : state) {
        for (float x : in)
            benchmark::DoNotOptimize(step(x));
    }
    state.counters["per_sample"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_delay_dsp(benchmark::State& state)
{
    delay d;
    delay_init(&d, 19200);
    delay_set_attr(&d, DELAY_ATTR_TIME_MS, 400.0f);
    run(state, [&](float x) { return delay_dsp(&d, x); });
    delay_free(&d);
}

void BM_filter_multimode_dsp(benchmark::State& state)
{
    filter_multimode m;
    filter_multimode_init(&m);
    filter_multimode_set_attr(&m, FILTER_ATTR_TYPE, FILTER_MULTIMODE_HIGH_PASS);
    filter_multimode_set_attr(&m, FILTER_ATTR_CUTOFF, 300.0f);
    filter_multimode_set_attr(&m, FILTER_ATTR_RESONANCE, 4.9f);
    run(state, [&](float x) { return filter_multimode_dsp(&m, x); });
}

void BM_filter_2_pole_low_pass_dsp(benchmark::State& state)
{
    filter_2_pole_low_pass p;
    filter_2_pole_low_pass_init(&p);
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_CUTOFF, 2000.0f);
    run(state, [&](float x) { return filter_2_pole_low_pass_dsp(&p, x); });
}

void BM_filter_downsample_dsp(benchmark::State& state)
{
    filter_downsample s;
    filter_downsample_init(&s);
    filter_downsample_set_attr(&s, FILTER_ATTR_DOWNSAMPLE_RATIO, 0.3f);
    run(state, [&](float x) { return filter_downsample_dsp(&s, x); });
}

void BM_comb_process(benchmark::State& state)
{
    std::vector<float> storage(1116);
    comb c;
    c.setbuffer(storage.data(), static_cast<int>(storage.size()));
    c.setfeedback(0.84f);
    c.setdamp(0.2f);
    c.mute();
    run(state, [&](float x) { return c.process(x); });
}

void BM_allpass_process(benchmark::State& state)
{
    std::vector<float> storage(556);
    allpass a;
    a.setbuffer(storage.data(), static_cast<int>(storage.size()));
    a.setfeedback(0.5f);
    a.mute();
    run(state, [&](float x) { return a.process(x); });
}

} // namespace

BENCHMARK(BM_delay_dsp);
BENCHMARK(BM_filter_multimode_dsp);
BENCHMARK(BM_filter_2_pole_low_pass_dsp);
BENCHMARK(BM_filter_downsample_dsp);
BENCHMARK(BM_comb_process);
BENCHMARK(BM_allpass_process);

// The signal chain, to the bit: where and what the first wet sample of an
// impulse is, adding versus replacing, in-place buffers, channel separation,
// peaks, odd block sizes, and recovery from non-finite signals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/effect/probe.h"

namespace {

// The low-pass of one sample from rest: gain × x, its coefficients from the cutoff.
float lowPassFirstStep(float cutoff, float x)
{
    const double omega = static_cast<double>(cutoff) * 6.283185307179586 / 44100.0;
    const double decay = -1.0;  // the default resonance 1
    const double a1 = 2.0 * std::cos(omega) * std::exp(omega * 0.5 * decay);
    const double a2 = std::exp(omega * decay);
    const double gain = 1.0 - a1 + a2;
    return static_cast<float>(gain * static_cast<double>(x) + (a1 * 0.0 - a2 * 0.0));
}

// The high-pass (state-variable, two passes, resonance 0) of one sample from rest.
float highPassFirstStep(float cutoff, float input)
{
    const double pi = 3.141592653589793;
    double freq = 2.0 * std::sin(static_cast<double>(cutoff) * pi / (44100.0 + 44100.0));
    if (freq > 0.25)
        freq = 0.25;
    double a = 2.0 / freq - 0.5 * freq;
    if (a > 2.0)
        a = 2.0;
    const double b = 2.0 * (1.0 - std::pow(0.0, 0.25));
    const double damp = a >= b ? b : a;
    const double x = input;
    double low = 0.0, high = 0.0, band = 0.0, notch = 0.0;
    double taps[2];
    for (double& tap : taps) {
        low = low + freq * band;
        notch = x - damp * band;
        high = notch - low;
        band = freq * high + band;
        tap = high;
    }
    return static_cast<float>(0.5 * taps[0] + 0.5 * taps[1]);
}

// An impulse of 1 on one input with the dry path off: the first non-zero wet
// sample of each output comes from the shortest comb of its side, after the
// pre-delay, and its value is the comb's 0.015 through four all-passes (which
// flip its sign four times), the low-pass and the high-pass.
TEST(SignalChain, FirstWetSampleOfAnImpulse)
{
    const struct {
        int input;       // 0 left, 1 right
        float preDelay;  // parameter value; 0 with the switch off
    } cases[] = {{0, 0.0f}, {1, 0.0f}, {0, 0.25f}, {1, 0.25f}, {0, 0.0137f}, {1, 1.0f}};

    for (const auto& c : cases) {
        TarnwellProbe effect(nullptr);
        effect.setParameter(kDrySw, 0.0f);
        unsigned delaySamples = 0;
        if (c.preDelay != 0.0f) {
            effect.setParameter(kPreDelay, c.preDelay);
            effect.setParameter(kPreDelaySw, 1.0f);
            const float ms = c.preDelay * 400.0f;
            delaySamples = static_cast<unsigned>(static_cast<double>(ms * 44100.0f) * 0.001);
        }
        Stereo in(20000);
        (c.input == 0 ? in.left : in.right)[0] = 1.0f;
        const Stereo out = render(effect, in, 500);

        const float t = (1.0f + 0.0f) * 0.015f;
        const float expected = highPassFirstStep(effect.hpCutoff, lowPassFirstStep(effect.lpCutoff, t));
        ASSERT_NE(expected, 0.0f);
        const struct {
            const std::vector<float>& samples;
            unsigned first;
        } sides[] = {{out.left, 1116 + delaySamples}, {out.right, 1139 + delaySamples}};
        for (const auto& side : sides) {
            unsigned firstNonZero = 0;
            while (firstNonZero < side.samples.size() && side.samples[firstNonZero] == 0.0f)
                ++firstNonZero;
            EXPECT_EQ(firstNonZero, side.first) << c.input << " " << c.preDelay;
            ASSERT_LT(firstNonZero, side.samples.size());
            EXPECT_EQ(bits(side.samples[firstNonZero]), bits(expected));
        }
    }
}

// process adds exactly what processReplacing writes, onto what the buffer held.
TEST(SignalChain, ProcessAddsWhatProcessReplacingWrites)
{
    for (VstInt32 program : {0, 6, 9}) {
        TarnwellProbe replacing(nullptr), adding(nullptr);
        replacing.dispatch(effSetProgram, 0, program);
        adding.dispatch(effSetProgram, 0, program);
        Stereo in = noise(8192, 5);
        const Stereo prefill = noise(8192, 6);
        Stereo written(8192);
        Stereo added = prefill;
        for (size_t start = 0; start < 8192; start += 128) {
            float* i[2] = {in.left.data() + start, in.right.data() + start};
            float* w[2] = {written.left.data() + start, written.right.data() + start};
            float* a[2] = {added.left.data() + start, added.right.data() + start};
            replacing.processReplacing(i, w, 128);
            adding.process(i, a, 128);
        }
        for (size_t n = 0; n < 8192; ++n) {
            ASSERT_EQ(bits(added.left[n]), bits(prefill.left[n] + written.left[n])) << n;
            ASSERT_EQ(bits(added.right[n]), bits(prefill.right[n] + written.right[n])) << n;
        }
    }
}

TEST(SignalChain, InPlaceBuffersGiveTheSameOutput)
{
    for (bool adding : {false, true}) {
        TarnwellProbe separate(nullptr), inPlace(nullptr);
        separate.dispatch(effSetProgram, 0, 6);
        inPlace.dispatch(effSetProgram, 0, 6);
        Stereo in = noise(4096, 8);
        Stereo out(4096);
        Stereo shared = in;
        if (adding)
            out = in;  // process adds onto what is there: the input itself
        for (size_t start = 0; start < 4096; start += 256) {
            float* i[2] = {in.left.data() + start, in.right.data() + start};
            float* o[2] = {out.left.data() + start, out.right.data() + start};
            float* s[2] = {shared.left.data() + start, shared.right.data() + start};
            if (adding) {
                separate.process(i, o, 256);
                inPlace.process(s, s, 256);
            } else {
                separate.processReplacing(i, o, 256);
                inPlace.processReplacing(s, s, 256);
            }
        }
        EXPECT_TRUE(sameBits(shared.left, out.left)) << adding;
        EXPECT_TRUE(sameBits(shared.right, out.right)) << adding;
    }
}

// The left output hangs only on the left modules, but both tank sides are fed
// with both inputs.
TEST(SignalChain, LeftOutputIgnoresTheRightModules)
{
    TarnwellProbe reference(nullptr), changed(nullptr);
    reference.dispatch(effSetProgram, 0, 6);  // every stage in the path
    changed.dispatch(effSetProgram, 0, 6);
    filter_2_pole_low_pass_set_attr(&changed.lpFilterR, FILTER_ATTR_CUTOFF, 300.0f);
    filter_multimode_set_attr(&changed.hpFilterR, FILTER_ATTR_CUTOFF, 40.0f);
    filter_downsample_set_attr(&changed.bitRotR, FILTER_ATTR_DOWNSAMPLE_RATIO, 0.3f);
    delay_set_attr(&changed.preDelayR, DELAY_ATTR_TIME_SAMPLES, 100.0f);
    const Stereo in = noise(40000, 4);
    const Stereo a = render(reference, in);
    const Stereo b = render(changed, in);
    EXPECT_TRUE(sameBits(a.left, b.left));
    EXPECT_FALSE(sameBits(a.right, b.right));

    // Right input only: the left side reverberates it too.
    TarnwellProbe effect(nullptr);
    effect.setParameter(kDrySw, 0.0f);
    Stereo rightOnly = noise(4000, 4);
    std::fill(rightOnly.left.begin(), rightOnly.left.end(), 0.0f);
    const Stereo out = render(effect, rightOnly);
    EXPECT_NE(*std::max_element(out.left.begin(), out.left.end()), 0.0f);
}

// The block size the host picks changes nothing, nor do blocks of 0 samples.
TEST(SignalChain, BlockSizesDoNotChangeTheOutput)
{
    const Stereo in = noise(6000, 12);
    TarnwellProbe reference(nullptr);
    reference.dispatch(effSetProgram, 0, 6);
    const Stereo expected = render(reference, in, 6000);
    for (VstInt32 block : {1, 7, 64, 511, 4096}) {
        TarnwellProbe effect(nullptr);
        effect.dispatch(effSetProgram, 0, 6);
        Stereo input = in;
        Stereo out(6000);
        for (size_t start = 0; start < 6000; start += block) {
            const VstInt32 n = static_cast<VstInt32>(std::min<size_t>(block, 6000 - start));
            float* i[2] = {input.left.data() + start, input.right.data() + start};
            float* o[2] = {out.left.data() + start, out.right.data() + start};
            effect.processReplacing(i, o, 0);
            effect.processReplacing(i, o, n);
        }
        EXPECT_TRUE(sameBits(out.left, expected.left)) << block;
        EXPECT_TRUE(sameBits(out.right, expected.right)) << block;
    }
}

struct Peaks {
    float v[6];
    int flag;
};

Peaks peaks(TarnwellProbe& effect)
{
    Peaks p{};
    effect.getDisplayValues(p.v[0], p.v[1], p.v[2], p.v[3], p.v[4], p.v[5], p.flag);
    return p;
}

TEST(SignalChain, PeaksAreSignedMaximaOfTheLastBlock)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kInputSw, 0.5f);
    Stereo in(256);
    in.left[10] = 0.8f;
    in.right[20] = 0.4f;
    in.left[30] = -1.0f;
    Stereo out(256);
    effect.processReplacing(in.ptrs(), out.ptrs(), 256);
    Peaks p = peaks(effect);
    EXPECT_EQ(p.v[0], 0.4f);
    EXPECT_EQ(p.v[1], 0.2f);
    EXPECT_EQ(p.v[2], 0.4f);
    EXPECT_EQ(p.v[3], 0.2f);

    Stereo negative(256, -0.5f);
    render(effect, noise(3000));
    effect.processReplacing(negative.ptrs(), out.ptrs(), 256);
    p = peaks(effect);
    EXPECT_EQ(p.v[0], 0.0f);
    EXPECT_EQ(p.v[1], 0.0f);
    EXPECT_EQ(p.v[2], 0.0f);
    EXPECT_EQ(p.v[3], 0.0f);

    render(effect, noise(256));
    const int activity = effect.midiActivity;
    effect.processReplacing(in.ptrs(), out.ptrs(), 0);
    p = peaks(effect);
    for (float v : p.v)
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(effect.midiActivity, activity);
}

TEST(SignalChain, SilenceInSilenceOut)
{
    TarnwellProbe effect(nullptr);
    effect.dispatch(effSetProgram, 0, 6);
    const Stereo out = render(effect, Stereo(30000));
    for (size_t n = 0; n < out.frames(); ++n) {
        ASSERT_EQ(bits(out.left[n]), 0u) << n;
        ASSERT_EQ(bits(out.right[n]), 0u) << n;
    }
}

// A host passing a negative or missing block gets nothing written.
TEST(SignalChain, NegativeOrMissingBlocksWriteNothing)
{
    TarnwellProbe effect(nullptr);
    Stereo in = noise(64);
    Stereo out(64, 0.25f);
    const int activity = effect.midiActivity;
    effect.processReplacing(in.ptrs(), out.ptrs(), -64);
    effect.process(in.ptrs(), out.ptrs(), -1);
    float* none[2] = {nullptr, nullptr};
    effect.processReplacing(none, out.ptrs(), 64);
    effect.processReplacing(in.ptrs(), none, 64);
    effect.processReplacing(nullptr, nullptr, 64);
    for (float v : out.left)
        EXPECT_EQ(v, 0.25f);
    EXPECT_EQ(effect.midiActivity, activity);
    EXPECT_TRUE(effect.tankSilent());
}

bool allFinite(const Stereo& s)
{
    for (size_t n = 0; n < s.frames(); ++n)
        if (!std::isfinite(s.left[n]) || !std::isfinite(s.right[n]))
            return false;
    return true;
}

// A non-finite or overflowing signal must not leave the effect NaN or silent:
// after one block of ordinary input the output is finite again, and the wet
// path sounds again.
TEST(SignalChain, RecoversFromNonFiniteSignals)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* what;
        float sample;
        int blocks;  // of 512, every sample the same
        bool held;
    } cases[] = {
        {"NaN sample", nan, 0, false}, {"infinite sample", inf, 0, false},
        {"NaN into a held tank", nan, 0, true}, {"sum overflows", 3e38f, 0, false},
        {"tank overflows", 1e38f, 200, false}, {"-inf for a while", -inf, 10, false},
    };
    for (const auto& c : cases) {
        TarnwellProbe effect(nullptr);
        effect.dispatch(effSetProgram, 0, 6);
        render(effect, noise(4096, 1));
        if (c.held)
            effect.setParameter(kMode, 1.0f);
        Stereo bad = noise(512, 2);
        if (c.blocks == 0) {
            bad.left[100] = c.sample;
        } else {
            std::fill(bad.left.begin(), bad.left.end(), c.sample);
            std::fill(bad.right.begin(), bad.right.end(), c.sample);
        }
        for (int b = 0; b < std::max(c.blocks, 1); ++b)
            render(effect, bad, 512);
        effect.setParameter(kMode, 0.0f);

        const Stereo next = render(effect, noise(512, 3), 512);
        EXPECT_TRUE(allFinite(next)) << c.what;
        const Stereo later = render(effect, noise(48000, 4), 512);
        EXPECT_TRUE(allFinite(later)) << c.what;
        Peaks p = peaks(effect);
        EXPECT_GT(p.v[4], 0.0f) << c.what;  // the wet path is not left silent
    }
}

}  // namespace

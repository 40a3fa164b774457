#include "dsp/filter_multimode.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "tests/dsp/bits.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr double kPi = 3.141592653589793;

class Multimode : public ::testing::Test {
protected:
    void SetUp() override { filter_multimode_init(&m); }
    void TearDown() override { filter_multimode_free(&m); }
    void set(int attr, float value) { filter_multimode_set_attr(&m, attr, value); }

    filter_multimode m{};
};

TEST_F(Multimode, InitDefaults)
{
    EXPECT_EQ(filter_multimode_get_attr(&m, FILTER_ATTR_CUTOFF), 1000.0f);
    EXPECT_EQ(filter_multimode_get_attr(&m, FILTER_ATTR_RESONANCE), 0.0f);
    EXPECT_EQ(filter_multimode_get_attr(&m, FILTER_ATTR_TYPE), 0.0f);
    EXPECT_EQ(m.q, 0.0);
    EXPECT_EQ(m.damp, 2.0);
    EXPECT_EQ(m.low + m.high + m.band + m.notch, 0.0);
    EXPECT_EQ(filter_multimode_get_output(&m), 0.0f);
    EXPECT_EQ(bits(filter_multimode_get_attr(&m, 999)), 0u);
}

TEST_F(Multimode, FrequencyCoefficientAt44100)
{
    struct Case {
        float cutoff;
        double freq;
        double tolerance; // 0: exact
    };
    const Case cases[] = {
        {1000, 0.071223, 5e-7}, {2000, 0.142355, 5e-7}, {3518, 0.25, -1}, // -1: just below the limit
        {3519, 0.25, 0},        {5000, 0.25, 0},        {20000, 0.25, 0},
    };
    for (const auto& c : cases) {
        set(FILTER_ATTR_CUTOFF, c.cutoff);
        if (c.tolerance < 0)
            EXPECT_LT(m.freq, c.freq) << c.cutoff;
        else if (c.tolerance == 0)
            EXPECT_EQ(m.freq, c.freq) << c.cutoff;
        else
            EXPECT_NEAR(m.freq, c.freq, c.tolerance) << c.cutoff;
    }
}

// cutoff × π / (2 × rate) is evaluated left to right; the other grouping differs
// in the last bit at this cutoff.
TEST_F(Multimode, FrequencyProductIsDividedLeftToRight)
{
    set(FILTER_ATTR_CUTOFF, 13.0f);
    const double left = 2.0 * std::sin(13.0 * kPi / 88200.0);
    const double right = 2.0 * std::sin(13.0 * (kPi / 88200.0));
    ASSERT_NE(left, right);
    EXPECT_EQ(m.freq, left);
}

TEST_F(Multimode, DampingFollowsResonance)
{
    struct Case {
        float resonance;
        double damp;
        double tolerance;
    };
    const Case cases[] = {
        {0.0f, 2.0, 0},        {4.9f, 0.3267, 5e-5}, {9.8f, 0.01008, 5e-6},
        {10.0f, 0.0, 0},       {-1.0f, 2.0, 0}, // not a number from the power: the first term
        {-100.0f, 2.0, 0},
    };
    for (const auto& c : cases) {
        set(FILTER_ATTR_RESONANCE, c.resonance);
        EXPECT_NEAR(m.damp, c.damp, c.tolerance) << c.resonance;
        EXPECT_EQ(m.q, static_cast<double>(c.resonance) * 0.1) << c.resonance;
        EXPECT_EQ(filter_multimode_get_attr(&m, FILTER_ATTR_RESONANCE), c.resonance);
    }
}

TEST_F(Multimode, DampingIsTheSameWhateverTheCutoff)
{
    set(FILTER_ATTR_RESONANCE, 4.9f);
    const double damp = m.damp;
    for (float cutoff : {20.0f, 1000.0f, 3518.0f, 5000.0f}) {
        set(FILTER_ATTR_CUTOFF, cutoff);
        EXPECT_EQ(m.damp, damp) << cutoff;
    }
}

TEST_F(Multimode, FirstLowPassOutputIsHalfTheSquaredCoefficient)
{
    const float out = filter_multimode_dsp(&m, 1.0f);
    EXPECT_EQ(bits(out), bits(static_cast<float>(0.5 * (m.freq * m.freq))));
    EXPECT_NEAR(out, 0.0025363f, 5e-8f);
    EXPECT_EQ(filter_multimode_get_output(&m), out);
}

// The first step from rest with input 1, per tap, from the two passes written out.
TEST_F(Multimode, EachModeTakesItsTap)
{
    const double f = m.freq, d = m.damp;
    const double low2 = f * f, notch2 = 1.0 - d * f, high2 = notch2 - low2, band2 = f * high2 + f;
    struct Case {
        int mode;
        double tap1, tap2;
    };
    const Case cases[] = {
        {FILTER_MULTIMODE_LOW_PASS, 0.0, low2},   {FILTER_MULTIMODE_HIGH_PASS, 1.0, high2},
        {FILTER_MULTIMODE_BAND_PASS, f, band2},   {FILTER_MULTIMODE_NOTCH, 1.0, notch2},
        {FILTER_MULTIMODE_PEAK, -1.0, low2 - high2},
    };
    for (const auto& c : cases) {
        filter_multimode_init(&m);
        set(FILTER_ATTR_TYPE, static_cast<float>(c.mode));
        EXPECT_EQ(bits(filter_multimode_dsp(&m, 1.0f)), bits(static_cast<float>(0.5 * c.tap1 + 0.5 * c.tap2)))
            << c.mode;
    }
}

TEST_F(Multimode, ConstantInputSettles)
{
    struct Case {
        int mode;
        float settles_at;
    };
    for (const Case c : {Case{FILTER_MULTIMODE_LOW_PASS, 0.8f}, Case{FILTER_MULTIMODE_HIGH_PASS, 0.0f}}) {
        filter_multimode_init(&m);
        set(FILTER_ATTR_TYPE, static_cast<float>(c.mode));
        set(FILTER_ATTR_RESONANCE, 4.9f);
        float out = 0.0f;
        for (int i = 0; i < 20000; ++i)
            out = filter_multimode_dsp(&m, 0.8f);
        EXPECT_NEAR(out, c.settles_at, 1e-6f) << c.mode;
    }
}

TEST_F(Multimode, ModeIsTruncatedTowardZero)
{
    struct Case {
        float value;
        float reads;
    };
    const Case cases[] = {{1.9f, 1.0f}, {0.99f, 0.0f}, {-0.5f, 0.0f}, {4.0f, 4.0f}, {3.2f, 3.0f}};
    for (const auto& c : cases) {
        set(FILTER_ATTR_TYPE, c.value);
        EXPECT_EQ(bits(filter_multimode_get_attr(&m, FILTER_ATTR_TYPE)), bits(c.reads)) << c.value;
    }
}

// A mode outside the five responses outputs silence and reads back as set;
// values with no integer saturate, and a mode that is not a number is no request.
TEST_F(Multimode, ModeOutsideTheFiveIsSilentAndReadsBackAsSet)
{
    struct Case {
        float value;
        float reads;
    };
    const Case cases[] = {
        {5.0f, 5.0f},           {7.5f, 7.0f},           {-1.0f, -1.0f},
        {-3.7f, -3.0f},         {1e20f, 2147483648.0f}, {-1e20f, -2147483648.0f},
        {kInf, 2147483648.0f},  {-kInf, -2147483648.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        filter_multimode_init(&m);
        set(FILTER_ATTR_TYPE, c.value);
        EXPECT_EQ(filter_multimode_get_attr(&m, FILTER_ATTR_TYPE), c.reads);
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(bits(filter_multimode_dsp(&m, i % 2 ? 1.0f : -0.5f)), 0u) << i;
    }
}

TEST_F(Multimode, ModeThatIsNotANumberKeepsTheMode)
{
    set(FILTER_ATTR_TYPE, 2.0f);
    set(FILTER_ATTR_TYPE, kNaN);
    EXPECT_EQ(filter_multimode_get_attr(&m, FILTER_ATTR_TYPE), 2.0f);
}

// The state runs on whatever the mode: back in a real mode the output is what a
// filter that stayed in that mode gives.
TEST_F(Multimode, StateRunsWhileTheModeIsSilent)
{
    filter_multimode reference;
    filter_multimode_init(&reference);
    filter_multimode_set_attr(&reference, FILTER_ATTR_TYPE, FILTER_MULTIMODE_HIGH_PASS);
    set(FILTER_ATTR_TYPE, 9.0f);
    for (int i = 0; i < 50; ++i) {
        const float x = std::sin(static_cast<float>(i));
        filter_multimode_dsp(&reference, x);
        filter_multimode_dsp(&m, x);
    }
    set(FILTER_ATTR_TYPE, FILTER_MULTIMODE_HIGH_PASS);
    EXPECT_EQ(bits(filter_multimode_dsp(&m, 0.3f)), bits(filter_multimode_dsp(&reference, 0.3f)));
}

TEST_F(Multimode, UnknownIdentifierLeavesEveryFieldUnchanged)
{
    set(FILTER_ATTR_CUTOFF, 1500.0f);
    set(FILTER_ATTR_RESONANCE, 3.0f);
    filter_multimode_dsp(&m, 0.7f);
    const filter_multimode before = m;
    for (int attr : {0, 199, 202, 220, 500, -100})
        set(attr, 12345.0f);
    EXPECT_EQ(std::memcmp(&before, &m, sizeof m), 0);
}

TEST_F(Multimode, SettingsKeepTheState)
{
    filter_multimode_dsp(&m, 1.0f);
    const double low = m.low, band = m.band;
    set(FILTER_ATTR_CUTOFF, 3000.0f);
    set(FILTER_ATTR_RESONANCE, 5.0f);
    EXPECT_EQ(m.low, low);
    EXPECT_EQ(m.band, band);
}

} // namespace

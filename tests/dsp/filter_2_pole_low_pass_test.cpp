#include "dsp/filter_2_pole_low_pass.h"

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "tests/dsp/bits.h"

namespace {

class TwoPole : public ::testing::Test {
protected:
    void SetUp() override { filter_2_pole_low_pass_init(&p); }
    void TearDown() override { filter_2_pole_low_pass_free(&p); }

    filter_2_pole_low_pass p{};
};

TEST_F(TwoPole, DefaultCoefficientsAt44100)
{
    EXPECT_EQ(filter_2_pole_low_pass_get_attr(&p, FILTER_ATTR_CUTOFF), 1000.0f);
    EXPECT_EQ(filter_2_pole_low_pass_get_attr(&p, FILTER_ATTR_RESONANCE), 1.0f);
    EXPECT_EQ(p.decay, -1.0);
    EXPECT_NEAR(p.omega, 0.1424759, 5e-8);
    EXPECT_NEAR(p.a1, 1.8436090, 5e-8);
    EXPECT_NEAR(p.a2, 0.8672085, 5e-8);
    EXPECT_NEAR(p.gain, 0.0235995, 5e-8);
    EXPECT_EQ(p.gain, 1.0 - p.a1 + p.a2);
    EXPECT_EQ(p.y1 + p.y2, 0.0);
    EXPECT_EQ(p.output, 0.0f);
}

TEST_F(TwoPole, ImpulseResponseStartsAsExpected)
{
    const float expected[] = {0.0236f, 0.0435f, 0.0597f, 0.0724f};
    for (int i = 0; i < 4; ++i) {
        const float y = filter_2_pole_low_pass_dsp(&p, i == 0 ? 1.0f : 0.0f);
        EXPECT_NEAR(y, expected[i], 5e-5f) << i;
        EXPECT_EQ(p.output, y);
    }
}

TEST_F(TwoPole, StepIsRoundedToSingleAndFedBack)
{
    const float first = filter_2_pole_low_pass_dsp(&p, 0.3f);
    EXPECT_EQ(bits(first), bits(static_cast<float>(p.gain * 0.3f + (p.a1 * 0.0 - p.a2 * 0.0))));
    EXPECT_EQ(p.y1, static_cast<double>(first));
    const float second = filter_2_pole_low_pass_dsp(&p, -0.6f);
    EXPECT_EQ(bits(second), bits(static_cast<float>(p.gain * -0.6f + (p.a1 * first - p.a2 * 0.0))));
    EXPECT_EQ(p.y2, static_cast<double>(first));
}

// Each rounded output is fed back, so a constant 1 settles a little above 1.
TEST_F(TwoPole, ConstantInputSettlesAtUnity)
{
    float y = 0.0f;
    for (int i = 0; i < 5000; ++i)
        y = filter_2_pole_low_pass_dsp(&p, 1.0f);
    EXPECT_NEAR(y, 1.0f, 1e-5f);
}

// The comparison with 0.001 is in double: the float nearest 0.001 lies above it.
TEST_F(TwoPole, ResonanceDecay)
{
    struct Case {
        float resonance;
        double decay;
    };
    const Case cases[] = {
        {0.0f, -1000.0},
        {-1.0f, -1000.0},
        {0.0005f, -1000.0},
        {std::nextafter(0.001f, 0.0f), -1000.0},
        {0.001f, -1.0 / static_cast<double>(0.001f)},
        {1.0f, -1.0},
        {2.0f, -0.5},
        {0.7f, -1.0 / static_cast<double>(0.7f)},
    };
    for (const auto& c : cases) {
        filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_RESONANCE, c.resonance);
        EXPECT_EQ(p.decay, c.decay) << c.resonance;
        EXPECT_EQ(filter_2_pole_low_pass_get_attr(&p, FILTER_ATTR_RESONANCE), c.resonance);
    }
    ASSERT_NE(-1.0 / static_cast<double>(0.001f), -1000.0);
}

TEST_F(TwoPole, TinyResonancePassesTheInput)
{
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_RESONANCE, 0.0005f);
    EXPECT_EQ(filter_2_pole_low_pass_dsp(&p, 1.0f), 1.0f);
    for (int i = 0; i < 8; ++i)
        EXPECT_LT(std::fabs(filter_2_pole_low_pass_dsp(&p, 0.0f)), 1e-30f) << i;
}

// cutoff × 2π / rate is evaluated left to right; the other grouping differs in
// the last bit at this cutoff.
TEST_F(TwoPole, OmegaIsDividedLeftToRight)
{
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_CUTOFF, 13.0f);
    const double left = 13.0 * 6.283185307179586 / 44100.0;
    ASSERT_NE(left, 13.0 * (6.283185307179586 / 44100.0));
    EXPECT_EQ(p.omega, left);
    EXPECT_EQ(filter_2_pole_low_pass_get_attr(&p, FILTER_ATTR_CUTOFF), 13.0f);
}

TEST_F(TwoPole, UnknownIdentifierChangesNoSetting)
{
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_CUTOFF, 2500.0f);
    filter_2_pole_low_pass_dsp(&p, 0.5f);
    const filter_2_pole_low_pass before = p;
    filter_2_pole_low_pass_set_attr(&p, 999, 7.0f);
    EXPECT_EQ(std::memcmp(&before, &p, sizeof p), 0);
    EXPECT_EQ(bits(filter_2_pole_low_pass_get_attr(&p, 999)), 0u);
}

TEST_F(TwoPole, ClearSilencesHistoryAndKeepsCoefficients)
{
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_CUTOFF, 3000.0f);
    for (int i = 0; i < 10; ++i)
        filter_2_pole_low_pass_dsp(&p, 1.0f);
    const double a1 = p.a1, a2 = p.a2, gain = p.gain;
    filter_2_pole_low_pass_clear(&p);
    EXPECT_EQ(p.y1 + p.y2, 0.0);
    EXPECT_EQ(p.output, 0.0f);
    EXPECT_EQ(p.a1, a1);
    EXPECT_EQ(p.a2, a2);
    EXPECT_EQ(p.gain, gain);
    EXPECT_EQ(bits(filter_2_pole_low_pass_dsp(&p, 0.8f)), bits(static_cast<float>(gain * 0.8f)));
}

TEST_F(TwoPole, SettingsKeepTheHistory)
{
    filter_2_pole_low_pass_dsp(&p, 1.0f);
    const double y1 = p.y1;
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_CUTOFF, 4000.0f);
    filter_2_pole_low_pass_set_attr(&p, FILTER_ATTR_RESONANCE, 2.0f);
    EXPECT_EQ(p.y1, y1);
}

} // namespace

#include "dsp/filter_downsample.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/dsp/bits.h"

namespace {

class Downsample : public ::testing::Test {
protected:
    void SetUp() override { filter_downsample_init(&d); }
    void TearDown() override { filter_downsample_free(&d); }
    void ratio(float r) { filter_downsample_set_attr(&d, FILTER_ATTR_DOWNSAMPLE_RATIO, r); }
    std::vector<float> run(const std::vector<float>& in)
    {
        std::vector<float> out;
        for (float x : in)
            out.push_back(filter_downsample_dsp(&d, x));
        return out;
    }

    filter_downsample d{};
};

TEST_F(Downsample, InitDefaults)
{
    EXPECT_EQ(filter_downsample_get_attr(&d, FILTER_ATTR_DOWNSAMPLE_RATIO), 1.0f);
    EXPECT_EQ(d.phase, 0.0f);
    EXPECT_EQ(filter_downsample_get_output(&d), 0.0f);
    EXPECT_EQ(bits(filter_downsample_get_attr(&d, 221)), 0u);
}

TEST_F(Downsample, HoldsAtTheRatio)
{
    struct Case {
        float ratio;
        std::vector<float> in, out;
    };
    const Case cases[] = {
        {0.5f, {1, 2, 3, 4, 5, 6}, {0, 2, 2, 4, 4, 6}},
        {1.0f, {1, -2, 3.5f, 0, 7}, {1, -2, 3.5f, 0, 7}},
        {0.25f, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 0, 0, 4, 4, 4, 4, 8, 8}},
        {0.0f, {1, 2, 3}, {0, 0, 0}},
        {-0.5f, {1, 2, 3}, {0, 0, 0}},
        {2.0f, {1, 2, 3}, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        filter_downsample_init(&d);
        ratio(c.ratio);
        EXPECT_EQ(run(c.in), c.out) << c.ratio;
    }
}

TEST_F(Downsample, RatioOneKeepsThePhaseAtZero)
{
    run({1, 2, 3});
    EXPECT_EQ(d.phase, 0.0f);
}

TEST_F(Downsample, RatioAboveOneTakesEveryStepWhileThePhaseGrows)
{
    ratio(2.5f);
    run({1, 2, 3, 4});
    EXPECT_EQ(d.phase, 6.0f); // grows by ratio - 1 per step
    EXPECT_EQ(filter_downsample_get_output(&d), 4.0f);
}

TEST_F(Downsample, NewRatioRestartsThePhaseAndKeepsTheHeldSample)
{
    ratio(0.5f);
    EXPECT_EQ(run({1, 2, 3}), (std::vector<float>{0, 2, 2}));
    ratio(0.5f);
    EXPECT_EQ(d.phase, 0.0f);
    EXPECT_EQ(filter_downsample_get_output(&d), 2.0f);
    EXPECT_EQ(run({4, 5}), (std::vector<float>{2, 5}));
}

TEST_F(Downsample, SmallestRatioTakesExactlyEveryTwentiethStep)
{
    ratio(0.05f);
    for (int step = 1; step <= 20000; ++step) {
        const float out = filter_downsample_dsp(&d, static_cast<float>(step));
        ASSERT_EQ(out, static_cast<float>(step - step % 20)) << step;
    }
}

TEST_F(Downsample, UnknownIdentifierChangesNothing)
{
    ratio(0.5f);
    run({1, 2, 3});
    const filter_downsample before = d;
    filter_downsample_set_attr(&d, 200, 0.1f);
    EXPECT_EQ(d.ratio, before.ratio);
    EXPECT_EQ(d.phase, before.phase);
    EXPECT_EQ(d.held, before.held);
}

} // namespace

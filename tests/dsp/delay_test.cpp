#include "dsp/delay.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/dsp/bits.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class Delay : public ::testing::Test {
protected:
    void SetUp() override { delay_init(&d, 19200); }
    void TearDown() override { delay_free(&d); }

    void expect_setting(float ms, uint32_t samples)
    {
        EXPECT_EQ(d.length, samples);
        EXPECT_EQ(delay_get_attr(&d, DELAY_ATTR_TIME_SAMPLES), static_cast<float>(samples));
        EXPECT_EQ(bits(delay_get_attr(&d, DELAY_ATTR_TIME_MS)), bits(ms));
    }

    bool pointers_inside_ring() const
    {
        return d.write_ptr >= d.buffer && d.write_ptr <= d.end_ptr && d.read_ptr >= d.buffer &&
               d.read_ptr <= d.end_ptr && d.end_ptr == d.buffer + d.length;
    }

    delay d{};
};

struct Setting {
    int attr;
    float value;
    float ms;
    uint32_t samples;
};

TEST_F(Delay, TimeConvertsToWholeSamplesAndWholeMilliseconds)
{
    const Setting cases[] = {
        {DELAY_ATTR_TIME_MS, 10.0f, 10.0f, 441},
        {DELAY_ATTR_TIME_MS, 10.7f, 10.0f, 471},
        {DELAY_ATTR_TIME_MS, 0.1f, 0.0f, 4},
        {DELAY_ATTR_TIME_MS, 400.0f, 400.0f, 17640},
        {DELAY_ATTR_TIME_MS, 435.37f, 435.0f, 19199},
        {DELAY_ATTR_TIME_MS, 0.0f, 0.0f, 0},
        {DELAY_ATTR_TIME_SAMPLES, 441.9f, 10.0f, 441},
        {DELAY_ATTR_TIME_SAMPLES, 441.0f, 10.0f, 441},
        {DELAY_ATTR_TIME_SAMPLES, 19200.0f, 435.0f, 19200},
        {DELAY_ATTR_TIME_SAMPLES, 0.0f, 0.0f, 0},
        // Truncation toward zero: a request above -1 sample is a delay of 0, read back as +0 ms.
        {DELAY_ATTR_TIME_SAMPLES, -0.5f, 0.0f, 0},
        {DELAY_ATTR_TIME_MS, -0.01f, 0.0f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attr << " " << c.value);
        delay_set_attr(&d, c.attr, c.value);
        expect_setting(c.ms, c.samples);
        EXPECT_TRUE(pointers_inside_ring());
    }
}

// The product of time and rate is rounded to single precision before the
// millisecond factor: in double this request would give 22860 samples.
TEST(DelayConversion, MillisecondProductIsRoundedToSingle)
{
    delay d{};
    delay_init(&d, 30000);
    delay_set_attr(&d, DELAY_ATTR_TIME_MS, 518.39f);
    EXPECT_EQ(d.length, 22861u);
    delay_free(&d);
}

// Negative, not-a-number, infinite and over-long requests have no sample count
// within the capacity: each is ignored as a whole.
TEST_F(Delay, RequestsWithoutAValidCountAreIgnored)
{
    const Setting cases[] = {
        {DELAY_ATTR_TIME_MS, 435.4f, 0, 0},   {DELAY_ATTR_TIME_SAMPLES, 19201.0f, 0, 0},
        {DELAY_ATTR_TIME_MS, -1.0f, 0, 0},    {DELAY_ATTR_TIME_SAMPLES, -1.0f, 0, 0},
        {DELAY_ATTR_TIME_SAMPLES, -5e9f, 0, 0}, {DELAY_ATTR_TIME_SAMPLES, 3e9f, 0, 0},
        {DELAY_ATTR_TIME_SAMPLES, 5e9f, 0, 0},  {DELAY_ATTR_TIME_MS, 1e30f, 0, 0},
        {DELAY_ATTR_TIME_MS, kNaN, 0, 0},     {DELAY_ATTR_TIME_SAMPLES, kNaN, 0, 0},
        {DELAY_ATTR_TIME_MS, kInf, 0, 0},     {DELAY_ATTR_TIME_MS, -kInf, 0, 0},
        {DELAY_ATTR_TIME_SAMPLES, kInf, 0, 0}, {499, 10.0f, 0, 0},
        {502, 10.0f, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attr << " " << c.value);
        delay_set_attr(&d, DELAY_ATTR_TIME_MS, 10.0f);
        const delay before = d;
        delay_set_attr(&d, c.attr, c.value);
        EXPECT_EQ(d.length, before.length);
        EXPECT_EQ(bits(d.time_ms), bits(before.time_ms));
        EXPECT_EQ(d.read_ptr, before.read_ptr);
        EXPECT_EQ(d.end_ptr, before.end_ptr);
    }
}

TEST_F(Delay, UnknownAttributeReadsZero)
{
    delay_set_attr(&d, DELAY_ATTR_TIME_MS, 10.0f);
    EXPECT_EQ(bits(delay_get_attr(&d, 499)), 0u);
    EXPECT_EQ(bits(delay_get_attr(&d, 0)), 0u);
}

TEST_F(Delay, PassesThroughBeforeAnySetting)
{
    for (float x : {1.0f, -2.0f, 3.5f})
        EXPECT_EQ(delay_dsp(&d, x), x);
}

TEST_F(Delay, StorageStartsZeroed)
{
    for (uint32_t i = 0; i <= d.max_length; ++i)
        ASSERT_EQ(bits(d.buffer[i]), 0u) << i;
}

TEST_F(Delay, ImpulseComesOutAfterExactlyLengthCalls)
{
    for (uint32_t n : {1u, 2u, 5u, 441u, 19200u}) {
        SCOPED_TRACE(n);
        delay_free(&d);
        delay_init(&d, 19200);
        delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, static_cast<float>(n));
        for (uint32_t call = 1; call <= 2 * n + 1; ++call) {
            const float out = delay_dsp(&d, call == 1 ? 1.0f : 0.0f);
            ASSERT_EQ(out, call == n + 1 ? 1.0f : 0.0f) << "call " << call;
        }
    }
}

TEST_F(Delay, ZeroLengthReturnsTheSameCallsInput)
{
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, 0.0f);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(delay_dsp(&d, static_cast<float>(i) + 0.5f), static_cast<float>(i) + 0.5f);
}

TEST_F(Delay, GetOutputIsWhatTheNextStepReturns)
{
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, 3.0f);
    for (int i = 0; i < 20; ++i) {
        const float next = delay_get_output(&d);
        EXPECT_EQ(delay_dsp(&d, static_cast<float>(i + 1)), next);
    }
}

// A change of the delay, wherever the write position stands, must hold from the
// next step: every input comes out exactly `to` calls later, and the calls in
// between return samples that were already in the ring.
struct Change {
    uint32_t from;
    uint32_t steps; // run before the change
    uint32_t to;
};

class DelayChange : public Delay, public ::testing::WithParamInterface<Change> {};

TEST_P(DelayChange, NewDelayHoldsFromTheNextStep)
{
    const Change c = GetParam();
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, static_cast<float>(c.from));
    float fed = 0.0f;
    std::vector<float> old_samples;
    for (uint32_t i = 0; i < c.steps; ++i) {
        fed += 1.0f;
        delay_dsp(&d, fed);
        old_samples.push_back(fed);
    }
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, static_cast<float>(c.to));
    ASSERT_TRUE(pointers_inside_ring());

    std::vector<float> in, out;
    for (uint32_t k = 0; k < 3 * c.to + 5; ++k) {
        in.push_back(-1.0f - static_cast<float>(k));
        out.push_back(delay_dsp(&d, in.back()));
        ASSERT_TRUE(pointers_inside_ring()) << "step " << k;
    }
    for (size_t k = 0; k < out.size(); ++k) {
        if (k >= c.to) {
            ASSERT_EQ(out[k], in[k - c.to]) << "step " << k;
        } else {
            // An old sample (fed before the change) or untouched zero storage.
            const bool old = out[k] == 0.0f || (out[k] >= 1.0f && out[k] <= fed);
            ASSERT_TRUE(old) << "step " << k << ": " << out[k];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Delay, DelayChange,
                         ::testing::Values(Change{100, 80, 10},    // write position far beyond the new end
                                           Change{100, 11, 10},    // just beyond
                                           Change{100, 10, 10},    // exactly at the new end
                                           Change{100, 50, 49},    //
                                           Change{100, 99, 0},     // down to no delay
                                           Change{100, 250, 7},    // after wrapping
                                           Change{10, 7, 50},      // lengthening
                                           Change{0, 5, 19200},    // to the full capacity
                                           Change{19200, 19199, 1}));

// Old samples still in the shortened ring come out in their order before the new input.
TEST_F(Delay, ShorteningKeepsOldSamplesInTheRing)
{
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, 100.0f);
    for (int i = 1; i <= 80; ++i)
        delay_dsp(&d, static_cast<float>(i));
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, 10.0f);
    // Positions 0..10 hold the inputs 1..11; writing resumes at 80 mod 11 = 3.
    const float expected[] = {5, 6, 7, 8, 9, 10, 11, 1, 2, 3};
    for (float e : expected)
        EXPECT_EQ(delay_dsp(&d, 0.0f), e);
}

// Many changes at random moments: the delay always holds after each one.
TEST(DelayChanges, RandomSequenceKeepsTheDelayAndTheBounds)
{
    delay d{};
    delay_init(&d, 64);
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    float fed = 0.0f;
    for (int round = 0; round < 500; ++round) {
        const uint32_t n = next(65);
        delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, static_cast<float>(n));
        std::vector<float> in;
        const uint32_t steps = next(3 * 65);
        for (uint32_t k = 0; k < steps; ++k) {
            fed += 1.0f;
            in.push_back(fed);
            const float out = delay_dsp(&d, fed);
            ASSERT_TRUE(d.write_ptr >= d.buffer && d.write_ptr <= d.end_ptr);
            ASSERT_TRUE(d.read_ptr >= d.buffer && d.read_ptr <= d.end_ptr);
            if (k >= n) {
                ASSERT_EQ(out, in[k - n]) << "round " << round << " length " << n << " step " << k;
            }
        }
    }
    delay_free(&d);
}

TEST(DelayInit, NegativeCapacityIsAnEmptyRing)
{
    delay d{};
    delay_init(&d, -5);
    EXPECT_EQ(d.max_length, 0u);
    ASSERT_NE(d.buffer, nullptr);
    EXPECT_EQ(delay_dsp(&d, 2.0f), 2.0f);
    delay_set_attr(&d, DELAY_ATTR_TIME_SAMPLES, 1.0f); // over the capacity
    EXPECT_EQ(delay_dsp(&d, 3.0f), 3.0f);
    delay_free(&d);
    EXPECT_EQ(d.buffer, nullptr);
}

} // namespace

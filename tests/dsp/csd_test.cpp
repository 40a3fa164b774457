#include "dsp/csd.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "tests/dsp/bits.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Puts the global rate back so no test leaks a rate into another.
class SampleRate : public ::testing::Test {
protected:
    void TearDown() override { csd_set_attr(CSD_ATTR_SAMPLING_RATE, 44100.0f); }
};

TEST(Globals, StartAt44100WithItsRoundedReciprocal)
{
    EXPECT_EQ(gAudioSamplingRate, 44100.0f);
    EXPECT_EQ(bits(gAudioSamplingRateReciprocal), 0x37BE37C6u);
}

TEST_F(SampleRate, UnknownIdentifierChangesNeitherGlobal)
{
    csd_set_attr(0, 48000.0f);
    EXPECT_EQ(gAudioSamplingRate, 44100.0f);
    EXPECT_EQ(bits(gAudioSamplingRateReciprocal), 0x37BE37C6u);
}

TEST_F(SampleRate, SetsRateAndReciprocalRoundedOnceFromDouble)
{
    csd_set_attr(CSD_ATTR_SAMPLING_RATE, 48000.0f);
    EXPECT_EQ(gAudioSamplingRate, 48000.0f);
    EXPECT_EQ(gAudioSamplingRateReciprocal, static_cast<float>(1.0 / 48000.0));
    EXPECT_EQ(csd_get_attr(CSD_ATTR_SAMPLING_RATE), 48000.0f);
}

TEST(GetAttr, OnlyTheRateIsKnown)
{
    for (int attr : {-101, -99, 0, 200, 500})
        EXPECT_EQ(bits(csd_get_attr(attr)), bits(0.0f)) << attr;
    EXPECT_EQ(csd_get_attr(CSD_ATTR_SAMPLING_RATE), 44100.0f);
}

TEST(Memory, BlocksComeZeroFilled)
{
    for (int size : {1, 7, 4096, 1 << 20}) {
        auto* block = static_cast<unsigned char*>(csd_mem_alloc(size));
        ASSERT_NE(block, nullptr) << size;
        int nonzero = 0;
        for (int i = 0; i < size; ++i)
            nonzero += block[i] != 0;
        EXPECT_EQ(nonzero, 0) << size;
        csd_mem_free(block, size);
    }
}

TEST(Memory, ZeroSizeIsABlockAndNegativeSizeIsRefused)
{
    void* empty = csd_mem_alloc(0);
    EXPECT_NE(empty, nullptr);
    csd_mem_free(empty, 0);
    EXPECT_EQ(csd_mem_alloc(-1), nullptr);
    EXPECT_EQ(csd_mem_alloc(std::numeric_limits<int>::min()), nullptr);
}

struct Binary {
    float a, b, expected;
};

TEST(FastHelpers, AbsClearsTheSignBit)
{
    EXPECT_EQ(bits(csd_fast_abs(-0.0f)), 0u);
    EXPECT_EQ(csd_fast_abs(-3.5f), 3.5f);
    EXPECT_EQ(csd_fast_abs(2.0f), 2.0f);
    EXPECT_EQ(csd_fast_abs(-kInf), kInf);
}

TEST(FastHelpers, MaxAndMin)
{
    const Binary maxima[] = {{1, 2, 2}, {2, 1, 2}, {-1, -2, -1}, {0.25f, 0.25f, 0.25f}, {-3, 4, 4}};
    for (const auto& c : maxima)
        EXPECT_EQ(csd_fast_max(c.a, c.b), c.expected) << c.a << " " << c.b;
    const Binary minima[] = {{1, 2, 1}, {2, 1, 1}, {-1, -2, -2}, {0.25f, 0.25f, 0.25f}, {-3, 4, -3}};
    for (const auto& c : minima)
        EXPECT_EQ(csd_fast_min(c.a, c.b), c.expected) << c.a << " " << c.b;
}

TEST(FastHelpers, ClipLimitsIntoRange)
{
    struct Case {
        float x, lo, hi, expected;
    };
    const Case cases[] = {
        {2, 0, 1, 1}, {-1, 0, 1, 0}, {0.25f, 0, 1, 0.25f}, {0, 0, 1, 0}, {1, 0, 1, 1}, {-5, -2, 3, -2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csd_fast_clip(c.x, c.lo, c.hi), c.expected) << c.x;
}

TEST(Decibels, AmplitudeToDecibels)
{
    EXPECT_EQ(bits(csd_utilities_amplitude2decibels(1.0f)), bits(0.0f));
    EXPECT_EQ(bits(csd_utilities_amplitude2decibels(-1.0f)), bits(0.0f));
    EXPECT_EQ(bits(csd_utilities_amplitude2decibels(kNaN)), bits(0.0f));
    EXPECT_EQ(csd_utilities_amplitude2decibels(0.0f), -kInf);
    EXPECT_NEAR(csd_utilities_amplitude2decibels(2.0f), 6.0206f, 5e-5f);
    EXPECT_EQ(csd_utilities_amplitude2decibels(10.0f), 20.0f);
}

TEST(Decibels, DecibelsToAmplitude)
{
    EXPECT_EQ(csd_utilities_decibels2amplitude(0.0f), 1.0f);
    EXPECT_EQ(csd_utilities_decibels2amplitude(20.0f), 10.0f);
    EXPECT_EQ(csd_utilities_decibels2amplitude(-40.0f), 0.01f);
}

TEST(Text, OnOff)
{
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {{0.0f, "Off"}, {-0.0f, "Off"}, {0.5f, "On"}, {1.0f, "On"}, {-1e-30f, "On"}, {kNaN, "On"}};
    for (const auto& c : cases) {
        char text[8] = "xxxxxxx";
        float2OnOff(c.value, text);
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

// Out-of-range and not-a-number values have no integer: they saturate, and
// not-a-number prints 0, so the text never exceeds 12 bytes.
TEST(Text, Percent)
{
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.5f, "50"},           {0.999f, "99"},        {-0.5f, "-50"},          {0.0f, "0"},
        {1.0f, "100"},          {-0.001f, "0"},        {kNaN, "0"},             {kInf, "2147483647"},
        {-kInf, "-2147483648"}, {3e7f, "2147483647"},  {-3e7f, "-2147483648"},  {2e7f, "2000000000"},
    };
    for (const auto& c : cases) {
        char text[16];
        std::memset(text, 'x', sizeof text);
        float2percent(c.value, text);
        EXPECT_STREQ(text, c.text) << c.value;
        EXPECT_EQ(text[12], 'x') << c.value;
    }
}

TEST(Text, NullTextIsIgnored)
{
    float2OnOff(1.0f, nullptr);
    float2percent(1.0f, nullptr);
}

} // namespace

#include "reverb/flush.h"

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

#include "reverb/allpass.h"
#include "reverb/comb.h"

namespace {

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }
float from_bits(std::uint32_t b) { return std::bit_cast<float>(b); }

// Zero exponent bits (zero or subnormal) become +0.0; every other pattern,
// the smallest normal numbers included, passes unchanged.
struct Pattern {
    const char* name;
    std::uint32_t in;
    std::uint32_t out;
};

const Pattern kPatterns[] = {
    {"plus zero", 0x00000000u, 0x00000000u},
    {"minus zero", 0x80000000u, 0x00000000u},
    {"smallest subnormal", 0x00000001u, 0x00000000u},
    {"smallest negative subnormal", 0x80000001u, 0x00000000u},
    {"largest subnormal", 0x007FFFFFu, 0x00000000u},
    {"largest negative subnormal", 0x807FFFFFu, 0x00000000u},
    {"smallest normal", 0x00800000u, 0x00800000u},
    {"smallest negative normal", 0x80800000u, 0x80800000u},
    {"one", 0x3F800000u, 0x3F800000u},
    {"largest normal", 0x7F7FFFFFu, 0x7F7FFFFFu},
    {"infinity", 0x7F800000u, 0x7F800000u},
    {"not a number", 0x7FC00001u, 0x7FC00001u},
};

class Flush : public ::testing::TestWithParam<Pattern> {};

TEST_P(Flush, OnTheBitPattern)
{
    EXPECT_EQ(bits(reverb_flush(from_bits(GetParam().in))), GetParam().out);
}

// The flushed value, not the stored one, is what a comb returns and feeds
// into its low-pass (damp 0, feedback 1: the state is written back as is).
TEST_P(Flush, CombReadsAndFiltersTheFlushedValue)
{
    float buffer[3] = {from_bits(GetParam().in), 0.0f, 0.0f};
    comb c;
    c.setbuffer(buffer, 3);
    c.setdamp(0.0f);
    c.setfeedback(1.0f);
    EXPECT_EQ(bits(c.process(0.0f)), GetParam().out);
    if (GetParam().in == 0x7FC00001u) {
        EXPECT_NE(buffer[0], buffer[0]); // arithmetic need not keep the payload
    } else {
        EXPECT_EQ(bits(buffer[0]), GetParam().out);
    }
}

TEST_P(Flush, AllpassReadsTheFlushedValue)
{
    float buffer[3] = {from_bits(GetParam().in), 0.0f, 0.0f};
    allpass a;
    a.setbuffer(buffer, 3);
    a.setfeedback(1.0f);
    EXPECT_EQ(bits(a.process(0.0f)), GetParam().out);
    EXPECT_EQ(bits(buffer[0]), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Reverb, Flush, ::testing::ValuesIn(kPatterns), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        if (*p != ' ')
            name += *p;
    return name;
});

// A filter state that falls below the normal range is stored as +0.0:
// half the smallest normal would otherwise be written back into the buffer.
TEST(CombFlush, SubnormalFilterStateIsStoredAsZero)
{
    float buffer[2] = {from_bits(0x00800000u), 0.0f};
    comb c;
    c.setbuffer(buffer, 2);
    c.setdamp(0.5f);
    c.setfeedback(1.0f);
    EXPECT_EQ(bits(c.process(0.0f)), 0x00800000u);
    EXPECT_EQ(bits(buffer[0]), 0u);
    // The zero state then stays zero: the next write is the input alone.
    c.process(0.0f);
    EXPECT_EQ(bits(buffer[1]), 0u);
}

} // namespace

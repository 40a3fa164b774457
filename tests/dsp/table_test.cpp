#include "dsp/table.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/dsp/bits.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class Table : public ::testing::Test {
protected:
    void make(int n, int type, float lo, float hi)
    {
        table_init(&t, n);
        ASSERT_NE(t.data, nullptr);
        table_fill(&t, type, lo, hi);
    }
    void TearDown() override { table_free(&t); }
    std::vector<float> points() const { return std::vector<float>(t.data, t.data + t.size + 1); }

    table t{};
};

struct Reading {
    float position;
    float expected;
    float tolerance; // 0: to the bit
};

struct CurveCase {
    const char* name;
    int type;
    float lo, hi;
    std::vector<Reading> readings;
};

class Curves : public Table, public ::testing::WithParamInterface<CurveCase> {};

TEST_P(Curves, ReadTheirKnownValues)
{
    const CurveCase& c = GetParam();
    make(1024, c.type, c.lo, c.hi);
    for (const Reading& r : c.readings) {
        const float v = table_lookup_clip(&t, r.position);
        if (r.tolerance == 0.0f)
            EXPECT_EQ(bits(v), bits(r.expected)) << "at " << r.position << ": " << v;
        else
            EXPECT_NEAR(v, r.expected, r.tolerance) << "at " << r.position;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Curves,
    ::testing::Values(
        CurveCase{"LowPassRange", TABLE_CURVE_EXPONENTIAL, 500, 5000,
                  {{0, 500, 0}, {0.25f, 889.14f, 0.005f}, {0.5f, 1581.14f, 0.005f}, {1, 5000, 0}}},
        CurveCase{"HighPassRange", TABLE_CURVE_EXPONENTIAL, 100, 2000,
                  {{0, 100, 0}, {0.25f, 211.47f, 0.005f}, {0.5f, 447.21f, 0.005f}, {1, 2000, 0}}},
        CurveCase{"LevelFader", TABLE_CURVE_LOG_FADER, 0.01f, 1,
                  {{0, 0, 0},
                   {0.25f, 0.51188f, 5e-6f},
                   {0.5f, 0.74036f, 5e-6f},
                   {0.75f, 0.88930f, 5e-6f},
                   {1, 1, 0}}},
        CurveCase{"HalfSine", TABLE_CURVE_HALF_SINE, 0, 0, {{0, -1, 0}, {0.5f, 0, 2e-3f}, {1, 1, 0}}},
        CurveCase{"QuarterSine", TABLE_CURVE_QUARTER_SINE, 0, 0,
                  {{0, 0, 0}, {0.5f, 0.70710678f, 1e-5f}, {1, 1, 0}}},
        CurveCase{"QuarterCosine", TABLE_CURVE_QUARTER_COSINE, 0, 0,
                  {{0, 1, 0}, {0.5f, 0.70710678f, 1e-5f}, {1, 0, 1e-7f}}},
        // A window of 60 dB: level 0.1 (-20 dB) sits a third of the way down.
        CurveCase{"Decibel", TABLE_CURVE_DECIBEL, 1, 60, {{1, 1, 0}, {0.1f, 2.0f / 3.0f, 1e-3f}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Table, GuardCopiesTheLastPointForEveryType)
{
    for (int type : {TABLE_CURVE_EXPONENTIAL, TABLE_CURVE_LOG_FADER, TABLE_CURVE_DECIBEL, TABLE_CURVE_HALF_SINE,
                     TABLE_CURVE_QUARTER_SINE, TABLE_CURVE_QUARTER_COSINE}) {
        table_init(&t, 16);
        table_fill(&t, type, 0.5f, 8.0f);
        EXPECT_EQ(bits(t.data[16]), bits(t.data[15])) << type;
        table_free(&t);
    }
    make(16, 801, 1, 2); // unknown type: only the guard is refreshed
    t.data[15] = 3.0f;
    table_fill(&t, 801, 1, 2);
    EXPECT_EQ(t.data[16], 3.0f);
}

TEST_F(Table, UnknownTypeLeavesThePointsZero)
{
    make(1024, 801, 500, 5000);
    for (float v : points())
        ASSERT_EQ(bits(v), 0u);
}

TEST_F(Table, LevelFaderIgnoresLoAndTakesZeroHiAsOne)
{
    make(1024, TABLE_CURVE_LOG_FADER, 0.01f, 1);
    const std::vector<float> reference = points();
    table_fill(&t, TABLE_CURVE_LOG_FADER, 0.5f, 1);
    EXPECT_EQ(points(), reference);
    table_fill(&t, TABLE_CURVE_LOG_FADER, 0.01f, 0);
    EXPECT_EQ(points(), reference);
}

// The first point stands for minus infinity decibels, where the clamp formula
// would give no number; it holds the clamp's limit, 0.
TEST_F(Table, DecibelFirstPointIsZeroAndEveryPointInRange)
{
    make(1024, TABLE_CURVE_DECIBEL, 1, 60);
    EXPECT_EQ(bits(t.data[0]), 0u);
    EXPECT_EQ(bits(table_lookup_clip(&t, 0)), 0u);
    for (float v : points()) {
        ASSERT_GE(v, 0.0f);
        ASSERT_LE(v, 1.0f);
    }
}

TEST_F(Table, PositionsOutsideTheRangeClamp)
{
    make(1024, TABLE_CURVE_EXPONENTIAL, 500, 5000);
    struct Case {
        float position;
        float same_as;
    };
    const Case cases[] = {{-3, 0}, {7, 1}, {kNaN, 1}, {-std::numeric_limits<float>::infinity(), 0},
                          {std::numeric_limits<float>::infinity(), 1}};
    for (const auto& c : cases)
        EXPECT_EQ(table_lookup_clip(&t, c.position), table_lookup_clip(&t, c.same_as)) << c.position;
}

TEST_F(Table, BipolarMapsMinusOneToOneOntoTheCurve)
{
    make(1024, TABLE_CURVE_EXPONENTIAL, 100, 2000);
    struct Case {
        float position;
        float same_as;
    };
    const Case cases[] = {{-1, 0}, {0, 0.5f}, {1, 1}, {-5, 0}, {5, 1}, {kNaN, 0}, {0.5f, 0.75f}};
    for (const auto& c : cases)
        EXPECT_EQ(bits(table_lookup_clip_bipolar(&t, c.position)), bits(table_lookup_clip(&t, c.same_as)))
            << c.position;
}

// The interpolation runs in double and rounds once; in single precision these
// fixtures would come out one bit different.
TEST_F(Table, InterpolationIsRoundedOnce)
{
    table_init(&t, 2);
    const float a = 0x1.000002p+0f, b = 0x1.800002p+1f;
    t.data[0] = a;
    t.data[1] = b;
    t.data[2] = b;
    auto single = [&](float f) { return a * (1.0f - f) + b * f; };
    auto once = [&](float f) {
        return static_cast<float>(static_cast<double>(a) * (1.0 - f) + static_cast<double>(b) * f);
    };

    const float f = 0x1.9a0276p-4f;
    ASSERT_NE(single(f), once(f));
    EXPECT_EQ(bits(table_lookup_clip(&t, f)), bits(once(f)));

    const float position = -0x1.ccccaap-1f;
    const float u = (position + 1.0f) * 0.5f;
    ASSERT_NE(single(u), once(u));
    EXPECT_EQ(bits(table_lookup_clip_bipolar(&t, position)), bits(once(u)));
}

TEST_F(Table, PositionOneReturnsTheLastPointExactly)
{
    make(1024, TABLE_CURVE_QUARTER_SINE, 0, 0);
    t.data[1024] = 1e30f; // a guard read with weight 0 must not show
    EXPECT_EQ(table_lookup_clip(&t, 1.0f), t.data[1023]);
}

TEST_F(Table, FillWithoutStorageWritesNothing)
{
    table empty{8, nullptr};
    table_fill(&empty, TABLE_CURVE_EXPONENTIAL, 1, 2);
    EXPECT_EQ(empty.data, nullptr);
    EXPECT_EQ(empty.size, 8);
}

TEST_F(Table, InitZeroesTheBlockAndFreeReleasesIt)
{
    table_init(&t, 1024);
    ASSERT_NE(t.data, nullptr);
    EXPECT_EQ(t.size, 1024);
    for (float v : points())
        ASSERT_EQ(bits(v), 0u);
    table_free(&t);
    EXPECT_EQ(t.data, nullptr);
}

} // namespace

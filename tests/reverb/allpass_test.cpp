#include "reverb/allpass.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

struct Allpass {
    explicit Allpass(int size, float feedback = 0.5f) : storage(size, 0.0f)
    {
        unit.setbuffer(storage.data(), size);
        unit.setfeedback(feedback);
        unit.mute();
    }
    std::vector<float> storage;
    allpass unit;
};

TEST(AllpassUnit, ReturnsMinusInputWhileTheBufferHoldsZeros)
{
    Allpass a(8);
    for (float x : {1.0f, -0.5f, 0.25f, 3.0f, 0.0f, -7.0f, 2.0f, 1e-3f})
        EXPECT_EQ(a.unit.process(x), -x);
}

TEST(AllpassUnit, ImpulseReturnsAfterExactlySizeSteps)
{
    for (int size : {1, 3, 556}) {
        Allpass a(size);
        EXPECT_EQ(a.unit.process(1.0f), -1.0f);
        for (int step = 1; step < size; ++step)
            ASSERT_EQ(a.unit.process(0.0f), 0.0f) << size << " " << step;
        EXPECT_EQ(a.unit.process(0.0f), 1.0f) << size;
    }
}

// With size 1 each step uses the value written on the step before.
TEST(AllpassUnit, SizeOneUsesThePreviousWrite)
{
    Allpass a(1, 0.5f);
    EXPECT_EQ(a.unit.process(1.0f), -1.0f); // writes 1
    EXPECT_EQ(a.unit.process(0.0f), 1.0f);  // writes 0 + 1 × 0.5
    EXPECT_EQ(a.unit.process(0.25f), 0.25f); // 0.5 - 0.25, writes 0.25 + 0.25
    EXPECT_EQ(a.storage[0], 0.5f);
}

TEST(AllpassUnit, FeedbackOfOneDoesNotDecay)
{
    Allpass a(2, 1.0f);
    a.unit.process(1.0f);
    for (int turn = 0; turn < 100; ++turn) {
        a.unit.process(0.0f);
        ASSERT_EQ(a.unit.process(0.0f), 1.0f) << turn;
    }
}

TEST(AllpassUnit, MuteKeepsTheIndex)
{
    Allpass a(3);
    a.unit.process(0.0f);
    a.unit.mute();
    a.storage[1] = 4.0f;
    EXPECT_EQ(a.unit.process(1.0f), 3.0f); // reads position 1
    EXPECT_EQ(a.storage[1], 3.0f);         // 1 + 4 × 0.5
}

TEST(AllpassUnit, SettersStoreAnyValue)
{
    allpass a;
    for (float v : {0.5f, -3.0f, 1.5f}) {
        a.setfeedback(v);
        EXPECT_EQ(a.getfeedback(), v);
    }
}

} // namespace

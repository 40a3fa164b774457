#include "reverb/comb.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

struct Comb {
    explicit Comb(int size, float feedback = 0.5f, float damp = 0.2f) : storage(size, 0.0f)
    {
        unit.setbuffer(storage.data(), size);
        unit.setfeedback(feedback);
        unit.setdamp(damp);
        unit.mute();
    }
    std::vector<float> storage;
    comb unit;
};

TEST(CombUnit, ImpulseReturnsAfterExactlySizeSteps)
{
    for (int size : {1, 2, 7, 1116}) {
        Comb c(size);
        EXPECT_EQ(c.unit.process(1.0f), 0.0f);
        for (int step = 1; step < size; ++step)
            ASSERT_EQ(c.unit.process(0.0f), 0.0f) << size << " " << step;
        EXPECT_EQ(c.unit.process(0.0f), 1.0f) << size;
    }
}

// With size 1 each step returns the value written on the step before.
TEST(CombUnit, SizeOneReturnsThePreviousWrite)
{
    Comb c(1, 0.5f, 0.0f);
    EXPECT_EQ(c.unit.process(1.0f), 0.0f); // writes 1 + 0 × 0.5
    EXPECT_EQ(c.unit.process(0.0f), 1.0f); // state 1, writes 0 + 1 × 0.5
    EXPECT_EQ(c.unit.process(0.0f), 0.5f);
    EXPECT_EQ(c.storage[0], 0.25f);
}

TEST(CombUnit, DampWeighsTheStateAndUndampTheRead)
{
    for (float damp : {0.3f, 0.0f, 1.0f, 1.5f, -0.25f}) {
        std::vector<float> storage = {2.0f};
        comb c;
        c.setbuffer(storage.data(), 1);
        c.setfeedback(1.0f);
        c.setdamp(damp);
        EXPECT_EQ(c.getdamp(), damp);
        const float undamp = 1.0f - damp;
        c.process(0.0f); // state = 2 × undamp
        EXPECT_EQ(storage[0], 2.0f * undamp) << damp;
        const float state = 2.0f * undamp;
        c.process(0.0f); // state = read × undamp + state × damp
        EXPECT_EQ(storage[0], state * undamp + state * damp) << damp;
    }
}

// mute clears the buffer only: the filter state keeps decaying by damp and is
// written back through the feedback while the outputs stay silent.
TEST(CombUnit, MuteKeepsTheFilterState)
{
    std::vector<float> storage = {1.0f, 0.0f, 0.0f, 0.0f};
    comb c;
    c.setbuffer(storage.data(), 4);
    c.setfeedback(1.0f);
    c.setdamp(0.5f);
    EXPECT_EQ(c.process(0.0f), 1.0f); // state 0.5
    c.mute();
    for (float v : storage)
        EXPECT_EQ(v, 0.0f);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.process(0.0f), 0.0f) << i;
    EXPECT_EQ(storage, (std::vector<float>{0.03125f, 0.25f, 0.125f, 0.0625f}));
    EXPECT_EQ(c.process(0.0f), 0.25f);
}

TEST(CombUnit, FeedbackOfOneDoesNotDecay)
{
    Comb c(3, 1.0f, 0.0f);
    c.unit.process(1.0f);
    for (int turn = 0; turn < 100; ++turn) {
        c.unit.process(0.0f);
        c.unit.process(0.0f);
        ASSERT_EQ(c.unit.process(0.0f), 1.0f) << turn;
    }
}

TEST(CombUnit, SettersStoreAnyValue)
{
    comb c;
    for (float v : {0.84f, -2.5f, 1.0f, 0.0f}) {
        c.setfeedback(v);
        EXPECT_EQ(c.getfeedback(), v);
    }
}

// setbuffer keeps the position: the next step reads the new buffer there.
TEST(CombUnit, SetbufferKeepsTheIndex)
{
    Comb c(4, 0.0f, 0.0f);
    c.unit.process(0.0f);
    c.unit.process(0.0f);
    std::vector<float> other = {10.0f, 11.0f, 12.0f, 13.0f};
    c.unit.setbuffer(other.data(), 4);
    EXPECT_EQ(c.unit.process(0.0f), 12.0f);
}

} // namespace

// The decay curve and RT60 estimate behind --plot.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/render/decay.h"

namespace {

// Energy bins of an exponential decay that loses 60 dB in `rt60` seconds.
std::vector<double> exponentialDecay(double rt60, double seconds, double binSeconds) {
    std::vector<double> e(static_cast<size_t>(seconds / binSeconds));
    for (size_t i = 0; i < e.size(); ++i) e[i] = std::pow(10.0, -6.0 * (i * binSeconds) / rt60);
    return e;
}

TEST(Decay, CurveStartsAtZeroDbAndFallsToTheFloorAfterTheLastEnergy) {
    const auto curve = energyDecayCurveDb({1, 1, 1, 1, 0, 0});
    EXPECT_DOUBLE_EQ(curve[0], 0.0);
    EXPECT_NEAR(curve[2], 10 * std::log10(0.5), 1e-12);
    EXPECT_DOUBLE_EQ(curve[4], -200.0);
    EXPECT_DOUBLE_EQ(curve[5], -200.0);
}

TEST(Decay, SilenceGivesTheFloorAndNoEstimate) {
    const auto curve = energyDecayCurveDb(std::vector<double>(100, 0.0));
    for (double v : curve) EXPECT_DOUBLE_EQ(v, -200.0);
    EXPECT_FALSE(estimateRt60(curve, 0.001).valid);
}

TEST(Decay, Rt60OfAnExponentialDecayIsFound) {
    for (double rt60 : {0.3, 1.0, 2.5}) {
        // Long enough that the integral's truncation stays below -35 dB.
        const auto curve = energyDecayCurveDb(exponentialDecay(rt60, rt60 * 1.5, 0.001));
        const Rt60Estimate e = estimateRt60(curve, 0.001);
        ASSERT_TRUE(e.valid) << rt60;
        EXPECT_NEAR(e.seconds, rt60, rt60 * 0.03) << rt60;
        EXPECT_EQ(e.toDb, -35.0);
    }
}

TEST(Decay, AShortTailFallsBackToTheRangeItReaches) {
    // 2 s of a 6 s decay: the curve stops near -20 dB, so the fit ends at -15 dB.
    const auto curve = energyDecayCurveDb(exponentialDecay(6.0, 2.0, 0.001));
    const Rt60Estimate e = estimateRt60(curve, 0.001);
    ASSERT_TRUE(e.valid);
    EXPECT_EQ(e.toDb, -15.0);
}

TEST(Decay, AFrozenTailHasNoEstimate) {
    const auto curve = energyDecayCurveDb(std::vector<double>(2000, 1.0));
    EXPECT_FALSE(estimateRt60(curve, 0.001).valid) << describeRt60(estimateRt60(curve, 0.001));
}

}  // namespace

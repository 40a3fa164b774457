// Parameter names, labels, display texts and what setting a value changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/effect/probe.h"

namespace {

std::string display(TarnwellProbe& effect, VstInt32 index)
{
    char text[64] = {};
    effect.dispatch(effGetParamDisplay, index, 0, text);
    return text;
}

TEST(Parameters, NamesAndLabels)
{
    const struct {
        VstInt32 index;
        const char* name;
        const char* label;  // null: the caller's text stays
    } cases[] = {
        {kPreDelay, "PreDelay", "ms"}, {kPreDelaySw, "PrDly Sw", nullptr},
        {kRoomSize, "RoomSize", "size"}, {kMode, "Mode", "mode"},
        {kLPFilter, "LPFilter", "Hz"}, {kHPFilter, "HPFilter", "Hz"},
        {kHPReson, "HP Reson", nullptr}, {kBitRot, "Bit Rot", "rate"},
        {kBitRotSw, "BitRotSw", nullptr}, {kInLevel, "InLevel", "dB"},
        {kInputSw, "Input Sw", nullptr}, {kWetLevel, "WetLevel", "dB"},
        {kWetSw, "Wet Sw", nullptr}, {kDryLevel, "DryLevel", "dB"},
        {kDrySw, "Dry Sw", nullptr}, {kMHoldSw, "MHold Sw", nullptr},
        {kMSizeSw, "MSize Sw", nullptr}, {kMLevelSw, "MLevelSw", nullptr},
    };
    TarnwellProbe effect(nullptr);
    for (const auto& c : cases) {
        char name[64] = "untouched";
        char label[64] = "untouched";
        effect.dispatch(effGetParamName, c.index, 0, name);
        effect.dispatch(effGetParamLabel, c.index, 0, label);
        EXPECT_STREQ(name, c.name);
        EXPECT_STREQ(label, c.label ? c.label : "untouched") << c.name;
    }
    for (VstInt32 index : {-1, 18, 1000}) {
        char text[64] = "untouched";
        effect.dispatch(effGetParamName, index, 0, text);
        effect.dispatch(effGetParamLabel, index, 0, text);
        effect.dispatch(effGetParamDisplay, index, 0, text);
        EXPECT_STREQ(text, "untouched");
        EXPECT_EQ(effect.getParameter(index), 0.0f);
    }
}

TEST(Parameters, DisplayTexts)
{
    const struct {
        VstInt32 index;
        float value;
        const char* text;
    } cases[] = {
        {kPreDelay, 0.5f, "200.0000"},
        {kPreDelay, 1.0f, "400.0000"},
        {kPreDelay, 0.0012f, "0.000000"},  // 0.48 ms: whole milliseconds
        {kRoomSize, 0.25f, "0.769999"},
        {kRoomSize, 1.0f, "0.980000"},
        {kMode, 0.49f, "Normal"},
        {kMode, 0.5f, "Hold"},
        {kLPFilter, 0.5f, "1581.139"},
        {kHPFilter, 0.2f, "182.0566"},
        {kHPReson, 0.5f, "0.500000"},
        {kBitRot, 0.0f, "1.000000"},
        {kBitRot, 1.0f, "0.050000"},
        {kInLevel, 1.0f, "0.000000"},
        {kWetLevel, 0.5f, "-2.61111"},
        {kDryLevel, 0.0f, "-\xB0"},
        {kPreDelaySw, 0.0f, "Off"},
        {kInputSw, 0.5f, "On"},
        {kMLevelSw, -0.0f, "Off"},
    };
    for (const auto& c : cases) {
        TarnwellProbe effect(nullptr);
        effect.setParameter(c.index, c.value);
        EXPECT_EQ(display(effect, c.index), c.text) << c.index << " " << c.value;
    }
}

TEST(Parameters, LevelDisplayIgnoresItsSwitch)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kInLevel, 0.5f);
    effect.setParameter(kInputSw, 0.0f);
    EXPECT_EQ(display(effect, kInLevel), "-2.61111");
    EXPECT_EQ(effect.inputGain, 0.0f);
}

TEST(Parameters, SwitchesScaleTheirLevels)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kInputSw, 0.5f);
    EXPECT_EQ(effect.inputGain, 0.5f);
    effect.setParameter(kWetLevel, 0.5f);
    const float wetAtHalf = effect.wetGain;
    EXPECT_NEAR(wetAtHalf, 0.74036f, 1e-5f);
    effect.setParameter(kWetSw, 2.0f);
    EXPECT_EQ(effect.wetGain, wetAtHalf * 2.0f);
    effect.setParameter(kDrySw, 0.0f);
    EXPECT_EQ(effect.dryGain, 0.0f);
}

TEST(Parameters, EngineSettings)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kPreDelay, 0.25f);  // applied while switched off
    EXPECT_EQ(effect.preDelayL.length, 4410u);
    EXPECT_EQ(effect.preDelayR.length, 4410u);
    effect.setParameter(kHPReson, 0.5f);
    EXPECT_EQ(effect.hpFilterL.resonance, static_cast<float>(0.5 * 9.8));
    effect.setParameter(kBitRot, 0.5f);
    EXPECT_EQ(effect.bitRotR.ratio, static_cast<float>(1.0 - 0.5 * 0.95));
    effect.setParameter(kLPFilter, 1.0f);
    EXPECT_EQ(effect.lpCutoff, 5000.0f);
    EXPECT_EQ(effect.lpFilterR.cutoff, 5000.0f);
    effect.setParameter(kHPFilter, 7.0f);  // the curve clamps
    EXPECT_EQ(effect.hpCutoff, 2000.0f);
    EXPECT_EQ(effect.getParameter(kHPFilter), 7.0f);
}

// Switching the pre-delay on applies the stored time again, so a delay line
// moved by other means follows the parameter once more.
TEST(Parameters, PreDelaySwitchReappliesTheTime)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kPreDelay, 0.5f);
    delay_set_attr(&effect.preDelayL, DELAY_ATTR_TIME_SAMPLES, 10.0f);
    effect.setParameter(kPreDelaySw, 0.0f);
    EXPECT_EQ(effect.preDelayL.length, 10u);
    effect.setParameter(kPreDelaySw, 1.0f);
    EXPECT_EQ(effect.preDelayL.length, 8820u);
}

TEST(Parameters, ValuesAreStoredAsGivenAndIntoTheProgram)
{
    TarnwellProbe effect(nullptr);
    effect.dispatch(effSetProgram, 0, 4);
    effect.setParameter(kRoomSize, 1.5f);
    EXPECT_EQ(effect.getParameter(kRoomSize), 1.5f);
    EXPECT_EQ(effect.programs[4].values[kRoomSize], 1.5f);
    EXPECT_EQ(effect.roomSize, 1.5f * 0.28f + 0.7f);
    effect.setParameter(18, 0.5f);  // no such parameter: nothing changes
    for (VstInt32 i = 0; i < kNumParams; ++i)
        EXPECT_EQ(effect.programs[4].values[i], effect.getParameter(i));
}

TEST(Parameters, NonFiniteValuesAreIgnored)
{
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (VstInt32 index = 0; index < kNumParams; ++index) {
        for (float value : bad) {
            TarnwellProbe effect(nullptr);
            TarnwellProbe reference(nullptr);
            effect.dispatch(effSetProgram, 0, 6);
            reference.dispatch(effSetProgram, 0, 6);
            effect.getAeffect()->setParameter(effect.getAeffect(), index, value);
            EXPECT_EQ(bits(effect.getParameter(index)), bits(reference.getParameter(index)));
            EXPECT_EQ(bits(effect.programs[6].values[index]),
                      bits(reference.programs[6].values[index]));
            const Stereo in = noise(1024, 3);
            EXPECT_TRUE(sameBits(render(effect, in).left, render(reference, in).left)) << index;
        }
    }
}

}  // namespace

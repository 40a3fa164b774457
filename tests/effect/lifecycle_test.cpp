// Construction, the effect record, suspend and resume, the display read-out.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "tests/effect/probe.h"

namespace {

TEST(Lifecycle, RecordAfterConstruction)
{
    TarnwellProbe effect(nullptr);
    const AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->numPrograms, 10);
    EXPECT_EQ(e->numParams, 18);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsCanMono | effFlagsCanReplacing);  // 24: no editor in this build
    EXPECT_EQ(e->uniqueID, vstFourCC('Q', 'm', 't', 'w'));
    EXPECT_EQ(e->object, static_cast<AudioEffect*>(&effect));
    EXPECT_EQ(effect.editor, nullptr);
}

TEST(Lifecycle, StartsWithProgramZeroAnEmptyTankAndTheIndicatorLit)
{
    TarnwellProbe effect(nullptr);
    EXPECT_EQ(effect.dispatch(effGetProgram), 0);
    for (VstInt32 i = 0; i < kNumParams; ++i)
        EXPECT_EQ(bits(effect.getParameter(i)), bits(kFactoryPrograms[0].values[i])) << i;
    EXPECT_TRUE(effect.tankSilent());
    EXPECT_EQ(effect.midiLevel, 1.0f);
    EXPECT_EQ(effect.tankGain, 0.015f);

    float peaks[6];
    int flag = -1;
    effect.getDisplayValues(peaks[0], peaks[1], peaks[2], peaks[3], peaks[4], peaks[5], flag);
    for (float p : peaks)
        EXPECT_EQ(bits(p), 0u);
    EXPECT_EQ(flag, 1);
}

TEST(Lifecycle, ResumeAsksForMidiAndConstructionCallsItOnce)
{
    RecordingHost::calls().clear();
    TarnwellProbe effect(&RecordingHost::callback);
    EXPECT_EQ(std::count(RecordingHost::calls().begin(), RecordingHost::calls().end(),
                         audioMasterWantMidi),
              1);
    RecordingHost::calls().clear();
    effect.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(RecordingHost::calls(), std::vector<VstInt32>{audioMasterWantMidi});
    RecordingHost::calls().clear();
    effect.dispatch(effMainsChanged, 0, 0);
    EXPECT_TRUE(RecordingHost::calls().empty());
}

// Switching off and on clears a free tank but keeps a held one; the modules keep
// their memories either way.
TEST(Lifecycle, SuspendAndResumeClearOnlyAFreeTank)
{
    for (bool held : {false, true}) {
        for (VstInt32 mains : {0, 1}) {
            TarnwellProbe effect(nullptr);
            render(effect, noise(2048));
            if (held)
                effect.setParameter(kMode, 1.0f);
            const double lowPassMemory = effect.lpFilterL.y1;
            effect.dispatch(effMainsChanged, 0, mains);
            EXPECT_EQ(effect.tankSilent(), !held) << held << mains;
            EXPECT_EQ(effect.lpFilterL.y1, lowPassMemory);
        }
    }
}

TEST(Lifecycle, IndicatorGoesDarkAfter8820Samples)
{
    TarnwellProbe effect(nullptr);
    float p[6];
    int flag = 0;
    render(effect, Stereo(8819), 1000);
    effect.getDisplayValues(p[0], p[1], p[2], p[3], p[4], p[5], flag);
    EXPECT_EQ(flag, 1);
    render(effect, Stereo(1), 1);
    effect.getDisplayValues(p[0], p[1], p[2], p[3], p[4], p[5], flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(effect.midiActivity, 0);
}

TEST(Lifecycle, ReadOutClampsACountBelowZero)
{
    TarnwellProbe effect(nullptr);
    render(effect, Stereo(9000), 9000);
    float p[6];
    int flag = 1;
    effect.getDisplayValues(p[0], p[1], p[2], p[3], p[4], p[5], flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(effect.midiActivity, 0);
}

// Left alone for hours the count would run past the smallest int.
TEST(Lifecycle, ActivityCountDoesNotOverflow)
{
    TarnwellProbe effect(nullptr);
    effect.midiActivity = INT_MIN + 10;
    Stereo in(64), out(64);
    effect.processReplacing(in.ptrs(), out.ptrs(), 64);
    effect.process(in.ptrs(), out.ptrs(), 64);
    EXPECT_LE(effect.midiActivity, 0);
    float p[6];
    int flag = 1;
    effect.getDisplayValues(p[0], p[1], p[2], p[3], p[4], p[5], flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(effect.midiActivity, 0);
}

TEST(Lifecycle, HostRateChangesNoTimeConstant)
{
    TarnwellProbe reference(nullptr);
    TarnwellProbe effect(nullptr);
    effect.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    effect.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f);
    for (VstInt32 program : {0, 6}) {
        reference.dispatch(effSetProgram, 0, program);
        effect.dispatch(effSetProgram, 0, program);
        EXPECT_EQ(effect.preDelayL.length, reference.preDelayL.length);
        EXPECT_EQ(effect.lpFilterL.a1, reference.lpFilterL.a1);
        EXPECT_EQ(effect.hpFilterL.freq, reference.hpFilterL.freq);
        const Stereo in = noise(4096, 7);
        EXPECT_TRUE(sameBits(render(effect, in).left, render(reference, in).left));
    }
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.preDelayL.length, 17640u);  // 400 ms at 44.1 kHz
}

TEST(Lifecycle, IdentityAndCapabilities)
{
    TarnwellProbe effect(nullptr);
    char text[64] = {};
    EXPECT_EQ(effect.dispatch(effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "Tarnwell");
    EXPECT_EQ(effect.dispatch(effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Quillmoor, Inc.");
    EXPECT_EQ(effect.dispatch(effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Tarnwell");

    const struct {
        const char* text;
        VstIntPtr answer;
    } cases[] = {{"receiveVstMidiEvent", 1}, {"plugAsChannelInsert", 1}, {"plugAsSend", 1},
                 {"1in1out", 1}, {"1in2out", 1}, {"2in2out", 1}, {"receiveVstEvents", 0},
                 {"2in2outX", 0}, {"2in2", 0}, {"bypass", 0}, {"", 0}};
    for (const auto& c : cases) {
        std::string copy = c.text;
        EXPECT_EQ(effect.dispatch(effCanDo, 0, 0, copy.data()), c.answer) << c.text;
    }
    EXPECT_EQ(effect.dispatch(effCanDo, 0, 0, nullptr), 0);
}

}  // namespace

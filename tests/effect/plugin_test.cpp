// The built plug-in, loaded as a host loads it: through dlopen, its entry
// point and its effect record only.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/effect/probe.h"
#include "tests/host/test_host.h"

namespace {

using testhost::dispatch;

struct LoadedTarnwell : ::testing::Test {
    testhost::RecordingHost host;
    testhost::PluginLibrary plugin{TARNWELL_PLUGIN_PATH};
    AEffect* effect = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(plugin.isLoaded()) << plugin.error();
        effect = plugin.instantiate(host.callback());
        ASSERT_NE(effect, nullptr);
        dispatch(effect, effOpen);
        dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
        dispatch(effect, effSetBlockSize, 0, 512);
        dispatch(effect, effMainsChanged, 0, 1);
    }
    void TearDown() override
    {
        if (effect) {
            EXPECT_EQ(testhost::closeEffect(effect), 1);
        }
    }

    std::string text(VstInt32 opcode, VstInt32 index = 0)
    {
        char buffer[256] = {};
        dispatch(effect, opcode, index, 0, buffer);
        return buffer;
    }

    Stereo run(Stereo input, VstInt32 block = 512)
    {
        Stereo output(input.frames());
        for (size_t start = 0; start < input.frames(); start += block) {
            const VstInt32 n =
                static_cast<VstInt32>(std::min<size_t>(block, input.frames() - start));
            float* in[2] = {input.left.data() + start, input.right.data() + start};
            float* out[2] = {output.left.data() + start, output.right.data() + start};
            effect->processReplacing(effect, in, out, n);
        }
        return output;
    }
};

TEST_F(LoadedTarnwell, EntryPointsAreOneFunction)
{
    void* macho = plugin.symbol("main_macho");
    ASSERT_NE(macho, nullptr);
    EXPECT_EQ(plugin.symbol("VSTPluginMain"), macho);
    EXPECT_EQ(plugin.symbol("main"), macho);
}

TEST_F(LoadedTarnwell, Record)
{
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 10);
    EXPECT_EQ(effect->numParams, 18);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, TARNWELL_PLUGIN_HAS_EDITOR ? 25 : 24);
    EXPECT_EQ(effect->uniqueID, vstFourCC('Q', 'm', 't', 'w'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_NE(effect->processReplacing, nullptr);
    const char zeros[sizeof effect->future] = {};
    EXPECT_EQ(std::memcmp(effect->future, zeros, sizeof zeros), 0);
    EXPECT_EQ(host.count(audioMasterWantMidi), 2u);  // construction and switching on
}

TEST_F(LoadedTarnwell, Answers)
{
    EXPECT_EQ(text(effGetEffectName), "Tarnwell");
    EXPECT_EQ(text(effGetVendorString), "Quillmoor, Inc.");
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2300);
    EXPECT_EQ(dispatch(effect, effGetChunk), 0);
    char midi[] = "receiveVstMidiEvent";
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, midi), 1);
    EXPECT_EQ(text(effGetProgramName), "Metal Room");
    EXPECT_EQ(text(effGetParamName, kLPFilter), "LPFilter");
    EXPECT_EQ(text(effGetParamLabel, kLPFilter), "Hz");
    EXPECT_EQ(text(effGetParamDisplay, kLPFilter), "1581.139");
    EXPECT_EQ(text(effGetParamDisplay, kHPFilter), "182.0566");
    dispatch(effect, effSetProgram, 0, 6);
    EXPECT_EQ(text(effGetProgramName), "Rotten To The Core");
    EXPECT_EQ(effect->getParameter(effect, kDrySw), 0.0f);
    EXPECT_EQ(host.count(audioMasterAutomate), 0u);
}

// The loaded plug-in computes what the effect linked into this test computes.
TEST_F(LoadedTarnwell, SoundsLikeTheEffectItself)
{
    for (VstInt32 program : {0, 6}) {
        AEffect* fresh = plugin.instantiate(host.callback());
        ASSERT_NE(fresh, nullptr);
        std::swap(fresh, effect);
        dispatch(effect, effMainsChanged, 0, 1);
        TarnwellProbe reference(nullptr);
        reference.dispatch(effSetProgram, 0, program);
        dispatch(effect, effSetProgram, 0, program);
        const Stereo in = noise(30000, 21);
        const Stereo mine = run(in);
        const Stereo expected = render(reference, in, 512);
        EXPECT_TRUE(sameBits(mine.left, expected.left)) << program;
        EXPECT_TRUE(sameBits(mine.right, expected.right)) << program;
        std::swap(fresh, effect);
        EXPECT_EQ(testhost::closeEffect(fresh), 1);
    }
}

TEST_F(LoadedTarnwell, ImpulseReachesTheOutputAfterTheShortestComb)
{
    effect->setParameter(effect, kDrySw, 0.0f);
    Stereo in(4096);
    in.left[0] = 1.0f;
    const Stereo out = run(in);
    size_t first = 0;
    while (first < out.frames() && out.left[first] == 0.0f)
        ++first;
    EXPECT_EQ(first, 1116u);
}

TEST_F(LoadedTarnwell, MidiThroughTheDispatcher)
{
    effect->setParameter(effect, kMHoldSw, 1.0f);
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.midiData[0] = static_cast<char>(0x90);
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&note);
    EXPECT_EQ(dispatch(effect, effProcessEvents, 0, 0, &events), 1);
    EXPECT_EQ(text(effGetParamDisplay, kMode), "Hold");
    note.midiData[2] = 0;
    dispatch(effect, effProcessEvents, 0, 0, &events);
    EXPECT_EQ(text(effGetParamDisplay, kMode), "Normal");
}

// A host without chunks saves names and values and restores them into a new
// instance of the plug-in.
TEST_F(LoadedTarnwell, StateMovesToANewInstance)
{
    dispatch(effect, effSetProgram, 0, 2);
    effect->setParameter(effect, kHPReson, 0.6f);
    char name[] = "Edited";
    dispatch(effect, effSetProgramName, 0, 0, name);

    AEffect* second = plugin.instantiate(host.callback());
    ASSERT_NE(second, nullptr);
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        dispatch(effect, effSetProgram, 0, p);
        dispatch(second, effSetProgram, 0, p);
        std::string saved = text(effGetProgramName);
        dispatch(second, effSetProgramName, 0, 0, saved.data());
        for (VstInt32 i = 0; i < kNumParams; ++i)
            second->setParameter(second, i, effect->getParameter(effect, i));
    }
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        char a[64] = {}, b[64] = {};
        dispatch(effect, effGetProgramNameIndexed, p, 0, a);
        dispatch(second, effGetProgramNameIndexed, p, 0, b);
        EXPECT_STREQ(a, b);
        dispatch(effect, effSetProgram, 0, p);
        dispatch(second, effSetProgram, 0, p);
        for (VstInt32 i = 0; i < kNumParams; ++i)
            EXPECT_EQ(bits(second->getParameter(second, i)), bits(effect->getParameter(effect, i)));
    }
    dispatch(second, effSetProgram, 0, 2);
    char b[64] = {};
    dispatch(second, effGetProgramName, 0, 0, b);
    EXPECT_STREQ(b, "Edited");
    EXPECT_EQ(second->getParameter(second, kHPReson), 0.6f);
    EXPECT_EQ(testhost::closeEffect(second), 1);
}

TEST(LoadedTarnwellEntry, HostWithoutVersionGetsNothing)
{
    testhost::RecordingHost host;
    host.setAnswer(audioMasterVersion, 0);
    testhost::PluginLibrary plugin(TARNWELL_PLUGIN_PATH);
    ASSERT_TRUE(plugin.isLoaded()) << plugin.error();
    EXPECT_EQ(plugin.instantiate(host.callback()), nullptr);
}

}  // namespace

// What a host gets back through the record's dispatcher, from both layers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/frame/test_effect.h"
#include "tests/host/test_host.h"

namespace {

using testhost::dispatch;

// A scratch buffer for opcodes that need a pointer; null when the case wants one.
struct Call {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    bool withBuffer;
};

struct AnswerCase {
    const char* what;
    Call call;
    VstIntPtr answer;
};

TEST(Dispatcher, DefaultAnswersOfBothLayers) {
    const std::vector<AnswerCase> cases = {
        {"effOpen", {effOpen, 0, 0, 0, false}, 0},
        {"effGetProgram", {effGetProgram, 0, 0, 0, false}, 0},
        {"effGetVu", {effGetVu, 0, 0, 0, false}, 0},
        {"effIdentify", {effIdentify, 0, 0, 0, false}, 0x4E764566},
        {"effGetChunk", {effGetChunk, 0, 0, 0, true}, 0},
        {"effSetChunk", {effSetChunk, 0, 16, 0, true}, 0},
        {"effEditGetRect without editor", {effEditGetRect, 0, 0, 0, true}, 0},
        {"effEditOpen without editor", {effEditOpen, 0, 0, 0, true}, 0},
        {"effEditMouse without editor", {effEditMouse, 3, 4, 0, false}, 0},
        {"effEditKey without editor", {effEditKey, 0, 65, 0, false}, 0},
        {"effProcessEvents", {effProcessEvents, 0, 0, 0, true}, 0},
        {"effCanBeAutomated", {effCanBeAutomated, 17, 0, 0, false}, 1},
        {"effString2Parameter", {effString2Parameter, 0, 0, 0, true}, 0},
        {"effGetNumProgramCategories", {effGetNumProgramCategories, 0, 0, 0, false}, 1},
        {"effGetProgramNameIndexed", {effGetProgramNameIndexed, 0, 0, 0, true}, 0},
        {"effCopyProgram", {effCopyProgram, 1, 0, 0, false}, 0},
        {"effConnectInput", {effConnectInput, 7, 0, 0, false}, 1},
        {"effConnectOutput", {effConnectOutput, 1, 1, 0, false}, 1},
        {"effGetInputProperties", {effGetInputProperties, 0, 0, 0, true}, 0},
        {"effGetPlugCategory", {effGetPlugCategory, 0, 0, 0, false}, kPlugCategUnknown},
        {"effGetCurrentPosition", {effGetCurrentPosition, 0, 0, 0, false}, 0},
        {"effGetDestinationBuffer", {effGetDestinationBuffer, 0, 0, 0, false}, 0},
        {"effOfflineRun", {effOfflineRun, 0, 1, 0, true}, 0},
        {"effSetBlockSizeAndSampleRate", {effSetBlockSizeAndSampleRate, 0, 512, 48000, false}, 1},
        {"effSetBypass", {effSetBypass, 0, 1, 0, false}, 0},
        {"effGetEffectName", {effGetEffectName, 0, 0, 0, true}, 0},
        {"effGetVendorString", {effGetVendorString, 0, 0, 0, true}, 0},
        {"effGetVendorVersion", {effGetVendorVersion, 0, 0, 0, false}, 0},
        {"effVendorSpecific", {effVendorSpecific, 1, 2, 0, true}, 0},
        {"effCanDo", {effCanDo, 0, 0, 0, true}, 0},
        {"effGetTailSize", {effGetTailSize, 0, 0, 0, false}, 0},
        {"effIdle", {effIdle, 0, 0, 0, false}, 0},
        {"effGetIcon", {effGetIcon, 0, 0, 0, false}, 0},
        {"effKeysRequired, inverted", {effKeysRequired, 0, 0, 0, false}, 1},
        {"effGetVstVersion", {effGetVstVersion, 0, 0, 0, false}, 2300},
        {"effEditKeyDown without editor", {effEditKeyDown, 65, 3, 0, false}, 0},
        {"effEditKeyUp without editor", {effEditKeyUp, 65, 3, 0, false}, 0},
        {"effSetEditKnobMode without editor", {effSetEditKnobMode, 0, 2, 0, false}, 0},
        {"effGetMidiProgramName", {effGetMidiProgramName, 0, 0, 0, true}, 0},
        {"effGetCurrentMidiProgram", {effGetCurrentMidiProgram, 0, 0, 0, true}, -1},
        {"effHasMidiProgramsChanged", {effHasMidiProgramsChanged, 0, 0, 0, false}, 0},
        {"effBeginSetProgram", {effBeginSetProgram, 0, 0, 0, false}, 0},
        {"effShellGetNextPlugin", {effShellGetNextPlugin, 0, 0, 0, true}, 0},
        {"effStartProcess", {effStartProcess, 0, 0, 0, false}, 0},
        {"effSetTotalSampleToProcess", {effSetTotalSampleToProcess, 0, 4410, 0, false}, 4410},
        {"effSetPanLaw", {effSetPanLaw, 0, 1, 0.5f, false}, 0},
        {"effBeginLoadProgram", {effBeginLoadProgram, 0, 0, 0, true}, 0},
        {"opcode 77", {77, 0, 0, 0, true}, 0},
        {"opcode -1", {-1, 0, 0, 0, true}, 0},
        {"opcode 1000", {1000, 1, 1, 1, true}, 0},
    };
    for (const AnswerCase& c : cases) {
        BareEffect effect(nullptr);
        char buffer[256] = "2in2out";
        void* ptr = c.call.withBuffer ? buffer : nullptr;
        EXPECT_EQ(dispatch(effect.getAeffect(), c.call.opcode, c.call.index, c.call.value, ptr,
                           c.call.opt),
                  c.answer)
            << c.what;
    }
}

struct RouteCase {
    const char* what;
    Call call;
    VstIntPtr answer;
    std::vector<std::string> log;
};

TEST(Dispatcher, OpcodesReachTheirOperationWithTheirArguments) {
    const std::vector<RouteCase> cases = {
        {"effOpen", {effOpen, 0, 0, 0, false}, 0, {"open"}},
        {"effSetProgram in range", {effSetProgram, 0, 3, 0, false}, 0, {"setProgram 3"}},
        {"effSetProgram at numPrograms", {effSetProgram, 0, 4, 0, false}, 0, {}},
        {"effSetProgram negative", {effSetProgram, 0, -1, 0, false}, 0, {}},
        {"effSetProgramName", {effSetProgramName, 0, 0, 0, true}, 0, {"setProgramName Hall"}},
        {"effGetProgramName", {effGetProgramName, 0, 0, 0, true}, 0, {"getProgramName"}},
        {"effGetParamLabel", {effGetParamLabel, 2, 0, 0, true}, 0, {"getParameterLabel 2"}},
        {"effGetParamDisplay", {effGetParamDisplay, 1, 0, 0, true}, 0, {"getParameterDisplay 1"}},
        {"effGetParamName", {effGetParamName, 0, 0, 0, true}, 0, {"getParameterName 0"}},
        {"effSetSampleRate takes opt", {effSetSampleRate, 0, 0, 96000, false}, 0,
         {"setSampleRate 96000"}},
        {"effSetBlockSize takes value", {effSetBlockSize, 0, 256, 0, false}, 0,
         {"setBlockSize 256"}},
        {"effMainsChanged 0", {effMainsChanged, 0, 0, 0, false}, 0, {"suspend"}},
        {"effMainsChanged 5", {effMainsChanged, 0, 5, 0, false}, 0, {"resume"}},
        {"effGetChunk preset", {effGetChunk, 1, 0, 0, true}, 321, {"getChunk 1"}},
        {"effSetChunk bank", {effSetChunk, 0, 40, 0, true}, 1, {"setChunk 40 0"}},
        {"effCanBeAutomated", {effCanBeAutomated, 2, 0, 0, false}, 0,
         {"canParameterBeAutomated 2"}},
        {"effString2Parameter", {effString2Parameter, 5, 0, 0, true}, 1,
         {"string2parameter 5 Hall"}},
        {"effGetProgramNameIndexed: value is the category",
         {effGetProgramNameIndexed, 5, 3, 0, true}, 1, {"getProgramNameIndexed 3 5"}},
        {"effCopyProgram", {effCopyProgram, 6, 0, 0, false}, 1, {"copyProgram 6"}},
        {"effConnectInput", {effConnectInput, 1, 0, 0, false}, 1, {"inputConnected 1 0"}},
        {"effConnectOutput", {effConnectOutput, 0, 9, 0, false}, 1, {"outputConnected 0 1"}},
        {"effOfflineNotify", {effOfflineNotify, 1, 3, 0, true}, 1, {"offlineNotify 3 1"}},
        {"effSetBypass", {effSetBypass, 0, 2, 0, false}, 1, {"setBypass 1"}},
        {"effGetEffectName", {effGetEffectName, 0, 0, 0, true}, 1, {"getEffectName"}},
        {"effVendorSpecific", {effVendorSpecific, 7, 8, 0.5f, true}, 99,
         {"vendorSpecific 7 8 0.5"}},
        {"effCanDo", {effCanDo, 0, 0, 0, true}, -1, {"canDo Hall"}},
        {"effSetViewPosition", {effSetViewPosition, 10, 20, 0, false}, 1,
         {"setViewPosition 10 20"}},
        {"effGetMidiProgramName", {effGetMidiProgramName, 9, 0, 0, true}, 5,
         {"getMidiProgramName 9"}},
        {"effShellGetNextPlugin", {effShellGetNextPlugin, 0, 0, 0, true}, 0x41424344,
         {"getNextShellPlugin"}},
        {"effSetPanLaw", {effSetPanLaw, 0, 1, 0.75f, false}, 1, {"setPanLaw 1 0.75"}},
    };
    for (const RouteCase& c : cases) {
        LoggingEffect effect(nullptr);
        char buffer[256] = "Hall";
        void* ptr = c.call.withBuffer ? buffer : nullptr;
        EXPECT_EQ(dispatch(effect.getAeffect(), c.call.opcode, c.call.index, c.call.value, ptr,
                           c.call.opt),
                  c.answer)
            << c.what;
        EXPECT_EQ(effect.log, c.log) << c.what;
    }
}

TEST(Dispatcher, ProgramOpcodesKeepCurrentProgramInRange) {
    BareEffect effect(nullptr, 4);
    AEffect* record = effect.getAeffect();
    dispatch(record, effSetProgram, 0, 3);
    EXPECT_EQ(dispatch(record, effGetProgram), 3);
    dispatch(record, effSetProgram, 0, 4);
    dispatch(record, effSetProgram, 0, -1);
    dispatch(record, effSetProgram, 0, VstIntPtr{1} << (sizeof(VstIntPtr) * 8 - 2));  // beyond any program
    EXPECT_EQ(dispatch(record, effGetProgram), 3);
}

TEST(Dispatcher, VuIsScaledTo32767AndTruncated) {
    const std::vector<std::pair<float, VstIntPtr>> cases = {
        {0.5f, 16383}, {1.0f, 32767}, {-0.5f, -16383}, {0.0f, 0}, {1e30f, 0}, {NAN, 0},
    };
    for (const auto& [vu, answer] : cases) {
        LoggingEffect effect(nullptr);
        effect.vu = vu;
        EXPECT_EQ(dispatch(effect.getAeffect(), effGetVu), answer) << vu;
    }
}

TEST(Dispatcher, BlockSizeAndSampleRateAreStoredWithoutTheSetters) {
    LoggingEffect effect(nullptr);
    EXPECT_EQ(dispatch(effect.getAeffect(), effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000),
              1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_TRUE(effect.log.empty());
}

TEST(Dispatcher, SpeakerArrangementQuestionLeavesBothPointersNull) {
    BareEffect effect(nullptr);
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(dispatch(effect.getAeffect(), effGetSpeakerArrangement, 0,
                       reinterpret_cast<VstIntPtr>(&input), &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(Dispatcher, SetSpeakerArrangementTakesInputFromValueAndOutputFromPtr) {
    LoggingEffect effect(nullptr);
    VstSpeakerArrangement input{};
    VstSpeakerArrangement output{};
    input.numChannels = 1;
    output.numChannels = 2;
    EXPECT_EQ(dispatch(effect.getAeffect(), effSetSpeakerArrangement, 0,
                       reinterpret_cast<VstIntPtr>(&input), &output),
              1);
    EXPECT_EQ(effect.log, std::vector<std::string>{"setSpeakerArrangement 1 2"});
}

TEST(Dispatcher, EventsReachProcessEvents) {
    LoggingEffect effect(nullptr);
    VstEvents events{};
    events.numEvents = 2;
    EXPECT_EQ(dispatch(effect.getAeffect(), effProcessEvents, 0, 0, &events), 1);
    EXPECT_EQ(effect.log, std::vector<std::string>{"processEvents 2"});
}

// A host that passes no buffer or record where one is expected gets 0, and the
// effect is not called at all.
TEST(Dispatcher, NullPointerWhereARecordOrTextIsExpectedIsAnswered0) {
    const std::vector<VstInt32> opcodes = {
        effSetProgramName,     effGetProgramName,     effGetParamLabel,
        effGetParamDisplay,    effGetParamName,       effEditGetRect,
        effEditDraw,           effGetChunk,           effSetChunk,
        effProcessEvents,      effString2Parameter,   effGetProgramNameIndexed,
        effGetInputProperties, effGetOutputProperties, effOfflineNotify,
        effOfflinePrepare,     effOfflineRun,         effProcessVarIo,
        effSetSpeakerArrangement, effGetEffectName,   effGetErrorText,
        effGetVendorString,    effGetProductString,   effCanDo,
        effGetParameterProperties, effGetMidiProgramName, effGetCurrentMidiProgram,
        effGetMidiProgramCategory, effGetMidiKeyName, effGetSpeakerArrangement,
        effShellGetNextPlugin, effBeginLoadBank,      effBeginLoadProgram,
    };
    for (VstInt32 opcode : opcodes) {
        LoggingEffect effect(nullptr);
        auto* editor = new TestEditor(&effect);
        VstSpeakerArrangement arrangement{};
        EXPECT_EQ(dispatch(effect.getAeffect(), opcode, 1, reinterpret_cast<VstIntPtr>(&arrangement),
                           nullptr, 0.0f),
                  0)
            << opcode;
        EXPECT_TRUE(effect.log.empty()) << opcode;
        EXPECT_EQ(editor->calls, 0) << opcode;
    }
    // The speaker opcodes also carry a record in value.
    for (VstInt32 opcode : {effSetSpeakerArrangement, effGetSpeakerArrangement}) {
        LoggingEffect effect(nullptr);
        VstSpeakerArrangement* output = nullptr;
        VstSpeakerArrangement arrangement{};
        void* ptr = opcode == effGetSpeakerArrangement ? static_cast<void*>(&output)
                                                       : static_cast<void*>(&arrangement);
        EXPECT_EQ(dispatch(effect.getAeffect(), opcode, 0, 0, ptr), 0) << opcode;
        EXPECT_TRUE(effect.log.empty()) << opcode;
    }
}

TEST(Dispatcher, EditorOpcodesReachTheEditor) {
    BareEffect effect(nullptr);
    auto* editor = new TestEditor(&effect);
    AEffect* record = effect.getAeffect();
    int window = 0;

    EXPECT_EQ(dispatch(record, effEditOpen, 0, 0, &window), 0);
    EXPECT_EQ(editor->window(), &window);

    ERect* rect = reinterpret_cast<ERect*>(&window);
    EXPECT_EQ(dispatch(record, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);

    EXPECT_EQ(dispatch(record, effEditMouse, 1, 2), 0);
    EXPECT_EQ(dispatch(record, effEditKey, 0, 65), 0);
    EXPECT_EQ(dispatch(record, effSetEditKnobMode, 0, 2), 0);
    EXPECT_EQ(dispatch(record, effEditClose), 0);
}

TEST(Dispatcher, KeyOpcodesBuildTheKeyCode) {
    struct KeyCase {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        float opt;
        VstIntPtr answer;
        VstInt32 character;
        unsigned char virt;
        unsigned char modifier;
    };
    const std::vector<KeyCase> cases = {
        {effEditKeyDown, 65, 0x0103, 2.9f, 7, 65, 3, 2},
        {effEditKeyUp, 97, 0x01FF, 0.0f, 8, 97, 0xFF, 0},
        {effEditKeyDown, -1, 0, -2.9f, 7, -1, 0, 0xFE},
        {effEditKeyDown, 0, 0, 260.0f, 7, 0, 0, 4},
        {effEditKeyDown, 0, 0, NAN, 7, 0, 0, 0},
        {effEditKeyDown, 0, 0, 1e20f, 7, 0, 0, 0},
    };
    for (const KeyCase& c : cases) {
        BareEffect effect(nullptr);
        auto* editor = new TestEditor(&effect);
        EXPECT_EQ(dispatch(effect.getAeffect(), c.opcode, c.index, c.value, nullptr, c.opt),
                  c.answer);
        EXPECT_EQ(editor->lastKey.character, c.character) << c.opt;
        EXPECT_EQ(editor->lastKey.virt, c.virt) << c.opt;
        EXPECT_EQ(editor->lastKey.modifier, c.modifier) << c.opt;
    }
}

TEST(Dispatcher, PlugCategoryFollowsTheSynthFlag) {
    BareEffect effect(nullptr);
    effect.isSynth(true);
    EXPECT_EQ(dispatch(effect.getAeffect(), effGetPlugCategory), kPlugCategSynth);
    effect.isSynth(false);
    EXPECT_EQ(dispatch(effect.getAeffect(), effGetPlugCategory), kPlugCategUnknown);
}

TEST(Capabilities, TablesHoldTheInterfaceVocabularyInOrder) {
    EXPECT_STREQ(hostCanDos[0], "sendVstEvents");
    EXPECT_STREQ(hostCanDos[6], "reportConnectionChanges");
    EXPECT_STREQ(hostCanDos[16], "startStopProcess");
    EXPECT_STREQ(plugCanDos[0], "sendVstEvents");
    EXPECT_STREQ(plugCanDos[7], "plugAsChannelInsert");
    EXPECT_STREQ(plugCanDos[16], "2in2out");
    EXPECT_STREQ(plugCanDos[25], "bypass");
    for (const char* text : hostCanDos) EXPECT_NE(text, nullptr);
    for (const char* text : plugCanDos) EXPECT_NE(text, nullptr);
}

}  // namespace

// The effect record a host reads after construction, the trampolines behind its
// function pointers and the flag setters.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include "frame/trampolines.h"
#include "tests/frame/test_effect.h"
#include "tests/host/test_host.h"

namespace {

struct Field {
    size_t offset;
    size_t size;
};

#define FIELD(name) Field{offsetof(AEffect, name), sizeof(AEffect::name)}

TEST(EffectRecord, AfterConstructionHoldsTheDefaultsAndZeroElsewhere) {
    testhost::RecordingHost host;
    BareEffect effect(host.callback(), 10, 18);
    const AEffect& record = *effect.getAeffect();

    EXPECT_EQ(record.magic, 0x56737450);
    EXPECT_EQ(record.dispatcher, &dispatchEffectClass);
    EXPECT_EQ(record.process, &processClass);
    EXPECT_EQ(record.setParameter, &setParameterClass);
    EXPECT_EQ(record.getParameter, &getParameterClass);
    EXPECT_EQ(record.numPrograms, 10);
    EXPECT_EQ(record.numParams, 18);
    EXPECT_EQ(record.numInputs, 1);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 0);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(record.object, static_cast<AudioEffect*>(&effect));
    EXPECT_EQ(record.uniqueID, 0x4E6F4566);
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.processReplacing, &processClassReplacing);

    // Every byte outside the fields that carry a value above is zero: the
    // reserved fields, the padding and the whole future block.
    const std::vector<Field> valued = {
        FIELD(magic),     FIELD(dispatcher), FIELD(process),  FIELD(setParameter),
        FIELD(getParameter), FIELD(numPrograms), FIELD(numParams), FIELD(numInputs),
        FIELD(numOutputs), FIELD(ioRatio),    FIELD(object),   FIELD(uniqueID),
        FIELD(version),   FIELD(processReplacing),
    };
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (size_t i = 0; i < sizeof(AEffect); ++i) {
        bool inValuedField = false;
        for (const Field& f : valued) inValuedField |= i >= f.offset && i < f.offset + f.size;
        if (!inValuedField) {
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
        }
    }

    EXPECT_EQ(effect.storedSampleRate(), 44100.0f);
    EXPECT_EQ(effect.storedBlockSize(), 1024);
    EXPECT_EQ(effect.storedProgram(), 0);
    EXPECT_EQ(effect.storedEditor(), nullptr);
    EXPECT_EQ(effect.storedCallback(), host.callback());
    EXPECT_TRUE(host.calls().empty()) << "construction must not call the host";
}

TEST(EffectRecord, TrampolinesReachTheObjectThroughTheRecord) {
    LoggingEffect effect(nullptr);
    AEffect* record = effect.getAeffect();
    float* channels[2] = {nullptr, nullptr};

    record->setParameter(record, 3, 0.5f);
    EXPECT_EQ(record->getParameter(record, 2), 0.5f);
    record->process(record, channels, channels, 64);
    record->processReplacing(record, channels, channels, 32);
    EXPECT_EQ(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0.0f), 0);

    EXPECT_EQ(effect.log, (std::vector<std::string>{"setParameter 3 0.5", "getParameter 2",
                                                    "process 64", "processReplacing 32"}));
}

TEST(EffectRecord, TrampolinesIgnoreANullRecord) {
    float* channels[2] = {nullptr, nullptr};
    EXPECT_EQ(dispatchEffectClass(nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(getParameterClass(nullptr, 0), 0.0f);
    setParameterClass(nullptr, 0, 1.0f);
    processClass(nullptr, channels, channels, 16);
    processClassReplacing(nullptr, channels, channels, 16);
}

TEST(EffectRecord, CloseDestroysTheEffectAndItsEditor) {
    const TestCounts before = testCounts();
    auto* effect = new LoggingEffect(nullptr);
    new TestEditor(effect);
    AEffect* record = effect->getAeffect();

    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(testCounts().closeCalls, before.closeCalls + 1);
    EXPECT_EQ(testCounts().effectsDestroyed, before.effectsDestroyed + 1);
    EXPECT_EQ(testCounts().editorsDestroyed, before.editorsDestroyed + 1);
}

struct FlagCase {
    const char* name;
    std::function<void(AudioEffectX&, bool)> set;
    VstInt32 flag;
};

TEST(EffectRecord, EachFlagSetterTouchesOnlyItsBit) {
    const std::vector<FlagCase> cases = {
        {"hasClip", [](AudioEffectX& e, bool s) { e.hasClip(s); }, effFlagsHasClip},
        {"hasVu", [](AudioEffectX& e, bool s) { e.hasVu(s); }, effFlagsHasVu},
        {"canMono", [](AudioEffectX& e, bool s) { e.canMono(s); }, effFlagsCanMono},
        {"canProcessReplacing", [](AudioEffectX& e, bool s) { e.canProcessReplacing(s); },
         effFlagsCanReplacing},
        {"programsAreChunks", [](AudioEffectX& e, bool s) { e.programsAreChunks(s); },
         effFlagsProgramChunks},
        {"isSynth", [](AudioEffectX& e, bool s) { e.isSynth(s); }, effFlagsIsSynth},
        {"noTail", [](AudioEffectX& e, bool s) { e.noTail(s); }, effFlagsNoSoundInStop},
        {"wantAsyncOperation", [](AudioEffectX& e, bool s) { e.wantAsyncOperation(s); },
         effFlagsExtIsAsync},
        {"hasExternalBuffer", [](AudioEffectX& e, bool s) { e.hasExternalBuffer(s); },
         effFlagsExtHasBuffer},
    };
    for (const FlagCase& c : cases) {
        BareEffect effect(nullptr);
        AEffect* record = effect.getAeffect();
        c.set(effect, true);
        EXPECT_EQ(record->flags, c.flag) << c.name;
        record->flags |= 0x4000;  // a bit no setter owns
        c.set(effect, false);
        EXPECT_EQ(record->flags, 0x4000) << c.name;
    }
}

TEST(EffectRecord, SettersWriteTheirFields) {
    BareEffect effect(nullptr);
    const AEffect& record = *effect.getAeffect();
    effect.setUniqueID(vstFourCC('Q', 'm', 't', 'w'));
    effect.setNumInputs(2);
    effect.setNumOutputs(4);
    effect.setRealtimeQualities(5);
    effect.setOfflineQualities(6);
    effect.setInitialDelay(128);
    EXPECT_EQ(record.uniqueID, 0x516D7477);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 4);
    EXPECT_EQ(record.realQualities, 5);
    EXPECT_EQ(record.offQualities, 6);
    EXPECT_EQ(record.initialDelay, 128);
}

TEST(EffectRecord, AnEditorRegistersAndSetsTheEditorFlag) {
    BareEffect effect(nullptr);
    effect.canMono(true);
    auto* editor = new TestEditor(&effect);
    EXPECT_EQ(effect.storedEditor(), editor);
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_EQ(editor->owner(), &effect);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor | effFlagsCanMono);
}

}  // namespace

// Calls from the effect into the host: opcode, argument placement, answer
// conversion, and the answer without a host.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/frame/test_effect.h"
#include "tests/host/test_host.h"

namespace {

char marker[64] = "marker";
template <typename T>
T* markerAs() {
    return reinterpret_cast<T*>(marker);
}
VstIntPtr markerValue() { return reinterpret_cast<VstIntPtr>(marker); }
template <typename T>
VstIntPtr asValue(T* pointer) {
    return reinterpret_cast<VstIntPtr>(pointer);
}

struct ServiceCase {
    const char* what;
    std::function<VstIntPtr(AudioEffectX&)> call;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    bool passesMarker;  // ptr is the marker, otherwise null
    float opt;
    VstIntPtr hostAnswer;
    VstIntPtr result;
    VstIntPtr resultWithoutHost;
};

std::vector<ServiceCase> serviceCases() {
    const VstIntPtr m = markerValue();
    const auto option = static_cast<VstOfflineOption>(3);
    return {
        {"getMasterVersion", [](AudioEffectX& e) { return e.getMasterVersion(); }, 1, 0, 0, false, 0, 2300, 2300, 1},
        {"getMasterVersion, host answers 0", [](AudioEffectX& e) { return e.getMasterVersion(); }, 1, 0, 0, false, 0, 0, 1, 1},
        {"getCurrentUniqueId", [](AudioEffectX& e) { return e.getCurrentUniqueId(); }, 2, 0, 0, false, 0, 0x41424344, 0x41424344, 0},
        {"masterIdle", [](AudioEffectX& e) { e.masterIdle(); return VstIntPtr{0}; }, 3, 0, 0, false, 0, 1, 0, 0},
        {"isInputConnected, connected", [](AudioEffectX& e) { return e.isInputConnected(2); }, 4, 2, 0, false, 0, 0, 1, 1},
        {"isInputConnected, not connected", [](AudioEffectX& e) { return e.isInputConnected(2); }, 4, 2, 0, false, 0, 1, 0, 1},
        {"isOutputConnected", [](AudioEffectX& e) { return e.isOutputConnected(3); }, 4, 3, 1, false, 0, 0, 1, 1},
        {"wantEvents", [](AudioEffectX& e) { e.wantEvents(1); return VstIntPtr{0}; }, 6, 0, 1, false, 0, 1, 0, 0},
        {"getTimeInfo", [](AudioEffectX& e) { return asValue(e.getTimeInfo(0x0F00)); }, 7, 0, 0x0F00, false, 0, m, m, 0},
        {"sendVstEventsToHost, answer 1", [](AudioEffectX& e) { return e.sendVstEventsToHost(markerAs<VstEvents>()); }, 8, 0, 0, true, 0, 1, 1, 0},
        {"sendVstEventsToHost, answer 2", [](AudioEffectX& e) { return e.sendVstEventsToHost(markerAs<VstEvents>()); }, 8, 0, 0, true, 0, 2, 0, 0},
        {"tempoAt", [](AudioEffectX& e) { return e.tempoAt(4410); }, 10, 0, 4410, false, 0, 1200000, 1200000, 0},
        {"getNumAutomatableParameters", [](AudioEffectX& e) { return e.getNumAutomatableParameters(); }, 11, 0, 0, false, 0, 18, 18, 0},
        {"getParameterQuantization", [](AudioEffectX& e) { return e.getParameterQuantization(); }, 12, 0, 0, false, 0, 7, 7, 0},
        {"ioChanged", [](AudioEffectX& e) { return e.ioChanged(); }, 13, 0, 0, false, 0, 5, 1, 0},
        {"needIdle", [](AudioEffectX& e) { return e.needIdle(); }, 14, 0, 0, false, 0, 1, 1, 0},
        {"sizeWindow", [](AudioEffectX& e) { return e.sizeWindow(300, 200); }, 15, 300, 200, false, 0, 1, 1, 0},
        {"updateSampleRate, positive", [](AudioEffectX& e) { return static_cast<VstIntPtr>(e.updateSampleRate()); }, 16, 0, 0, false, 0, 48000, 48000, 44100},
        {"updateSampleRate, negative", [](AudioEffectX& e) { return static_cast<VstIntPtr>(e.updateSampleRate()); }, 16, 0, 0, false, 0, -1, 44100, 44100},
        {"updateBlockSize, positive", [](AudioEffectX& e) { return e.updateBlockSize(); }, 17, 0, 0, false, 0, 256, 256, 1024},
        {"updateBlockSize, zero", [](AudioEffectX& e) { return e.updateBlockSize(); }, 17, 0, 0, false, 0, 0, 1024, 1024},
        {"getInputLatency", [](AudioEffectX& e) { return e.getInputLatency(); }, 18, 0, 0, false, 0, 64, 64, 0},
        {"getOutputLatency", [](AudioEffectX& e) { return e.getOutputLatency(); }, 19, 0, 0, false, 0, 128, 128, 0},
        {"getPreviousPlug", [](AudioEffectX& e) { return asValue(e.getPreviousPlug(1)); }, 20, 0, 0, false, 0, m, m, 0},
        {"getNextPlug", [](AudioEffectX& e) { return asValue(e.getNextPlug(1)); }, 21, 0, 0, false, 0, m, m, 0},
        {"willProcessReplacing", [](AudioEffectX& e) { return e.willProcessReplacing(); }, 22, 0, 0, false, 0, 1, 1, 0},
        {"getCurrentProcessLevel", [](AudioEffectX& e) { return e.getCurrentProcessLevel(); }, 23, 0, 0, false, 0, 2, 2, 0},
        {"getAutomationState", [](AudioEffectX& e) { return e.getAutomationState(); }, 24, 0, 0, false, 0, 3, 3, 0},
        {"offlineStart", [](AudioEffectX& e) { return e.offlineStart(markerAs<VstAudioFile>(), 4, 2); }, 25, 2, 4, true, 0, 1, 1, 0},
        {"offlineRead, read source", [=](AudioEffectX& e) { return e.offlineRead(markerAs<VstOfflineTask>(), option, true); }, 26, 1, 3, true, 0, 1, 1, 0},
        {"offlineRead, not the source", [=](AudioEffectX& e) { return e.offlineRead(markerAs<VstOfflineTask>(), option, false); }, 26, 0, 3, true, 0, 1, 1, 0},
        {"offlineWrite", [=](AudioEffectX& e) { return e.offlineWrite(markerAs<VstOfflineTask>(), option); }, 27, 0, 3, true, 0, 1, 1, 0},
        {"offlineGetCurrentPass", [](AudioEffectX& e) { return e.offlineGetCurrentPass(); }, 28, 0, 0, false, 0, 1, 1, 0},
        {"offlineGetCurrentMetaPass", [](AudioEffectX& e) { return e.offlineGetCurrentMetaPass(); }, 29, 0, 0, false, 0, 1, 1, 0},
        {"setOutputSamplerate", [](AudioEffectX& e) { e.setOutputSamplerate(48000.0f); return VstIntPtr{0}; }, 30, 0, 0, false, 48000.0f, 1, 0, 0},
        {"getOutputSpeakerArrangement", [](AudioEffectX& e) { return asValue(e.getOutputSpeakerArrangement()); }, 31, 0, 0, false, 0, m, m, 0},
        {"getHostVendorString", [](AudioEffectX& e) { return e.getHostVendorString(marker); }, 32, 0, 0, true, 0, 1, 1, 0},
        {"getHostProductString", [](AudioEffectX& e) { return e.getHostProductString(marker); }, 33, 0, 0, true, 0, 1, 1, 0},
        {"getHostVendorVersion", [](AudioEffectX& e) { return e.getHostVendorVersion(); }, 34, 0, 0, false, 0, 1000, 1000, 0},
        {"hostVendorSpecific", [](AudioEffectX& e) { return e.hostVendorSpecific(1, 2, marker, 0.5f); }, 35, 1, 2, true, 0.5f, 77, 77, 0},
        {"canHostDo, yes", [](AudioEffectX& e) { return e.canHostDo(marker); }, 37, 0, 0, true, 0, 1, 1, 0},
        {"canHostDo, any non-zero answer", [](AudioEffectX& e) { return e.canHostDo(marker); }, 37, 0, 0, true, 0, -1, 1, 0},
        {"canHostDo, unknown", [](AudioEffectX& e) { return e.canHostDo(marker); }, 37, 0, 0, true, 0, 0, 0, 0},
        {"getHostLanguage", [](AudioEffectX& e) { return e.getHostLanguage(); }, 38, 0, 0, false, 0, 1, 1, 0},
        {"openWindow", [](AudioEffectX& e) { return asValue(e.openWindow(markerAs<VstWindow>())); }, 39, 0, 0, true, 0, m, m, 0},
        {"closeWindow", [](AudioEffectX& e) { return e.closeWindow(markerAs<VstWindow>()); }, 40, 0, 0, true, 0, 1, 1, 0},
        {"getDirectory", [](AudioEffectX& e) { return asValue(e.getDirectory()); }, 41, 0, 0, false, 0, m, m, 0},
        {"updateDisplay", [](AudioEffectX& e) { return e.updateDisplay(); }, 42, 0, 0, false, 0, 1, 1, 0},
        {"beginEdit", [](AudioEffectX& e) { return e.beginEdit(5); }, 43, 5, 0, false, 0, 1, 1, 0},
        {"endEdit", [](AudioEffectX& e) { return e.endEdit(5); }, 44, 5, 0, false, 0, 1, 1, 0},
        {"openFileSelector", [](AudioEffectX& e) { return e.openFileSelector(markerAs<VstFileSelect>()); }, 45, 0, 0, true, 0, 1, 1, 0},
        {"closeFileSelector", [](AudioEffectX& e) { return e.closeFileSelector(markerAs<VstFileSelect>()); }, 46, 0, 0, true, 0, 1, 1, 0},
        {"getChunkFile", [](AudioEffectX& e) { return e.getChunkFile(marker); }, 48, 0, 0, true, 0, 1, 1, 0},
        {"getInputSpeakerArrangement", [](AudioEffectX& e) { return asValue(e.getInputSpeakerArrangement()); }, 49, 0, 0, false, 0, m, m, 0},
        {"setParameterAutomated", [](AudioEffectX& e) { e.setParameterAutomated(4, 0.3f); return VstIntPtr{0}; }, 0, 4, 0, false, 0.3f, 1, 0, 0},
    };
}

TEST(HostServices, EachServicePlacesItsArgumentsAndConvertsTheAnswer) {
    for (const ServiceCase& c : serviceCases()) {
        testhost::RecordingHost host;
        host.setAnswer(c.opcode, c.hostAnswer);
        BareEffect effect(host.callback());
        EXPECT_EQ(c.call(effect), c.result) << c.what;
        ASSERT_EQ(host.calls().size(), 1u) << c.what;
        const testhost::HostCall& call = host.calls()[0];
        EXPECT_EQ(call.effect, effect.getAeffect()) << c.what;
        EXPECT_EQ(call.opcode, c.opcode) << c.what;
        EXPECT_EQ(call.index, c.index) << c.what;
        EXPECT_EQ(call.value, c.value) << c.what;
        EXPECT_EQ(call.ptr, c.passesMarker ? static_cast<void*>(marker) : nullptr) << c.what;
        EXPECT_EQ(call.opt, c.opt) << c.what;
    }
}

TEST(HostServices, WithoutAHostEachServiceGivesItsFallback) {
    for (const ServiceCase& c : serviceCases()) {
        BareEffect effect(nullptr);
        EXPECT_EQ(c.call(effect), c.resultWithoutHost) << c.what;
    }
}

TEST(HostServices, PositiveSampleRateAndBlockSizeAnswersAreStored) {
    testhost::RecordingHost host;
    host.setAnswer(audioMasterGetSampleRate, 96000);
    host.setAnswer(audioMasterGetBlockSize, 256);
    BareEffect effect(host.callback());
    effect.updateSampleRate();
    effect.updateBlockSize();
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
    host.setAnswer(audioMasterGetSampleRate, 0);
    host.setAnswer(audioMasterGetBlockSize, -5);
    EXPECT_EQ(effect.updateSampleRate(), 96000.0f);
    EXPECT_EQ(effect.updateBlockSize(), 256);
}

TEST(HostServices, NullSelectionOrPathIsRefusedWithoutCallingTheHost) {
    testhost::RecordingHost host;
    host.setAnswer(audioMasterOpenFileSelector, 1);
    host.setAnswer(audioMasterCloseFileSelector, 1);
    host.setAnswer(audioMasterGetChunkFile, 1);
    BareEffect effect(host.callback());
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(host.calls().empty());
}

testhost::RecordingHost* currentHost = nullptr;

TEST(HostServices, AutomationTellsTheHostAfterTheEffectStoredTheValue) {
    testhost::RecordingHost host;
    currentHost = &host;
    LoggingEffect effect(host.callback());
    effect.hostCallCount = [] { return currentHost->calls().size(); };
    effect.setParameterAutomated(4, 0.3f);
    EXPECT_EQ(effect.log, std::vector<std::string>{"setParameter 4 0.3"});
    EXPECT_EQ(effect.hostCallsBeforeSetParameter, 0u);
    ASSERT_EQ(host.count(audioMasterAutomate), 1u);
    currentHost = nullptr;

    LoggingEffect alone(nullptr);
    alone.setParameterAutomated(4, 0.3f);
    EXPECT_EQ(alone.log, std::vector<std::string>{"setParameter 4 0.3"});
}

}  // namespace

// Small effects and an editor for driving the frame as a host does.
#pragma once

#include <string>
#include <vector>

#include "frame/aeffeditor.h"
#include "frame/audioeffectx.h"

// Kept across instances, so a test sees what the frame built and destroyed.
struct TestCounts {
    int effectsConstructed = 0;
    int effectsDestroyed = 0;
    int editorsDestroyed = 0;
    int closeCalls = 0;
};
TestCounts& testCounts();

// Registers itself with its effect; counts updates and its destruction.
class TestEditor : public AEffEditor {
public:
    explicit TestEditor(AudioEffect* effect);
    ~TestEditor() override;
    void update() override { ++updates; }
    VstInt32 getRect(ERect** rect) override;
    void draw(ERect* rect) override;
    VstInt32 onKeyDown(VstKeyCode& key) override;
    VstInt32 onKeyUp(VstKeyCode& key) override;

    bool pending() const { return updatePending != 0; }
    void* window() const { return parentWindow; }
    AudioEffect* owner() const { return effect; }

    int updates = 0;
    int calls = 0;  // of getRect, draw, onKeyDown and onKeyUp
    VstKeyCode lastKey{};
};

// The smallest concrete effect: every operation keeps the frame's default.
class BareEffect : public AudioEffectX {
public:
    explicit BareEffect(audioMasterCallback hostCallback, VstInt32 programs = 4,
                        VstInt32 params = 3);
    ~BareEffect() override;
    void process(float**, float**, VstInt32) override {}

    float storedSampleRate() const { return sampleRate; }
    VstInt32 storedBlockSize() const { return blockSize; }
    VstInt32 storedProgram() const { return currentProgram; }
    VstInt32 storedNumPrograms() const { return numPrograms; }
    VstInt32 storedNumParams() const { return numParams; }
    AEffEditor* storedEditor() const { return editor; }
    audioMasterCallback storedCallback() const { return hostCallback; }
};

// Logs every operation the dispatcher or a trampoline reaches, with its arguments.
class LoggingEffect : public BareEffect {
public:
    using BareEffect::BareEffect;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void open() override;
    void close() override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    float getVu() override;
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
    void setSampleRate(float sampleRate) override;
    void setBlockSize(VstInt32 blockSize) override;
    void suspend() override;
    void resume() override;

    VstInt32 processEvents(VstEvents* events) override;
    bool canParameterBeAutomated(VstInt32 index) override;
    bool string2parameter(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool copyProgram(VstInt32 destination) override;
    void inputConnected(VstInt32 index, bool state) override;
    void outputConnected(VstInt32 index, bool state) override;
    bool offlineNotify(VstAudioFile* audioFiles, VstInt32 numAudioFiles, bool start) override;
    bool setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                               VstSpeakerArrangement* pluginOutput) override;
    bool setBypass(bool onOff) override;
    bool getEffectName(char* name) override;
    VstIntPtr vendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg, float floatArg) override;
    VstInt32 canDo(char* text) override;
    bool setViewPosition(VstInt32 x, VstInt32 y) override;
    VstInt32 getMidiProgramName(VstInt32 channel, MidiProgramName* name) override;
    VstInt32 getNextShellPlugin(char* name) override;
    bool setPanLaw(VstInt32 type, float value) override;

    float vu = 0.0f;
    std::vector<std::string> log;
    // When set, setParameter notes how many host calls had been made before it ran.
    size_t (*hostCallCount)() = nullptr;
    size_t hostCallsBeforeSetParameter = 0;
};

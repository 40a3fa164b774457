#include "tests/frame/test_effect.h"

#include <cstdio>
#include <cstring>

TestCounts& testCounts() {
    static TestCounts counts;
    return counts;
}

TestEditor::TestEditor(AudioEffect* effect) : AEffEditor(effect) { effect->setEditor(this); }
TestEditor::~TestEditor() { ++testCounts().editorsDestroyed; }

VstInt32 TestEditor::getRect(ERect** rect) {
    ++calls;
    return AEffEditor::getRect(rect);
}

void TestEditor::draw(ERect*) { ++calls; }

VstInt32 TestEditor::onKeyDown(VstKeyCode& key) {
    ++calls;
    lastKey = key;
    return 7;
}

VstInt32 TestEditor::onKeyUp(VstKeyCode& key) {
    ++calls;
    lastKey = key;
    return 8;
}

BareEffect::BareEffect(audioMasterCallback hostCallback, VstInt32 programs, VstInt32 params)
    : AudioEffectX(hostCallback, programs, params) {
    ++testCounts().effectsConstructed;
}

BareEffect::~BareEffect() { ++testCounts().effectsDestroyed; }

namespace {
std::string format(const char* pattern, double a = 0, double b = 0, double c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}
}  // namespace

void LoggingEffect::setParameter(VstInt32 index, float value) {
    if (hostCallCount) hostCallsBeforeSetParameter = hostCallCount();
    log.push_back(format("setParameter %g %g", index, value));
}
float LoggingEffect::getParameter(VstInt32 index) {
    log.push_back(format("getParameter %g", index));
    return 0.25f * static_cast<float>(index);
}
void LoggingEffect::process(float**, float**, VstInt32 sampleFrames) {
    log.push_back(format("process %g", sampleFrames));
}
void LoggingEffect::processReplacing(float**, float**, VstInt32 sampleFrames) {
    log.push_back(format("processReplacing %g", sampleFrames));
}
void LoggingEffect::open() { log.push_back("open"); }
void LoggingEffect::close() {
    ++testCounts().closeCalls;
    log.push_back("close");
}
void LoggingEffect::setProgram(VstInt32 program) {
    log.push_back(format("setProgram %g", program));
    BareEffect::setProgram(program);
}
void LoggingEffect::setProgramName(char* name) { log.push_back("setProgramName " + std::string(name)); }
void LoggingEffect::getProgramName(char* name) {
    log.push_back("getProgramName");
    std::strcpy(name, "Prog");
}
void LoggingEffect::getParameterLabel(VstInt32 index, char*) {
    log.push_back(format("getParameterLabel %g", index));
}
void LoggingEffect::getParameterDisplay(VstInt32 index, char*) {
    log.push_back(format("getParameterDisplay %g", index));
}
void LoggingEffect::getParameterName(VstInt32 index, char*) {
    log.push_back(format("getParameterName %g", index));
}
float LoggingEffect::getVu() {
    log.push_back("getVu");
    return vu;
}
VstInt32 LoggingEffect::getChunk(void**, bool isPreset) {
    log.push_back(format("getChunk %g", isPreset));
    return 321;
}
VstInt32 LoggingEffect::setChunk(void*, VstInt32 byteSize, bool isPreset) {
    log.push_back(format("setChunk %g %g", byteSize, isPreset));
    return 1;
}
void LoggingEffect::setSampleRate(float sampleRate) {
    log.push_back(format("setSampleRate %g", sampleRate));
    BareEffect::setSampleRate(sampleRate);
}
void LoggingEffect::setBlockSize(VstInt32 blockSize) {
    log.push_back(format("setBlockSize %g", blockSize));
    BareEffect::setBlockSize(blockSize);
}
void LoggingEffect::suspend() { log.push_back("suspend"); }
void LoggingEffect::resume() { log.push_back("resume"); }

VstInt32 LoggingEffect::processEvents(VstEvents* events) {
    log.push_back(format("processEvents %g", events->numEvents));
    return 1;
}
bool LoggingEffect::canParameterBeAutomated(VstInt32 index) {
    log.push_back(format("canParameterBeAutomated %g", index));
    return index != 2;
}
bool LoggingEffect::string2parameter(VstInt32 index, char* text) {
    log.push_back(format("string2parameter %g ", index) + text);
    return true;
}
bool LoggingEffect::getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) {
    log.push_back(format("getProgramNameIndexed %g %g", category, index));
    std::strcpy(text, "Indexed");
    return true;
}
bool LoggingEffect::copyProgram(VstInt32 destination) {
    log.push_back(format("copyProgram %g", destination));
    return true;
}
void LoggingEffect::inputConnected(VstInt32 index, bool state) {
    log.push_back(format("inputConnected %g %g", index, state));
}
void LoggingEffect::outputConnected(VstInt32 index, bool state) {
    log.push_back(format("outputConnected %g %g", index, state));
}
bool LoggingEffect::offlineNotify(VstAudioFile*, VstInt32 numAudioFiles, bool start) {
    log.push_back(format("offlineNotify %g %g", numAudioFiles, start));
    return true;
}
bool LoggingEffect::setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                                          VstSpeakerArrangement* pluginOutput) {
    log.push_back(format("setSpeakerArrangement %g %g", pluginInput->numChannels,
                         pluginOutput->numChannels));
    return true;
}
bool LoggingEffect::setBypass(bool onOff) {
    log.push_back(format("setBypass %g", onOff));
    return true;
}
bool LoggingEffect::getEffectName(char* name) {
    log.push_back("getEffectName");
    std::strcpy(name, "Logger");
    return true;
}
VstIntPtr LoggingEffect::vendorSpecific(VstInt32 arg1, VstIntPtr arg2, void*, float floatArg) {
    log.push_back(format("vendorSpecific %g %g %g", arg1, static_cast<double>(arg2), floatArg));
    return 99;
}
VstInt32 LoggingEffect::canDo(char* text) {
    log.push_back("canDo " + std::string(text));
    return -1;
}
bool LoggingEffect::setViewPosition(VstInt32 x, VstInt32 y) {
    log.push_back(format("setViewPosition %g %g", x, y));
    return true;
}
VstInt32 LoggingEffect::getMidiProgramName(VstInt32 channel, MidiProgramName*) {
    log.push_back(format("getMidiProgramName %g", channel));
    return 5;
}
VstInt32 LoggingEffect::getNextShellPlugin(char* name) {
    log.push_back("getNextShellPlugin");
    name[0] = 0;
    return 0x41424344;
}
bool LoggingEffect::setPanLaw(VstInt32 type, float value) {
    log.push_back(format("setPanLaw %g %g", type, value));
    return true;
}

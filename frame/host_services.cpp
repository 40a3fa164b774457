// Calls from the effect into its host: one opcode each, fixed argument
// placement, one conversion of the answer. Without a host every call answers
// as a host answering 0 would (see hostCall).
#include "frame/audioeffectx.h"
#include "frame/host_call.h"

#define HOST(...) hostCall(hostCallback, &effectRecord, __VA_ARGS__)

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    HOST(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion() {
    const VstInt32 version = static_cast<VstInt32>(HOST(audioMasterVersion));
    return version ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() {
    return static_cast<VstInt32>(HOST(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { HOST(audioMasterIdle); }

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(VstInt32 input) {
    return HOST(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
    return HOST(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffectX::wantEvents(VstInt32 filter) { HOST(audioMasterWantMidi, 0, filter); }

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
    return reinterpret_cast<VstTimeInfo*>(HOST(audioMasterGetTime, 0, filter));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
    return HOST(audioMasterProcessEvents, 0, 0, events) == 1;
}

VstInt32 AudioEffectX::tempoAt(VstInt32 position) {
    return static_cast<VstInt32>(HOST(audioMasterTempoAt, 0, position));
}

VstInt32 AudioEffectX::getNumAutomatableParameters() {
    return static_cast<VstInt32>(HOST(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization() {
    return static_cast<VstInt32>(HOST(audioMasterGetParameterQuantization));
}

bool AudioEffectX::ioChanged() { return HOST(audioMasterIOChanged) != 0; }
bool AudioEffectX::needIdle() { return HOST(audioMasterNeedIdle) != 0; }

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return HOST(audioMasterSizeWindow, width, height) != 0;
}

float AudioEffectX::updateSampleRate() {
    const VstIntPtr rate = HOST(audioMasterGetSampleRate);
    if (rate > 0) sampleRate = static_cast<float>(rate);
    return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize() {
    const VstIntPtr size = HOST(audioMasterGetBlockSize);
    if (size > 0) blockSize = static_cast<VstInt32>(size);
    return blockSize;
}

VstInt32 AudioEffectX::getInputLatency() {
    return static_cast<VstInt32>(HOST(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency() {
    return static_cast<VstInt32>(HOST(audioMasterGetOutputLatency));
}

// The pin is not passed: the interface's neighbours are asked for as a whole.
AEffect* AudioEffectX::getPreviousPlug(VstInt32) {
    return reinterpret_cast<AEffect*>(HOST(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug(VstInt32) {
    return reinterpret_cast<AEffect*>(HOST(audioMasterGetNextPlug));
}

VstInt32 AudioEffectX::willProcessReplacing() {
    return static_cast<VstInt32>(HOST(audioMasterWillReplaceOrAccumulate));
}

VstInt32 AudioEffectX::getCurrentProcessLevel() {
    return static_cast<VstInt32>(HOST(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState() {
    return static_cast<VstInt32>(HOST(audioMasterGetAutomationState));
}

bool AudioEffectX::offlineStart(VstAudioFile* audioFiles, VstInt32 numAudioFiles,
                                VstInt32 numNewAudioFiles) {
    return HOST(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstOfflineOption option,
                               bool readSource) {
    return HOST(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstOfflineOption option) {
    return HOST(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineGetCurrentPass() {
    return HOST(audioMasterOfflineGetCurrentPass) != 0;
}

bool AudioEffectX::offlineGetCurrentMetaPass() {
    return HOST(audioMasterOfflineGetCurrentMetaPass) != 0;
}

void AudioEffectX::setOutputSamplerate(float sampleRate) {
    HOST(audioMasterSetOutputSampleRate, 0, 0, nullptr, sampleRate);
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(HOST(audioMasterGetOutputSpeakerArrangement));
}

bool AudioEffectX::getHostVendorString(char* text) {
    return HOST(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text) {
    return HOST(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion() {
    return static_cast<VstInt32>(HOST(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg,
                                           float floatArg) {
    return HOST(audioMasterVendorSpecific, arg1, arg2, ptrArg, floatArg);
}

VstInt32 AudioEffectX::canHostDo(char* text) {
    return HOST(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage() {
    return static_cast<VstInt32>(HOST(audioMasterGetLanguage));
}

void* AudioEffectX::openWindow(VstWindow* window) {
    return reinterpret_cast<void*>(HOST(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(VstWindow* window) {
    return HOST(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* AudioEffectX::getDirectory() { return reinterpret_cast<void*>(HOST(audioMasterGetDirectory)); }

bool AudioEffectX::updateDisplay() { return HOST(audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::beginEdit(VstInt32 index) { return HOST(audioMasterBeginEdit, index) != 0; }

bool AudioEffectX::endEdit(VstInt32 index) { return HOST(audioMasterEndEdit, index) != 0; }

bool AudioEffectX::openFileSelector(VstFileSelect* selection) {
    return selection && HOST(audioMasterOpenFileSelector, 0, 0, selection) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* selection) {
    return selection && HOST(audioMasterCloseFileSelector, 0, 0, selection) != 0;
}

bool AudioEffectX::getChunkFile(void* nativePath) {
    return nativePath && HOST(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(HOST(audioMasterGetInputSpeakerArrangement));
}

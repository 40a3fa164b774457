#include "frame/audioeffectx.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/aeffeditor.h"

AudioEffectX::AudioEffectX(audioMasterCallback hostCallback, VstInt32 numPrograms,
                           VstInt32 numParams)
    : AudioEffect(hostCallback, numPrograms, numParams) {}

AudioEffectX::~AudioEffectX() {}

namespace {
constexpr VstInt32 kFirstOpcode = effProcessEvents;
constexpr VstInt32 kLastOpcode = effBeginLoadProgram;

constexpr uint64_t bit(VstInt32 opcode) { return uint64_t{1} << (opcode - kFirstOpcode); }

// Opcodes whose ptr is a text buffer, a record or an events block: a null one
// gets 0 and no call.
constexpr uint64_t kNeedsPointer =
    bit(effProcessEvents) | bit(effString2Parameter) | bit(effGetProgramNameIndexed) |
    bit(effGetInputProperties) | bit(effGetOutputProperties) | bit(effOfflineNotify) |
    bit(effOfflinePrepare) | bit(effOfflineRun) | bit(effProcessVarIo) |
    bit(effSetSpeakerArrangement) | bit(effGetEffectName) | bit(effGetErrorText) |
    bit(effGetVendorString) | bit(effGetProductString) | bit(effCanDo) |
    bit(effGetParameterProperties) | bit(effGetMidiProgramName) |
    bit(effGetCurrentMidiProgram) | bit(effGetMidiProgramCategory) | bit(effGetMidiKeyName) |
    bit(effGetSpeakerArrangement) | bit(effShellGetNextPlugin) | bit(effBeginLoadBank) |
    bit(effBeginLoadProgram);

// Opcodes that carry a second record pointer in value.
constexpr uint64_t kNeedsPointerValue = bit(effSetSpeakerArrangement) | bit(effGetSpeakerArrangement);

VstKeyCode keyCode(VstInt32 index, VstIntPtr value, float opt) {
    VstKeyCode key;
    std::memset(&key, 0, sizeof key);
    key.character = index;
    key.virt = static_cast<unsigned char>(value & 0xFF);
    // A modifier that no integer holds is none.
    const VstInt32 modifier = std::fabs(opt) < 2147483648.0f ? static_cast<VstInt32>(opt) : 0;
    key.modifier = static_cast<unsigned char>(modifier & 0xFF);
    return key;
}

template <typename T>
T* as(VstIntPtr value) {
    return reinterpret_cast<T*>(value);
}
}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    if (opcode < kFirstOpcode || opcode > kLastOpcode)
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    if ((kNeedsPointer & bit(opcode)) && !ptr) return 0;
    if ((kNeedsPointerValue & bit(opcode)) && !value) return 0;
    char* text = static_cast<char*>(ptr);
    const VstInt32 value32 = static_cast<VstInt32>(value);

    switch (opcode) {
        case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
        case effCanBeAutomated: return canParameterBeAutomated(index);
        case effString2Parameter: return string2parameter(index, text);
        case effGetNumProgramCategories: return getNumCategories();
        case effGetProgramNameIndexed: return getProgramNameIndexed(value32, index, text);
        case effCopyProgram: return copyProgram(index);
        case effConnectInput: inputConnected(index, value != 0); return 1;
        case effConnectOutput: outputConnected(index, value != 0); return 1;
        case effGetInputProperties:
            return getInputProperties(index, static_cast<VstPinProperties*>(ptr));
        case effGetOutputProperties:
            return getOutputProperties(index, static_cast<VstPinProperties*>(ptr));
        case effGetPlugCategory: return getPlugCategory();
        case effGetCurrentPosition: return reportCurrentPosition();
        case effGetDestinationBuffer: return reinterpret_cast<VstIntPtr>(reportDestinationBuffer());
        case effOfflineNotify:
            return offlineNotify(static_cast<VstAudioFile*>(ptr), value32, index != 0);
        case effOfflinePrepare: return offlinePrepare(static_cast<VstOfflineTask*>(ptr), value32);
        case effOfflineRun: return offlineRun(static_cast<VstOfflineTask*>(ptr), value32);
        case effProcessVarIo: return processVariableIo(static_cast<VstVariableIo*>(ptr));
        case effSetSpeakerArrangement:
            return setSpeakerArrangement(as<VstSpeakerArrangement>(value),
                                         static_cast<VstSpeakerArrangement*>(ptr));
        case effSetBlockSizeAndSampleRate: setBlockSizeAndSampleRate(value32, opt); return 1;
        case effSetBypass: return setBypass(value != 0);
        case effGetEffectName: return getEffectName(text);
        case effGetErrorText: return getErrorText(text);
        case effGetVendorString: return getVendorString(text);
        case effGetProductString: return getProductString(text);
        case effGetVendorVersion: return getVendorVersion();
        case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
        case effCanDo: return canDo(text);
        case effGetTailSize: return getGetTailSize();
        case effIdle: return fxIdle();
        case effGetIcon: return reinterpret_cast<VstIntPtr>(getIcon());
        case effSetViewPosition: return setViewPosition(index, value32);
        case effGetParameterProperties:
            return getParameterProperties(index, static_cast<VstParameterProperties*>(ptr));
        case effKeysRequired: return keysRequired() ? 0 : 1;  // the interface asks the inverse
        case effGetVstVersion: return getVstVersion();
        case effEditKeyDown: {
            if (!editor) return 0;
            VstKeyCode key = keyCode(index, value, opt);
            return editor->onKeyDown(key);
        }
        case effEditKeyUp: {
            if (!editor) return 0;
            VstKeyCode key = keyCode(index, value, opt);
            return editor->onKeyUp(key);
        }
        case effSetEditKnobMode: return editor ? editor->setKnobMode(value32) : 0;
        case effGetMidiProgramName:
            return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
        case effGetCurrentMidiProgram:
            return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
        case effGetMidiProgramCategory:
            return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
        case effHasMidiProgramsChanged: return hasMidiProgramsChanged(index);
        case effGetMidiKeyName: return getMidiKeyName(index, static_cast<MidiKeyName*>(ptr));
        case effBeginSetProgram: return beginSetProgram();
        case effEndSetProgram: return endSetProgram();
        case effGetSpeakerArrangement:
            return getSpeakerArrangement(as<VstSpeakerArrangement*>(value),
                                         static_cast<VstSpeakerArrangement**>(ptr));
        case effShellGetNextPlugin: return getNextShellPlugin(text);
        case effStartProcess: return startProcess();
        case effStopProcess: return stopProcess();
        case effSetTotalSampleToProcess: return setTotalSampleToProcess(value32);
        case effSetPanLaw: return setPanLaw(value32, opt);
        case effBeginLoadBank: return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
        case effBeginLoadProgram: return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
        default: return 0;
    }
}

AEffEditor* AudioEffectX::getEditor() { return editor; }
VstInt32 AudioEffectX::processEvents(VstEvents*) { return 0; }
bool AudioEffectX::canParameterBeAutomated(VstInt32) { return true; }
bool AudioEffectX::string2parameter(VstInt32, char*) { return false; }
float AudioEffectX::getChannelParameter(VstInt32, VstInt32) { return 0.0f; }
VstInt32 AudioEffectX::getNumCategories() { return 1; }
bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
bool AudioEffectX::copyProgram(VstInt32) { return false; }
void AudioEffectX::inputConnected(VstInt32, bool) {}
void AudioEffectX::outputConnected(VstInt32, bool) {}
bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*) { return false; }
VstPlugCategory AudioEffectX::getPlugCategory() {
    return (effectRecord.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}
void AudioEffectX::wantAsyncOperation(bool state) { setFlag(effFlagsExtIsAsync, state); }
void AudioEffectX::hasExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }
VstInt32 AudioEffectX::reportCurrentPosition() { return 0; }
float* AudioEffectX::reportDestinationBuffer() { return nullptr; }
bool AudioEffectX::offlineNotify(VstAudioFile*, VstInt32, bool) { return false; }
bool AudioEffectX::offlinePrepare(VstOfflineTask*, VstInt32) { return false; }
bool AudioEffectX::offlineRun(VstOfflineTask*, VstInt32) { return false; }
VstInt32 AudioEffectX::offlineGetNumPasses() { return 0; }
VstInt32 AudioEffectX::offlineGetNumMetaPasses() { return 0; }
void AudioEffectX::isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
void AudioEffectX::noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
bool AudioEffectX::processVariableIo(VstVariableIo*) { return false; }
bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
    return false;
}
bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                         VstSpeakerArrangement** pluginOutput) {
    if (pluginInput) *pluginInput = nullptr;
    if (pluginOutput) *pluginOutput = nullptr;
    return false;
}
void AudioEffectX::setBlockSizeAndSampleRate(VstInt32 blockSize, float sampleRate) {
    this->blockSize = blockSize;
    this->sampleRate = sampleRate;
}
bool AudioEffectX::setBypass(bool) { return false; }
bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getErrorText(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
VstInt32 AudioEffectX::getVendorVersion() { return 0; }
VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
VstInt32 AudioEffectX::canDo(char*) { return 0; }
void* AudioEffectX::getIcon() { return nullptr; }
bool AudioEffectX::setViewPosition(VstInt32, VstInt32) { return false; }
VstInt32 AudioEffectX::getGetTailSize() { return 0; }
VstInt32 AudioEffectX::fxIdle() { return 0; }
bool AudioEffectX::getParameterProperties(VstInt32, VstParameterProperties*) { return false; }
bool AudioEffectX::keysRequired() { return false; }
VstInt32 AudioEffectX::getVstVersion() { return 2300; }
VstInt32 AudioEffectX::getMidiProgramName(VstInt32, MidiProgramName*) { return 0; }
VstInt32 AudioEffectX::getCurrentMidiProgram(VstInt32, MidiProgramName*) { return -1; }
VstInt32 AudioEffectX::getMidiProgramCategory(VstInt32, MidiProgramCategory*) { return 0; }
bool AudioEffectX::hasMidiProgramsChanged(VstInt32) { return false; }
bool AudioEffectX::getMidiKeyName(VstInt32, MidiKeyName*) { return false; }
bool AudioEffectX::beginSetProgram() { return false; }
bool AudioEffectX::endSetProgram() { return false; }
VstInt32 AudioEffectX::setTotalSampleToProcess(VstInt32 value) { return value; }
VstInt32 AudioEffectX::getNextShellPlugin(char*) { return 0; }
VstInt32 AudioEffectX::startProcess() { return 0; }
VstInt32 AudioEffectX::stopProcess() { return 0; }
bool AudioEffectX::setPanLaw(VstInt32, float) { return false; }
VstInt32 AudioEffectX::beginLoadBank(VstPatchChunkInfo*) { return 0; }
VstInt32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo*) { return 0; }

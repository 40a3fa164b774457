#include "frame/audioeffect.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/aeffeditor.h"
#include "frame/trampolines.h"

AudioEffect::AudioEffect(audioMasterCallback hostCallback, VstInt32 numPrograms,
                         VstInt32 numParams)
    : sampleRate(44100.0f),
      editor(nullptr),
      hostCallback(hostCallback),
      numPrograms(numPrograms),
      numParams(numParams),
      currentProgram(0),
      blockSize(1024) {
    // Every byte the host may read and that is not named below stays zero.
    std::memset(&effectRecord, 0, sizeof effectRecord);
    effectRecord.magic = kEffectMagic;
    effectRecord.dispatcher = dispatchEffectClass;
    effectRecord.process = processClass;
    effectRecord.setParameter = setParameterClass;
    effectRecord.getParameter = getParameterClass;
    effectRecord.numPrograms = numPrograms;
    effectRecord.numParams = numParams;
    effectRecord.numInputs = 1;
    effectRecord.numOutputs = 2;
    effectRecord.ioRatio = 1.0f;
    effectRecord.object = this;
    effectRecord.uniqueID = vstFourCC('N', 'o', 'E', 'f');
    effectRecord.version = 1;
    effectRecord.processReplacing = processClassReplacing;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setParameter(VstInt32, float) {}
float AudioEffect::getParameter(VstInt32) { return 0.0f; }
void AudioEffect::processReplacing(float**, float**, VstInt32) {}

namespace {
constexpr uint32_t bit(VstInt32 opcode) { return uint32_t{1} << opcode; }

// Opcodes whose ptr is a text buffer or a record: a null one gets 0 and no call.
constexpr uint32_t kNeedsPointer = bit(effSetProgramName) | bit(effGetProgramName) |
                                   bit(effGetParamLabel) | bit(effGetParamDisplay) |
                                   bit(effGetParamName) | bit(effEditGetRect) |
                                   bit(effEditDraw) | bit(effGetChunk) | bit(effSetChunk);

// The meter reading as the host's integer; a reading that no integer holds is 0.
VstIntPtr vuAnswer(float vu) {
    double scaled = static_cast<double>(vu) * 32767.0;
    if (!(std::fabs(scaled) < 2147483648.0)) return 0;
    return static_cast<VstInt32>(scaled);
}
}  // namespace

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
    if (opcode < 0 || opcode > effSetChunk) return 0;
    if ((kNeedsPointer & bit(opcode)) && !ptr) return 0;
    char* text = static_cast<char*>(ptr);

    switch (opcode) {
        case effOpen: open(); return 0;
        case effClose: close(); return 0;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
            return 0;
        case effGetProgram: return getProgram();
        case effSetProgramName: setProgramName(text); return 0;
        case effGetProgramName: getProgramName(text); return 0;
        case effGetParamLabel: getParameterLabel(index, text); return 0;
        case effGetParamDisplay: getParameterDisplay(index, text); return 0;
        case effGetParamName: getParameterName(index, text); return 0;
        case effGetVu: return vuAnswer(getVu());
        case effSetSampleRate: setSampleRate(opt); return 0;
        case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;
        case effIdentify: return vstFourCC('N', 'v', 'E', 'f');
        case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
        case effSetChunk: return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
        default: break;
    }

    // The editor opcodes: nothing is called while there is no editor.
    if (!editor) return 0;
    switch (opcode) {
        case effEditGetRect: return editor->getRect(static_cast<ERect**>(ptr));
        case effEditOpen: return editor->open(ptr);
        case effEditClose: editor->close(); return 0;
        case effEditDraw: editor->draw(static_cast<ERect*>(ptr)); return 0;
        case effEditMouse: return editor->mouse(index, static_cast<VstInt32>(value));
        case effEditKey: return editor->key(static_cast<VstInt32>(value));
        case effEditIdle: editor->idle(); return 0;
        case effEditTop: editor->top(); return 0;
        case effEditSleep: editor->sleep(); return 0;
        default: return 0;
    }
}

void AudioEffect::open() {}
void AudioEffect::close() {}

VstInt32 AudioEffect::getProgram() { return currentProgram; }
void AudioEffect::setProgram(VstInt32 program) { currentProgram = program; }
void AudioEffect::setProgramName(char* name) {
    if (name) name[0] = 0;
}
void AudioEffect::getProgramName(char* name) {
    if (name) name[0] = 0;
}
void AudioEffect::getParameterLabel(VstInt32, char* label) {
    if (label) label[0] = 0;
}
void AudioEffect::getParameterDisplay(VstInt32, char* text) {
    if (text) text[0] = 0;
}
void AudioEffect::getParameterName(VstInt32, char* text) {
    if (text) text[0] = 0;
}
float AudioEffect::getVu() { return 0.0f; }
VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }
VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }
void AudioEffect::setSampleRate(float sampleRate) { this->sampleRate = sampleRate; }
void AudioEffect::setBlockSize(VstInt32 blockSize) { this->blockSize = blockSize; }
void AudioEffect::suspend() {}
void AudioEffect::resume() {}

void AudioEffect::setUniqueID(VstInt32 uniqueID) { effectRecord.uniqueID = uniqueID; }
void AudioEffect::setNumInputs(VstInt32 inputs) { effectRecord.numInputs = inputs; }
void AudioEffect::setNumOutputs(VstInt32 outputs) { effectRecord.numOutputs = outputs; }
void AudioEffect::hasVu(bool state) { setFlag(effFlagsHasVu, state); }
void AudioEffect::hasClip(bool state) { setFlag(effFlagsHasClip, state); }
void AudioEffect::canMono(bool state) { setFlag(effFlagsCanMono, state); }
void AudioEffect::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void AudioEffect::programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
void AudioEffect::setRealtimeQualities(VstInt32 qualities) { effectRecord.realQualities = qualities; }
void AudioEffect::setOfflineQualities(VstInt32 qualities) { effectRecord.offQualities = qualities; }
void AudioEffect::setInitialDelay(VstInt32 delay) { effectRecord.initialDelay = delay; }

float AudioEffect::getSampleRate() { return sampleRate; }
VstInt32 AudioEffect::getBlockSize() { return blockSize; }

void AudioEffect::setEditor(AEffEditor* editor) {
    this->editor = editor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
    if (state)
        effectRecord.flags |= flag;
    else
        effectRecord.flags &= ~flag;
}

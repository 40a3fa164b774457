#include "frame/trampolines.h"

#include "frame/audioeffect.h"

// No exception may unwind into the host, which is C code; a null record is
// answered like an unknown opcode.
namespace {
AudioEffect* effectOf(AEffect* e) {
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}
}  // namespace

VstIntPtr dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt) {
    AudioEffect* effect = effectOf(e);
    if (!effect) return 0;
    VstIntPtr answer = 0;
    try {
        answer = effect->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
        answer = 0;
    }
    if (opcode != effClose) return answer;
    // The host lets go of the record here: the effect and its editor go with it.
    delete effect;
    return 1;
}

float getParameterClass(AEffect* e, VstInt32 index) {
    AudioEffect* effect = effectOf(e);
    if (!effect) return 0.0f;
    try {
        return effect->getParameter(index);
    } catch (...) {
        return 0.0f;
    }
}

void setParameterClass(AEffect* e, VstInt32 index, float value) {
    AudioEffect* effect = effectOf(e);
    if (!effect) return;
    try {
        effect->setParameter(index, value);
    } catch (...) {
    }
}

void processClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    AudioEffect* effect = effectOf(e);
    if (!effect) return;
    try {
        effect->process(inputs, outputs, sampleFrames);
    } catch (...) {
    }
}

void processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    AudioEffect* effect = effectOf(e);
    if (!effect) return;
    try {
        effect->processReplacing(inputs, outputs, sampleFrames);
    } catch (...) {
    }
}

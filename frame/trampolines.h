// The five functions whose addresses the effect record carries. Each finds the
// effect through the record's object field and makes one virtual call.
#pragma once

#include "frame/aeffect.h"

VstIntPtr dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt);
float getParameterClass(AEffect* e, VstInt32 index);
void setParameterClass(AEffect* e, VstInt32 index, float value);
void processClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);
void processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);

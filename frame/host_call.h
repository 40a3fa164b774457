// One call into the host. Without a host callback the answer is 0, which every
// host service turns into its own fallback result.
#pragma once

#include "frame/aeffect.h"

inline VstIntPtr hostCall(audioMasterCallback hostCallback, AEffect* record, VstInt32 opcode,
                          VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                          float opt = 0.0f) {
    return hostCallback ? hostCallback(record, opcode, index, value, ptr, opt) : 0;
}

// The effect's parameters: indices, and one table of their texts and how each
// value is shown.
#pragma once

#include "frame/aeffect.h"

enum : VstInt32 {
    kPreDelay = 0,
    kPreDelaySw,
    kRoomSize,
    kMode,
    kLPFilter,
    kHPFilter,
    kHPReson,
    kBitRot,
    kBitRotSw,
    kInLevel,
    kInputSw,
    kWetLevel,
    kWetSw,
    kDryLevel,
    kDrySw,
    kMHoldSw,
    kMSizeSw,
    kMLevelSw,
    kNumParams
};

enum : VstInt32 { kNumPrograms = 10 };

// How getParameterDisplay turns a parameter into text.
enum class DisplayKind {
    milliseconds,  // pre-delay time, whole milliseconds
    roomSize,      // the tank's room-size factor
    tankMode,      // "Hold" or "Normal", from the tank
    lowPassCutoff,
    highPassCutoff,
    plain,         // the stored value
    bitRotRatio,   // the down-sampler's ratio
    level,         // decibels of the level curve
    onOff,         // switches
};

struct ParameterInfo {
    const char* name;   // at most 8 characters
    const char* label;  // null: the parameter has none
    DisplayKind display;
};

extern const ParameterInfo kParameters[kNumParams];

#include "effect/parameters.h"

const ParameterInfo kParameters[kNumParams] = {
    {"PreDelay", "ms", DisplayKind::milliseconds},
    {"PrDly Sw", nullptr, DisplayKind::onOff},
    {"RoomSize", "size", DisplayKind::roomSize},
    {"Mode", "mode", DisplayKind::tankMode},
    {"LPFilter", "Hz", DisplayKind::lowPassCutoff},
    {"HPFilter", "Hz", DisplayKind::highPassCutoff},
    {"HP Reson", nullptr, DisplayKind::plain},
    {"Bit Rot", "rate", DisplayKind::bitRotRatio},
    {"BitRotSw", nullptr, DisplayKind::onOff},
    {"InLevel", "dB", DisplayKind::level},
    {"Input Sw", nullptr, DisplayKind::onOff},
    {"WetLevel", "dB", DisplayKind::level},
    {"Wet Sw", nullptr, DisplayKind::onOff},
    {"DryLevel", "dB", DisplayKind::level},
    {"Dry Sw", nullptr, DisplayKind::onOff},
    {"MHold Sw", nullptr, DisplayKind::onOff},
    {"MSize Sw", nullptr, DisplayKind::onOff},
    {"MLevelSw", nullptr, DisplayKind::onOff},
};

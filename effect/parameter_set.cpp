// setParameter and the parameter texts.
#include <cmath>
#include <cstring>

#include "effect/editor_link.h"
#include "effect/tarnwell.h"

namespace {

constexpr float kPreDelayRangeMs = 400.0f;

bool isParameter(VstInt32 index)
{
    return index >= 0 && index < kNumParams;
}

float bitRotRatio(float value)
{
    return static_cast<float>(1.0 - static_cast<double>(value) * 0.95);
}

}  // namespace

// The level of a level parameter times its switch, the parameter after it.
float Tarnwell::levelGain(VstInt32 levelIndex)
{
    return table_lookup_clip(&levelCurve, parameterValues[levelIndex]) *
           parameterValues[levelIndex + 1];
}

void Tarnwell::applyPreDelayTime()
{
    const float ms = parameterValues[kPreDelay] * kPreDelayRangeMs;
    delay_set_attr(&preDelayL, DELAY_ATTR_TIME_MS, ms);
    delay_set_attr(&preDelayR, DELAY_ATTR_TIME_MS, ms);
}

void Tarnwell::setParameter(VstInt32 index, float value)
{
    // A non-finite value would poison the gains or the filters for good.
    if (!std::isfinite(value))
        return;

    if (isParameter(index)) {
        programs[currentProgram].values[index] = value;
        parameterValues[index] = value;

        switch (index) {
        case kPreDelay:
            applyPreDelayTime();
            break;
        case kPreDelaySw:
            if (value != 0.0f)
                applyPreDelayTime();
            break;
        case kRoomSize:
            setroomsize(value);
            break;
        case kMode:
            setmode(value);
            break;
        case kLPFilter:
            lpCutoff = table_lookup_clip(&lpCurve, value);
            filter_2_pole_low_pass_set_attr(&lpFilterL, FILTER_ATTR_CUTOFF, lpCutoff);
            filter_2_pole_low_pass_set_attr(&lpFilterR, FILTER_ATTR_CUTOFF, lpCutoff);
            break;
        case kHPFilter:
            hpCutoff = table_lookup_clip(&hpCurve, value);
            filter_multimode_set_attr(&hpFilterL, FILTER_ATTR_CUTOFF, hpCutoff);
            filter_multimode_set_attr(&hpFilterR, FILTER_ATTR_CUTOFF, hpCutoff);
            break;
        case kHPReson: {
            const float resonance = static_cast<float>(static_cast<double>(value) * 9.8);
            filter_multimode_set_attr(&hpFilterL, FILTER_ATTR_RESONANCE, resonance);
            filter_multimode_set_attr(&hpFilterR, FILTER_ATTR_RESONANCE, resonance);
            break;
        }
        case kBitRot:
            filter_downsample_set_attr(&bitRotL, FILTER_ATTR_DOWNSAMPLE_RATIO, bitRotRatio(value));
            filter_downsample_set_attr(&bitRotR, FILTER_ATTR_DOWNSAMPLE_RATIO, bitRotRatio(value));
            break;
        case kInLevel:
        case kInputSw:
            inputGain = levelGain(kInLevel);
            break;
        case kWetLevel:
        case kWetSw:
            wetGain = levelGain(kWetLevel);
            break;
        case kDryLevel:
        case kDrySw:
            dryGain = levelGain(kDryLevel);
            break;
        default:  // the other switches are read where they act
            break;
        }
    }

    if (editor)
        editorSetParameter(editor, index, value);
}

float Tarnwell::getParameter(VstInt32 index)
{
    return isParameter(index) ? parameterValues[index] : 0.0f;
}

void Tarnwell::getParameterName(VstInt32 index, char* text)
{
    if (isParameter(index) && text)
        std::strcpy(text, kParameters[index].name);
}

void Tarnwell::getParameterLabel(VstInt32 index, char* label)
{
    if (isParameter(index) && label && kParameters[index].label)
        std::strcpy(label, kParameters[index].label);
}

void Tarnwell::getParameterDisplay(VstInt32 index, char* text)
{
    if (!isParameter(index) || !text)
        return;
    const float v = parameterValues[index];
    switch (kParameters[index].display) {
    case DisplayKind::milliseconds:
        float2string(std::trunc(v * kPreDelayRangeMs), text);
        break;
    case DisplayKind::roomSize:
        float2string(getroomsize() * 0.28f + 0.7f, text);
        break;
    case DisplayKind::tankMode:
        std::strcpy(text, getmode() >= 0.5f ? "Hold" : "Normal");
        break;
    case DisplayKind::lowPassCutoff:
        float2string(lpCutoff, text);
        break;
    case DisplayKind::highPassCutoff:
        float2string(hpCutoff, text);
        break;
    case DisplayKind::plain:
        float2string(v, text);
        break;
    case DisplayKind::bitRotRatio:
        float2string(bitRotRatio(v), text);
        break;
    case DisplayKind::level:
        dB2string(table_lookup_clip(&levelCurve, v), text);
        break;
    case DisplayKind::onOff:
        float2OnOff(v, text);
        break;
    }
}

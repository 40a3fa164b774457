#include "effect/tarnwell.h"

#include <cstring>

#include "effect/editor_link.h"
#include "frame/entry.h"

namespace {

constexpr int kPreDelayCapacity = 19200;  // 435 ms at 44.1 kHz, above the 400 ms range
constexpr int kCurvePoints = 1024;
constexpr float kAllpassFeedback = 0.5f;

// The host-facing capability strings the effect answers yes to.
const char* const kCanDos[] = {"plugAsChannelInsert", "receiveVstMidiEvent", "plugAsSend",
                               "1in1out", "1in2out", "2in2out"};

bool copyText(char* destination, const char* text)
{
    if (!destination)
        return false;
    std::strcpy(destination, text);
    return true;
}

}  // namespace

Tarnwell::Tarnwell(audioMasterCallback hostCallback)
    : AudioEffectX(hostCallback, kNumPrograms, kNumParams)
{
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(vstFourCC('Q', 'm', 't', 'w'));
    canMono(true);
    canProcessReplacing(true);

    filter_multimode_init(&hpFilterL);
    filter_multimode_init(&hpFilterR);
    filter_multimode_set_attr(&hpFilterL, FILTER_ATTR_TYPE, 1.0f);
    filter_multimode_set_attr(&hpFilterR, FILTER_ATTR_TYPE, 1.0f);
    filter_2_pole_low_pass_init(&lpFilterL);
    filter_2_pole_low_pass_init(&lpFilterR);
    delay_init(&preDelayL, kPreDelayCapacity);
    delay_init(&preDelayR, kPreDelayCapacity);
    filter_downsample_init(&bitRotL);
    filter_downsample_init(&bitRotR);

    table_init(&levelCurve, kCurvePoints);
    table_fill(&levelCurve, TABLE_CURVE_LOG_FADER, 0.01f, 1.0f);
    table_init(&lpCurve, kCurvePoints);
    table_fill(&lpCurve, TABLE_CURVE_EXPONENTIAL, 500.0f, 5000.0f);
    table_init(&hpCurve, kCurvePoints);
    table_fill(&hpCurve, TABLE_CURVE_EXPONENTIAL, 100.0f, 2000.0f);

    midiLevel = 1.0f;

    attachTank();

    setroomsize(0.5f);
    setdamp(1.0f);
    setmode(0.0f);
    mute();

    inputPeakL = inputPeakR = 0.0f;
    dryPeakL = dryPeakR = 0.0f;
    wetPeakL = wetPeakR = 0.0f;
    midiActivity = midiActivityHold = 8820;

    if (AEffEditor* created = createTarnwellEditor(this))
        setEditor(created);

    programs = new TarnwellProgram[kNumPrograms];
    setProgram(0);
    initPresets();

    resume();
}

Tarnwell::~Tarnwell()
{
    delay_free(&preDelayL);
    delay_free(&preDelayR);
    filter_multimode_free(&hpFilterL);
    filter_multimode_free(&hpFilterR);
    table_free(&levelCurve);
    table_free(&lpCurve);
    table_free(&hpCurve);
    delete[] programs;
}

// Attaches every unit to its buffer, combs and all-passes left 1, right 1, left 2, ...
void Tarnwell::attachTank()
{
    float* const combBuffers[2][8] = {
        {bufCombL1, bufCombL2, bufCombL3, bufCombL4, bufCombL5, bufCombL6, bufCombL7, bufCombL8},
        {bufCombR1, bufCombR2, bufCombR3, bufCombR4, bufCombR5, bufCombR6, bufCombR7, bufCombR8}};
    const int combLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    float* const allpassBuffers[2][4] = {
        {bufAllpassL1, bufAllpassL2, bufAllpassL3, bufAllpassL4},
        {bufAllpassR1, bufAllpassR2, bufAllpassR3, bufAllpassR4}};
    const int allpassLengths[4] = {556, 441, 341, 225};
    constexpr int kRightSpread = 23;

    for (int i = 0; i < 8; ++i) {
        leftCombs[i].setbuffer(combBuffers[0][i], combLengths[i]);
        rightCombs[i].setbuffer(combBuffers[1][i], combLengths[i] + kRightSpread);
    }
    for (int i = 0; i < 4; ++i) {
        leftAllpasses[i].setbuffer(allpassBuffers[0][i], allpassLengths[i]);
        rightAllpasses[i].setbuffer(allpassBuffers[1][i], allpassLengths[i] + kRightSpread);
        leftAllpasses[i].setfeedback(kAllpassFeedback);
        rightAllpasses[i].setfeedback(kAllpassFeedback);
    }
}

void Tarnwell::suspend()
{
    mute();
}

void Tarnwell::resume()
{
    wantEvents(1);
    mute();
}

void Tarnwell::getDisplayValues(float& inputPeakL, float& inputPeakR, float& dryPeakL,
                                float& dryPeakR, float& wetPeakL, float& wetPeakR,
                                int& midiActivityFlag)
{
    inputPeakL = this->inputPeakL;
    inputPeakR = this->inputPeakR;
    dryPeakL = this->dryPeakL;
    dryPeakR = this->dryPeakR;
    wetPeakL = this->wetPeakL;
    wetPeakR = this->wetPeakR;
    if (midiActivity > 0) {
        midiActivityFlag = 1;
    } else {
        midiActivity = 0;
        midiActivityFlag = 0;
    }
}

bool Tarnwell::getEffectName(char* name)
{
    return copyText(name, "Tarnwell");
}

bool Tarnwell::getVendorString(char* text)
{
    return copyText(text, "Quillmoor, Inc.");
}

bool Tarnwell::getProductString(char* text)
{
    return copyText(text, "Tarnwell");
}

VstInt32 Tarnwell::canDo(char* text)
{
    if (!text)
        return 0;
    for (const char* capability : kCanDos)
        if (std::strcmp(text, capability) == 0)
            return 1;
    return 0;
}

AudioEffect* createEffectInstance(audioMasterCallback hostCallback)
{
    return new Tarnwell(hostCallback);
}

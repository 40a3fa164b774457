// The reverb effect: its state, lifecycle, parameters, programs, signal chain,
// tank control and MIDI control.
#pragma once

#include "dsp/delay.h"
#include "dsp/filter_2_pole_low_pass.h"
#include "dsp/filter_downsample.h"
#include "dsp/filter_multimode.h"
#include "dsp/table.h"
#include "effect/parameters.h"
#include "effect/program.h"
#include "frame/audioeffectx.h"
#include "reverb/allpass.h"
#include "reverb/comb.h"

class Tarnwell : public AudioEffectX {
public:
    explicit Tarnwell(audioMasterCallback hostCallback);
    ~Tarnwell() override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    void suspend() override;
    void resume() override;
    VstInt32 processEvents(VstEvents* events) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 canDo(char* text) override;

    // The editor's read-out of the levels and the MIDI indicator.
    void getDisplayValues(float& inputPeakL, float& inputPeakR, float& dryPeakL, float& dryPeakR,
                          float& wetPeakL, float& wetPeakR, int& midiActivityFlag);

    void mute();
    void update();
    void setroomsize(float value);
    float getroomsize();
    void setdamp(float value);
    void setmode(float value);
    float getmode();

protected:
    void noteOn(VstInt32 note, VstInt32 velocity, VstInt32 delta);
    void noteOff();
    void modWheel(VstInt32 value);
    void initPresets();
    void recoverFromNonFinite();

    // Tank control.
    float tankGain = 0.0f;
    float roomSize = 0.0f;
    float roomFeedback = 0.0f;
    float damping = 0.4f;
    float dampingInForce = 0.0f;
    float tankMode = 0.0f;

    // MIDI: no note has sounded yet.
    int lastNote = -1;

    comb leftCombs[8];
    comb rightCombs[8];
    allpass leftAllpasses[4];
    allpass rightAllpasses[4];

    // Tank buffers.
    float bufCombL1[1116], bufCombR1[1139];
    float bufCombL2[1188], bufCombR2[1211];
    float bufCombL3[1277], bufCombR3[1300];
    float bufCombL4[1356], bufCombR4[1379];
    float bufCombL5[1422], bufCombR5[1445];
    float bufCombL6[1491], bufCombR6[1514];
    float bufCombL7[1557], bufCombR7[1580];
    float bufCombL8[1617], bufCombR8[1640];
    float bufAllpassL1[556], bufAllpassR1[579];
    float bufAllpassL2[441], bufAllpassR2[464];
    float bufAllpassL3[341], bufAllpassR3[364];
    float bufAllpassL4[225], bufAllpassR4[248];

    filter_multimode hpFilterL, hpFilterR;
    delay preDelayL, preDelayR;
    filter_downsample bitRotL, bitRotR;
    filter_2_pole_low_pass lpFilterL, lpFilterR;
    table lpCurve, hpCurve, levelCurve;

    TarnwellProgram* programs = nullptr;

    float parameterValues[kNumParams] = {};

    float lpCutoff = 0.0f;
    float hpCutoff = 0.0f;
    float inputGain = 0.0f;
    float wetGain = 0.0f;
    float dryGain = 0.0f;
    float midiLevel = 1.0f;

    float inputPeakL = 0.0f, inputPeakR = 0.0f;
    float dryPeakL = 0.0f, dryPeakR = 0.0f;
    float wetPeakL = 0.0f, wetPeakR = 0.0f;
    int midiActivity = 8820;
    int midiActivityHold = 8820;

private:
    void attachTank();
    void clearTank();
    float levelGain(VstInt32 levelIndex);
    void applyPreDelayTime();
    template <bool adding>
    void run(float** inputs, float** outputs, VstInt32 sampleFrames);
};

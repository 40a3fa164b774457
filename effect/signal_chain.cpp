// process and processReplacing: the per-sample chain from the inputs through
// the tank and the wet-path modules to the outputs.
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "effect/float_mode.h"
#include "effect/tarnwell.h"

void Tarnwell::process(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    const DenormalsOff denormalsOff;
    run<true>(inputs, outputs, sampleFrames);
}

void Tarnwell::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    const DenormalsOff denormalsOff;
    run<false>(inputs, outputs, sampleFrames);
}

template <bool adding>
void Tarnwell::run(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (sampleFrames < 0 || !inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] ||
        !outputs[1])
        sampleFrames = 0;

    // Counted down only while positive, so hours of blocks cannot overflow it;
    // the read-out shows the same either way.
    if (midiActivity > 0)
        midiActivity -= sampleFrames;

    float peakInL = 0.0f, peakInR = 0.0f;
    float peakDryL = 0.0f, peakDryR = 0.0f;
    float peakWetL = 0.0f, peakWetR = 0.0f;
    const float wetFactor = parameterValues[kMLevelSw] != 0.0f ? wetGain * midiLevel : wetGain;

    // Stays zero while the tank feed and the filter outputs are finite.
    float nonFinite = 0.0f;

    const float* inLeft = inputs ? inputs[0] : nullptr;
    const float* inRight = inputs ? inputs[1] : nullptr;
    float* outLeft = outputs ? outputs[0] : nullptr;
    float* outRight = outputs ? outputs[1] : nullptr;

    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        const float inL = inLeft[i] * inputGain;
        const float inR = inRight[i] * inputGain;
        if (inL > peakInL)
            peakInL = inL;
        if (inR > peakInR)
            peakInR = inR;

        const float t = (inL + inR) * tankGain;

        float outL = 0.0f;
        float outR = 0.0f;
        for (int u = 0; u < 8; ++u) {
            outL += leftCombs[u].process(t);
            outR += rightCombs[u].process(t);
        }
        for (int u = 0; u < 4; ++u) {
            outL = leftAllpasses[u].process(outL);
            outR = rightAllpasses[u].process(outR);
        }

        if (parameterValues[kBitRotSw] != 0.0f) {
            outL = filter_downsample_dsp(&bitRotL, outL);
            outR = filter_downsample_dsp(&bitRotR, outR);
        }

        outL = filter_2_pole_low_pass_dsp(&lpFilterL, outL);
        outL = filter_multimode_dsp(&hpFilterL, outL);
        const float filteredL = outL;
        if (parameterValues[kPreDelaySw] != 0.0f)
            outL = delay_dsp(&preDelayL, outL);
        outR = filter_2_pole_low_pass_dsp(&lpFilterR, outR);
        outR = filter_multimode_dsp(&hpFilterR, outR);
        const float filteredR = outR;
        if (parameterValues[kPreDelaySw] != 0.0f)
            outR = delay_dsp(&preDelayR, outR);

        // x * 0 is 0 for every finite x and NaN otherwise.
        nonFinite = nonFinite + t * 0.0f + filteredL * 0.0f + filteredR * 0.0f;

        const float wetL = outL * wetFactor;
        const float wetR = outR * wetFactor;
        const float dryL = inL * dryGain;
        const float dryR = inR * dryGain;
        if (wetL > peakWetL)
            peakWetL = wetL;
        if (wetR > peakWetR)
            peakWetR = wetR;
        if (dryL > peakDryL)
            peakDryL = dryL;
        if (dryR > peakDryR)
            peakDryR = dryR;

        if constexpr (adding) {
            outLeft[i] = outLeft[i] + (dryL + wetL);
            outRight[i] = outRight[i] + (dryR + wetR);
        } else {
            outLeft[i] = dryL + wetL;
            outRight[i] = dryR + wetR;
        }
    }

    inputPeakL = peakInL;
    inputPeakR = peakInR;
    dryPeakL = peakDryL;
    dryPeakR = peakDryR;
    wetPeakL = peakWetL;
    wetPeakR = peakWetR;

    if (std::isnan(nonFinite))
        recoverFromNonFinite();
}

// A non-finite sample reached the tank or the wet-path filters (a non-finite
// input, or a signal large enough to overflow): without this the tank and the
// filters would recirculate it for good. Everything on the wet path starts
// again from silence, held or not; settings stay.
void Tarnwell::recoverFromNonFinite()
{
    for (int i = 0; i < 8; ++i) {
        leftCombs[i] = comb();
        rightCombs[i] = comb();
    }
    for (int i = 0; i < 4; ++i) {
        leftAllpasses[i] = allpass();
        rightAllpasses[i] = allpass();
    }
    attachTank();
    update();
    clearTank();

    for (filter_downsample* d : {&bitRotL, &bitRotR})
        d->held = 0.0f;
    for (filter_2_pole_low_pass* p : {&lpFilterL, &lpFilterR})
        filter_2_pole_low_pass_clear(p);
    for (filter_multimode* m : {&hpFilterL, &hpFilterR}) {
        m->low = m->high = m->band = m->notch = 0.0;
        m->output = 0.0f;
    }
    for (delay* d : {&preDelayL, &preDelayR})
        if (d->buffer)
            std::memset(d->buffer, 0, (d->max_length + 1) * sizeof(float));
}

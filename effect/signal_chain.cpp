// process and processReplacing: the chain from the inputs through the tank and
// the wet-path modules to the outputs, stage by stage over runs of a block.
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

namespace {

// Samples per run. Each tank unit and module is its own state machine fed
// forward by the one before it, so stepping one unit over a whole run and then
// the next gives every unit the same inputs in the same order as stepping all
// units sample by sample: the results are the same to the bit at any length.
constexpr VstInt32 kRun = 256;

// The two-pole low-pass and the state-variable high-pass over a run, with the
// records' state in locals; the operations are the module functions' own.
void lowPassRun(filter_2_pole_low_pass* p, float* x, VstInt32 n)
{
    const double gain = p->gain, a1 = p->a1, a2 = p->a2;
    double y1 = p->y1, y2 = p->y2;
    float y = p->output;
    for (VstInt32 i = 0; i < n; ++i) {
        y = static_cast<float>(gain * static_cast<double>(x[i]) + (a1 * y1 - a2 * y2));
        y2 = y1;
        y1 = y;
        x[i] = y;
    }
    p->y1 = y1;
    p->y2 = y2;
    p->output = y;
}

template <int mode>
void multimodeRun(filter_multimode* m, float* samples, VstInt32 n)
{
    const double freq = m->freq, damp = m->damp;
    double low = m->low, high = m->high, band = m->band, notch = m->notch;
    float out = m->output;
    auto tap = [&] {
        switch (mode) {
        case FILTER_MULTIMODE_LOW_PASS:
            return low;
        case FILTER_MULTIMODE_HIGH_PASS:
            return high;
        case FILTER_MULTIMODE_BAND_PASS:
            return band;
        case FILTER_MULTIMODE_NOTCH:
            return notch;
        case FILTER_MULTIMODE_PEAK:
            return low - high;
        default:
            return 0.0;
        }
    };
    for (VstInt32 i = 0; i < n; ++i) {
        const double x = samples[i];
        low = low + freq * band;
        notch = x - damp * band;
        high = notch - low;
        band = freq * high + band;
        const double tap1 = tap();
        low = low + freq * band;
        notch = x - damp * band;
        high = notch - low;
        band = freq * high + band;
        const double tap2 = tap();
        out = static_cast<float>(0.5 * tap1 + 0.5 * tap2);
        samples[i] = out;
    }
    m->low = low;
    m->high = high;
    m->band = band;
    m->notch = notch;
    m->output = out;
}

void multimodeRun(filter_multimode* m, float* samples, VstInt32 n)
{
    switch (m->mode) {
    case FILTER_MULTIMODE_LOW_PASS:
        return multimodeRun<FILTER_MULTIMODE_LOW_PASS>(m, samples, n);
    case FILTER_MULTIMODE_HIGH_PASS:
        return multimodeRun<FILTER_MULTIMODE_HIGH_PASS>(m, samples, n);
    case FILTER_MULTIMODE_BAND_PASS:
        return multimodeRun<FILTER_MULTIMODE_BAND_PASS>(m, samples, n);
    case FILTER_MULTIMODE_NOTCH:
        return multimodeRun<FILTER_MULTIMODE_NOTCH>(m, samples, n);
    case FILTER_MULTIMODE_PEAK:
        return multimodeRun<FILTER_MULTIMODE_PEAK>(m, samples, n);
    default:
        return multimodeRun<-1>(m, samples, n);
    }
}

// One tank channel over a run: the comb outputs summed in unit order per
// sample, then the all-passes in turn. Each unit is copied into a local whose
// address does not escape, so its fields stay in registers while the stores
// into its buffer go on.
void tankRun(comb* combs, allpass* allpasses, const float* feed, float* out, VstInt32 n)
{
    for (VstInt32 i = 0; i < n; ++i)
        out[i] = 0.0f;
    for (int u = 0; u < 8; ++u) {
        comb c = combs[u];
        for (VstInt32 i = 0; i < n; ++i)
            out[i] += c.process(feed[i]);
        combs[u] = c;
    }
    for (int u = 0; u < 4; ++u) {
        allpass a = allpasses[u];
        for (VstInt32 i = 0; i < n; ++i)
            out[i] = a.process(out[i]);
        allpasses[u] = a;
    }
}

}  // namespace

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

    float inL[kRun], inR[kRun], feed[kRun], wetL[kRun], wetR[kRun];

    for (VstInt32 start = 0; start < sampleFrames; start += kRun) {
        const VstInt32 n = sampleFrames - start < kRun ? sampleFrames - start : kRun;
        // Read once per run: a change from another thread applies from the next run.
        const bool bitRot = parameterValues[kBitRotSw] != 0.0f;
        const bool preDelay = parameterValues[kPreDelaySw] != 0.0f;
        const float gainIn = inputGain, gainTank = tankGain, gainDry = dryGain;

        // Every input of the run is read before any output is written: in-place
        // buffers see the same samples as per-sample processing.
        for (VstInt32 i = 0; i < n; ++i) {
            inL[i] = inLeft[start + i] * gainIn;
            inR[i] = inRight[start + i] * gainIn;
            feed[i] = (inL[i] + inR[i]) * gainTank;
        }

        tankRun(leftCombs, leftAllpasses, feed, wetL, n);
        tankRun(rightCombs, rightAllpasses, feed, wetR, n);

        if (bitRot) {
            for (VstInt32 i = 0; i < n; ++i) {
                wetL[i] = filter_downsample_dsp(&bitRotL, wetL[i]);
                wetR[i] = filter_downsample_dsp(&bitRotR, wetR[i]);
            }
        }
        lowPassRun(&lpFilterL, wetL, n);
        lowPassRun(&lpFilterR, wetR, n);
        multimodeRun(&hpFilterL, wetL, n);
        multimodeRun(&hpFilterR, wetR, n);

        for (VstInt32 i = 0; i < n; ++i) {
            // x * 0 is 0 for every finite x and NaN otherwise.
            nonFinite = nonFinite + feed[i] * 0.0f + wetL[i] * 0.0f + wetR[i] * 0.0f;
        }
        if (preDelay) {
            for (VstInt32 i = 0; i < n; ++i) {
                wetL[i] = delay_dsp(&preDelayL, wetL[i]);
                wetR[i] = delay_dsp(&preDelayR, wetR[i]);
            }
        }

        for (VstInt32 i = 0; i < n; ++i) {
            if (inL[i] > peakInL)
                peakInL = inL[i];
            if (inR[i] > peakInR)
                peakInR = inR[i];
            const float wl = wetL[i] * wetFactor;
            const float wr = wetR[i] * wetFactor;
            const float dl = inL[i] * gainDry;
            const float dr = inR[i] * gainDry;
            if (wl > peakWetL)
                peakWetL = wl;
            if (wr > peakWetR)
                peakWetR = wr;
            if (dl > peakDryL)
                peakDryL = dl;
            if (dr > peakDryR)
                peakDryR = dr;
            if constexpr (adding) {
                outLeft[start + i] = outLeft[start + i] + (dl + wl);
                outRight[start + i] = outRight[start + i] + (dr + wr);
            } else {
                outLeft[start + i] = dl + wl;
                outRight[start + i] = dr + wr;
            }
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

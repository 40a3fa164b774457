#include "dsp/filter_multimode.h"

#include <cmath>

#include "dsp/truncate.h"

namespace {

constexpr double kPi = 3.141592653589793;

void compute_freq(filter_multimode* m)
{
    const double rate = gAudioSamplingRate;
    m->freq = 2.0 * std::sin(static_cast<double>(m->cutoff) * kPi / (rate + rate));
    if (m->freq > 0.25)
        m->freq = 0.25;
}

void compute_damp(filter_multimode* m)
{
    double a = 2.0 / m->freq - 0.5 * m->freq;
    if (a > 2.0)
        a = 2.0;
    const double b = 2.0 * (1.0 - std::pow(m->q, 0.25));
    // b is not a number for a negative q: the comparison fails and a is taken.
    m->damp = a >= b ? b : a;
}

double tap(const filter_multimode* m)
{
    switch (m->mode) {
    case FILTER_MULTIMODE_LOW_PASS:
        return m->low;
    case FILTER_MULTIMODE_HIGH_PASS:
        return m->high;
    case FILTER_MULTIMODE_BAND_PASS:
        return m->band;
    case FILTER_MULTIMODE_NOTCH:
        return m->notch;
    case FILTER_MULTIMODE_PEAK:
        return m->low - m->high;
    default:
        return 0.0; // no such response: silence
    }
}

void update(filter_multimode* m, double x)
{
    m->low = m->low + m->freq * m->band;
    m->notch = x - m->damp * m->band;
    m->high = m->notch - m->low;
    m->band = m->freq * m->high + m->band;
}

} // namespace

void filter_multimode_init(filter_multimode* m)
{
    m->cutoff = 1000.0f;
    m->resonance = 0.0f;
    m->q = 0.0;
    m->mode = FILTER_MULTIMODE_LOW_PASS;
    compute_freq(m);
    compute_damp(m);
    m->low = 0.0;
    m->high = 0.0;
    m->band = 0.0;
    m->notch = 0.0;
    m->output = 0.0f;
}

void filter_multimode_free(filter_multimode*) {}

void filter_multimode_set_attr(filter_multimode* m, int attr, float value)
{
    switch (attr) {
    case FILTER_ATTR_CUTOFF:
        m->cutoff = value;
        compute_freq(m);
        compute_damp(m);
        break;
    case FILTER_ATTR_RESONANCE:
        m->resonance = value;
        m->q = static_cast<double>(value) * 0.1;
        compute_damp(m);
        break;
    case FILTER_ATTR_TYPE:
        // A mode that is not a number is no request; beyond the int range it saturates.
        if (value == value)
            m->mode = csd_truncate_saturating(value);
        break;
    default:
        break; // recomputing damp from unchanged freq and q would give the same value
    }
}

float filter_multimode_get_attr(filter_multimode* m, int attr)
{
    switch (attr) {
    case FILTER_ATTR_CUTOFF:
        return m->cutoff;
    case FILTER_ATTR_RESONANCE:
        return m->resonance;
    case FILTER_ATTR_TYPE:
        return static_cast<float>(m->mode);
    default:
        return 0.0f;
    }
}

float filter_multimode_dsp(filter_multimode* m, float input)
{
    const double x = input;
    update(m, x);
    const double tap1 = tap(m);
    update(m, x);
    const double tap2 = tap(m);
    m->output = static_cast<float>(0.5 * tap1 + 0.5 * tap2);
    return m->output;
}

float filter_multimode_get_output(filter_multimode* m)
{
    return m->output;
}

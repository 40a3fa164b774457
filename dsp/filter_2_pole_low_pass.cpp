#include "dsp/filter_2_pole_low_pass.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

void compute_omega(filter_2_pole_low_pass* p)
{
    p->omega = static_cast<double>(p->cutoff) * kTwoPi / static_cast<double>(gAudioSamplingRate);
}

void compute_coefficients(filter_2_pole_low_pass* p)
{
    p->a1 = 2.0 * std::cos(p->omega) * std::exp(p->omega * 0.5 * p->decay);
    p->a2 = std::exp(p->omega * p->decay);
    p->gain = 1.0 - p->a1 + p->a2;
}

} // namespace

void filter_2_pole_low_pass_init(filter_2_pole_low_pass* p)
{
    p->cutoff = 1000.0f;
    p->resonance = 1.0f;
    p->decay = -1.0;
    compute_omega(p);
    compute_coefficients(p);
    p->y1 = 0.0;
    p->y2 = 0.0;
    p->output = 0.0f;
}

void filter_2_pole_low_pass_free(filter_2_pole_low_pass*) {}

void filter_2_pole_low_pass_set_attr(filter_2_pole_low_pass* p, int attr, float value)
{
    if (attr == FILTER_ATTR_CUTOFF) {
        p->cutoff = value;
        compute_omega(p);
    } else if (attr == FILTER_ATTR_RESONANCE) {
        p->resonance = value;
        // Compared in double: the float against the double 0.001.
        p->decay = static_cast<double>(value) <= 0.001 ? -1000.0 : -1.0 / static_cast<double>(value);
    }
    compute_coefficients(p);
}

float filter_2_pole_low_pass_get_attr(filter_2_pole_low_pass* p, int attr)
{
    if (attr == FILTER_ATTR_CUTOFF)
        return p->cutoff;
    if (attr == FILTER_ATTR_RESONANCE)
        return p->resonance;
    return 0.0f;
}

void filter_2_pole_low_pass_clear(filter_2_pole_low_pass* p)
{
    p->y1 = 0.0;
    p->y2 = 0.0;
    p->output = 0.0f;
}

float filter_2_pole_low_pass_dsp(filter_2_pole_low_pass* p, float input)
{
    const float y = static_cast<float>(p->gain * static_cast<double>(input) + (p->a1 * p->y1 - p->a2 * p->y2));
    p->y2 = p->y1;
    p->y1 = y;
    p->output = y;
    return y;
}

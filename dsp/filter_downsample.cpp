#include "dsp/filter_downsample.h"

void filter_downsample_init(filter_downsample* d)
{
    d->ratio = 1.0f;
    d->phase = 0.0f;
    d->held = 0.0f;
}

void filter_downsample_free(filter_downsample*) {}

void filter_downsample_set_attr(filter_downsample* d, int attr, float value)
{
    if (attr != FILTER_ATTR_DOWNSAMPLE_RATIO)
        return;
    d->ratio = value;
    d->phase = 0.0f; // the held sample stays until the phase reaches 1 again
}

float filter_downsample_get_attr(filter_downsample* d, int attr)
{
    return attr == FILTER_ATTR_DOWNSAMPLE_RATIO ? d->ratio : 0.0f;
}

float filter_downsample_dsp(filter_downsample* d, float input)
{
    d->phase = d->phase + d->ratio;
    if (d->phase >= 1.0f) {
        d->held = input;
        d->phase = d->phase - 1.0f;
    }
    return d->held;
}

float filter_downsample_get_output(filter_downsample* d)
{
    return d->held;
}

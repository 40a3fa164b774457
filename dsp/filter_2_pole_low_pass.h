/* Recursive two-pole low-pass with unity gain at zero frequency. */
#ifndef TARNWELL_DSP_FILTER_2_POLE_LOW_PASS_H
#define TARNWELL_DSP_FILTER_2_POLE_LOW_PASS_H

#include "dsp/csd.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct filter_2_pole_low_pass {
    float cutoff;    /* Hz */
    float resonance;
    double a1;
    double a2;
    double gain;     /* 1 - a1 + a2 */
    double decay;    /* -1 / resonance, or -1000 for a resonance of 0.001 or less */
    double omega;    /* cutoff in radians per sample */
    double y1;
    double y2;
    float output;
} filter_2_pole_low_pass;

CSD_EXPORT void filter_2_pole_low_pass_init(filter_2_pole_low_pass* p);
CSD_EXPORT void filter_2_pole_low_pass_free(filter_2_pole_low_pass* p);
CSD_EXPORT void filter_2_pole_low_pass_set_attr(filter_2_pole_low_pass* p, int attr, float value);
CSD_EXPORT float filter_2_pole_low_pass_get_attr(filter_2_pole_low_pass* p, int attr);
CSD_EXPORT void filter_2_pole_low_pass_clear(filter_2_pole_low_pass* p);
CSD_EXPORT float filter_2_pole_low_pass_dsp(filter_2_pole_low_pass* p, float input);

#ifdef __cplusplus
}
#endif

#endif

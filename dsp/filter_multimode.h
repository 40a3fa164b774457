/* Resonant two-pole state-variable filter with five responses, run twice per sample. */
#ifndef TARNWELL_DSP_FILTER_MULTIMODE_H
#define TARNWELL_DSP_FILTER_MULTIMODE_H

#include <stdint.h>

#include "dsp/csd.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    FILTER_MULTIMODE_LOW_PASS = 0,
    FILTER_MULTIMODE_HIGH_PASS = 1,
    FILTER_MULTIMODE_BAND_PASS = 2,
    FILTER_MULTIMODE_NOTCH = 3,
    FILTER_MULTIMODE_PEAK = 4
};

typedef struct filter_multimode {
    float cutoff;    /* Hz */
    float resonance; /* 0 none .. 10 no damping */
    double freq;
    double q;
    double damp;
    double low;
    double high;
    double band;
    double notch;
    int32_t mode;    /* a mode outside 0..4 outputs silence */
    float output;
} filter_multimode;

CSD_EXPORT void filter_multimode_init(filter_multimode* m);
CSD_EXPORT void filter_multimode_free(filter_multimode* m);
CSD_EXPORT void filter_multimode_set_attr(filter_multimode* m, int attr, float value);
CSD_EXPORT float filter_multimode_get_attr(filter_multimode* m, int attr);
CSD_EXPORT float filter_multimode_dsp(filter_multimode* m, float input);
CSD_EXPORT float filter_multimode_get_output(filter_multimode* m);

#ifdef __cplusplus
}
#endif

#endif

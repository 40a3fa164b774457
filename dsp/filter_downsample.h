/* Sample-and-hold rate reducer at a fractional ratio. */
#ifndef TARNWELL_DSP_FILTER_DOWNSAMPLE_H
#define TARNWELL_DSP_FILTER_DOWNSAMPLE_H

#include "dsp/csd.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct filter_downsample {
    float ratio; /* phase added per input sample */
    float phase;
    float held;  /* the output */
} filter_downsample;

CSD_EXPORT void filter_downsample_init(filter_downsample* d);
CSD_EXPORT void filter_downsample_free(filter_downsample* d);
CSD_EXPORT void filter_downsample_set_attr(filter_downsample* d, int attr, float value);
CSD_EXPORT float filter_downsample_get_attr(filter_downsample* d, int attr);
CSD_EXPORT float filter_downsample_dsp(filter_downsample* d, float input);
CSD_EXPORT float filter_downsample_get_output(filter_downsample* d);

#ifdef __cplusplus
}
#endif

#endif

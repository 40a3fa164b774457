/* Whole-sample delay line on a ring of fixed capacity. */
#ifndef TARNWELL_DSP_DELAY_H
#define TARNWELL_DSP_DELAY_H

#include <stdint.h>

#include "dsp/csd.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct delay {
    float time_ms;       /* whole milliseconds, as last accepted */
    uint32_t length;     /* delay in samples, as last accepted */
    uint32_t max_length; /* capacity in samples */
    float* buffer;       /* max_length + 1 samples */
    float* write_ptr;
    float* read_ptr;
    float* end_ptr;      /* last position of the active ring: buffer + length */
} delay;

CSD_EXPORT void delay_init(delay* d, int max_length);
CSD_EXPORT void delay_free(delay* d);
CSD_EXPORT void delay_set_attr(delay* d, int attr, float value);
CSD_EXPORT float delay_get_attr(delay* d, int attr);
CSD_EXPORT float delay_dsp(delay* d, float input);
CSD_EXPORT float delay_get_output(delay* d);

#ifdef __cplusplus
}
#endif

#endif

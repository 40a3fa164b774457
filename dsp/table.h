/* Curve tables: a curve sampled at evenly spaced points over 0..1, read back by
   linear interpolation with the position clamped. */
#ifndef TARNWELL_DSP_TABLE_H
#define TARNWELL_DSP_TABLE_H

#include <stdint.h>

#include "dsp/csd.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    TABLE_CURVE_EXPONENTIAL = 800,
    TABLE_CURVE_LOG_FADER = 810,
    TABLE_CURVE_DECIBEL = 830,
    TABLE_CURVE_HALF_SINE = 840,
    TABLE_CURVE_QUARTER_SINE = 842,
    TABLE_CURVE_QUARTER_COSINE = 843
};

typedef struct table {
    int32_t size; /* number of curve points n */
    float* data;  /* n points, then a guard copy of the last one */
} table;

CSD_EXPORT void table_init(table* t, int n);
CSD_EXPORT void table_free(table* t);
CSD_EXPORT void table_fill(table* t, int type, float lo, float hi);
CSD_EXPORT float table_lookup_clip(table* t, float position);
CSD_EXPORT float table_lookup_clip_bipolar(table* t, float position);

#ifdef __cplusplus
}
#endif

#endif

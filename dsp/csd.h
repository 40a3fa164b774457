/* Shared conventions of the module library: export marker, global sample rate,
   attribute identifiers, zero-filled memory blocks, numeric and text helpers. */
#ifndef TARNWELL_DSP_CSD_H
#define TARNWELL_DSP_CSD_H

#define CSD_EXPORT __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Attribute identifiers: negative library-wide, 200..299 filters, 500..599 delays. */
enum {
    CSD_ATTR_SAMPLING_RATE = -100,
    FILTER_ATTR_CUTOFF = 200,
    FILTER_ATTR_RESONANCE = 201,
    FILTER_ATTR_TYPE = 210,
    FILTER_ATTR_DOWNSAMPLE_RATIO = 220,
    DELAY_ATTR_TIME_MS = 500,
    DELAY_ATTR_TIME_SAMPLES = 501
};

/* Read only while coefficients are computed, never per sample. */
extern CSD_EXPORT float gAudioSamplingRate;
extern CSD_EXPORT float gAudioSamplingRateReciprocal;

CSD_EXPORT void csd_set_attr(int attr, float value);
CSD_EXPORT float csd_get_attr(int attr);

/* Zero-filled block, or null when the memory is not available. */
CSD_EXPORT void* csd_mem_alloc(int size);
CSD_EXPORT void csd_mem_free(void* ptr, int size);

CSD_EXPORT float csd_fast_abs(float x);
CSD_EXPORT float csd_fast_max(float a, float b);
CSD_EXPORT float csd_fast_min(float a, float b);
CSD_EXPORT float csd_fast_clip(float x, float lo, float hi);
CSD_EXPORT float csd_utilities_amplitude2decibels(float x);
CSD_EXPORT float csd_utilities_decibels2amplitude(float x);

/* text holds at least 4 bytes ("Off"); float2percent writes at most 12 ("-2147483648"). */
CSD_EXPORT void float2OnOff(float value, char* text);
CSD_EXPORT void float2percent(float value, char* text);

#ifdef __cplusplus
}
#endif

#endif

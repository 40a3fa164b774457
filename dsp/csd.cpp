#include "dsp/csd.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dsp/truncate.h"

float gAudioSamplingRate = 44100.0f;
float gAudioSamplingRateReciprocal = static_cast<float>(1.0 / 44100.0);

void csd_set_attr(int attr, float value)
{
    if (attr != CSD_ATTR_SAMPLING_RATE)
        return;
    gAudioSamplingRate = value;
    gAudioSamplingRateReciprocal = static_cast<float>(1.0 / static_cast<double>(value));
}

float csd_get_attr(int attr)
{
    return attr == CSD_ATTR_SAMPLING_RATE ? gAudioSamplingRate : 0.0f;
}

void* csd_mem_alloc(int size)
{
    if (size < 0)
        return nullptr;
    // A zero-byte request still gets a distinct block, so null always means failure.
    return std::calloc(size > 0 ? static_cast<std::size_t>(size) : 1, 1);
}

void csd_mem_free(void* ptr, int /*size*/)
{
    std::free(ptr);
}

float csd_fast_abs(float x)
{
    return std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) & 0x7FFFFFFFu);
}

float csd_fast_max(float a, float b)
{
    const float d = a - b;
    return (d + csd_fast_abs(d)) * 0.5f + b;
}

float csd_fast_min(float a, float b)
{
    const float d = b - a;
    return b - (d + csd_fast_abs(d)) * 0.5f;
}

float csd_fast_clip(float x, float lo, float hi)
{
    return ((csd_fast_abs(x - lo) + (lo + hi)) - csd_fast_abs(x - hi)) * 0.5f;
}

float csd_utilities_amplitude2decibels(float x)
{
    if (x >= 0.0f)
        return static_cast<float>(20.0 * std::log10(static_cast<double>(x)));
    return 0.0f; // negative or not a number
}

float csd_utilities_decibels2amplitude(float x)
{
    return static_cast<float>(std::pow(10.0, static_cast<double>(x) / 20.0));
}

void float2OnOff(float value, char* text)
{
    if (text)
        std::strcpy(text, value == 0.0f ? "Off" : "On");
}

void float2percent(float value, char* text)
{
    if (!text)
        return;
    const float percent = value * 100.0f;
    std::snprintf(text, 12, "%d", static_cast<int>(csd_truncate_saturating(percent)));
}

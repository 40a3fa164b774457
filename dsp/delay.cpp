#include "dsp/delay.h"

#include <climits>
#include <cmath>
#include <cstddef>

namespace {

// Largest capacity whose storage, in bytes, fits the allocator's int size.
constexpr int kMaxCapacity = INT_MAX / 4 - 1;

int storage_bytes(const delay* d)
{
    return static_cast<int>((d->max_length + 1) * 4);
}

} // namespace

void delay_init(delay* d, int max_length)
{
    if (max_length < 0)
        max_length = 0;
    if (max_length > kMaxCapacity)
        max_length = kMaxCapacity;
    d->max_length = static_cast<uint32_t>(max_length);
    d->buffer = static_cast<float*>(csd_mem_alloc(storage_bytes(d)));
    d->write_ptr = d->buffer;
    d->read_ptr = d->buffer;
    d->end_ptr = d->buffer + max_length;
}

void delay_free(delay* d)
{
    csd_mem_free(d->buffer, storage_bytes(d));
    d->buffer = nullptr;
    d->write_ptr = nullptr;
    d->read_ptr = nullptr;
    d->end_ptr = nullptr;
}

void delay_set_attr(delay* d, int attr, float value)
{
    double samples;
    double milliseconds;
    if (attr == DELAY_ATTR_TIME_MS) {
        const float product = value * gAudioSamplingRate;
        samples = static_cast<double>(product) * 0.001;
        milliseconds = value;
    } else if (attr == DELAY_ATTR_TIME_SAMPLES) {
        samples = value;
        milliseconds = static_cast<double>(value) * 1000.0 / static_cast<double>(gAudioSamplingRate);
    } else {
        return;
    }

    // A negative, not-a-number or over-long request is ignored as a whole.
    samples = std::trunc(samples);
    if (!(samples >= 0.0 && samples <= static_cast<double>(d->max_length)))
        return;
    const uint32_t n = static_cast<uint32_t>(samples);

    d->length = n;
    d->end_ptr = d->buffer + n;
    // After a shortening the write position may lie beyond the new ring; fold it
    // back in so that the new delay holds from the next step.
    const std::ptrdiff_t len = n;
    std::ptrdiff_t w = d->write_ptr - d->buffer;
    if (w > len) {
        w %= len + 1;
        d->write_ptr = d->buffer + w;
    }
    // read = write - length, one turn of the ring added when that falls before the start.
    const std::ptrdiff_t r = w >= len ? w - len : w - len + (len + 1);
    d->read_ptr = d->buffer + r;
    // + 0.0 keeps a truncated -0.x from reading back as -0.0.
    d->time_ms = static_cast<float>(std::trunc(milliseconds) + 0.0);
}

float delay_get_attr(delay* d, int attr)
{
    if (attr == DELAY_ATTR_TIME_MS)
        return d->time_ms;
    if (attr == DELAY_ATTR_TIME_SAMPLES)
        return static_cast<float>(d->length);
    return 0.0f;
}

float delay_dsp(delay* d, float input)
{
    *d->write_ptr++ = input;
    const float output = *d->read_ptr++;
    if (d->write_ptr > d->end_ptr)
        d->write_ptr = d->buffer;
    if (d->read_ptr > d->end_ptr)
        d->read_ptr = d->buffer;
    return output;
}

float delay_get_output(delay* d)
{
    return *d->read_ptr;
}

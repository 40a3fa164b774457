#include "dsp/table.h"

#include <climits>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// Byte count of n points plus the guard, or -1 when it does not fit the allocator.
int table_bytes(int n)
{
    const long long bytes = (static_cast<long long>(n) + 1) * 4;
    return bytes > 0 && bytes <= INT_MAX ? static_cast<int>(bytes) : -1;
}

// Interpolation in double, rounded once.
float interpolate(const table* t, float u)
{
    const float p = u * static_cast<float>(t->size - 1);
    const int i = static_cast<int>(p);
    const float f = p - static_cast<float>(i);
    const double fd = f;
    return static_cast<float>(static_cast<double>(t->data[i]) * (1.0 - fd) +
                              static_cast<double>(t->data[i + 1]) * fd);
}

} // namespace

void table_init(table* t, int n)
{
    t->size = n;
    const int bytes = table_bytes(n);
    t->data = bytes > 0 ? static_cast<float*>(csd_mem_alloc(bytes)) : nullptr;
}

void table_free(table* t)
{
    csd_mem_free(t->data, table_bytes(t->size));
    t->data = nullptr;
}

void table_fill(table* t, int type, float lo, float hi)
{
    if (!t->data || t->size < 1)
        return;
    const int n = t->size;
    float* data = t->data;
    const float last = static_cast<float>(n - 1);

    switch (type) {
    case TABLE_CURVE_EXPONENTIAL: {
        const float r = hi / lo;
        const double ln_r = std::log(static_cast<double>(r));
        for (int i = 0; i < n; ++i) {
            const double x = static_cast<float>(i) / last;
            data[i] = static_cast<float>(lo * std::pow(2.0, x * ln_r / std::log(2.0)));
        }
        break;
    }
    case TABLE_CURVE_LOG_FADER: {
        data[0] = 0.0f;
        const double h = hi == 0.0f ? 1.0 : hi;
        for (int i = 1; i < n; ++i) {
            const double x = static_cast<float>(i) / last;
            data[i] = static_cast<float>(h * std::log10(x * 0.9 + 0.1) + h);
        }
        break;
    }
    case TABLE_CURVE_DECIBEL: {
        // Point 0 is minus infinity decibels; the clamp's limit there is 0.
        data[0] = 0.0f;
        const double w = lo * hi;
        for (int i = 1; i < n; ++i) {
            const double x = static_cast<float>(i) / last;
            const float v = static_cast<float>(20.0 * std::log10(x) / w + 1.0);
            data[i] = csd_fast_clip(v, 0.0f, 1.0f);
        }
        break;
    }
    case TABLE_CURVE_HALF_SINE:
        for (int i = 0; i < n; ++i) {
            const float x = static_cast<float>(i) / last;
            data[i] = static_cast<float>(std::sin(static_cast<double>(x - 0.5f) * kPi));
        }
        break;
    case TABLE_CURVE_QUARTER_SINE:
        for (int i = 0; i < n; ++i) {
            const double x = static_cast<float>(i) / last;
            data[i] = static_cast<float>(std::sin(x * kPi * 0.5));
        }
        break;
    case TABLE_CURVE_QUARTER_COSINE:
        for (int i = 0; i < n; ++i) {
            const double x = static_cast<float>(i) / last;
            data[i] = static_cast<float>(std::cos(x * kPi * 0.5));
        }
        break;
    default:
        break; // unknown curve: the points stay as they are
    }
    data[n] = data[n - 1];
}

float table_lookup_clip(table* t, float position)
{
    float u = position;
    if (u < 0.0f)
        u = 0.0f;
    else if (!(u <= 1.0f)) // above 1 or not a number
        u = 1.0f;
    return interpolate(t, u);
}

float table_lookup_clip_bipolar(table* t, float position)
{
    float u = (position + 1.0f) * 0.5f;
    if (!(u >= 0.0f)) // below 0 or not a number
        u = 0.0f;
    else if (u > 1.0f)
        u = 1.0f;
    return interpolate(t, u);
}

// The parameter texts: eight characters and a terminator, digits cut, never
// rounded.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/audioeffect.h"

namespace {
constexpr int kBudget = 8;

void copyText(char* text, const char* source) { std::memcpy(text, source, std::strlen(source) + 1); }
}  // namespace

void AudioEffect::float2string(float value, char* text) {
    if (!text) return;
    double v = value;
    if (std::isnan(v)) {
        copyText(text, "NaN");
        return;
    }
    const bool negative = v < 0;
    int count = 0;
    if (negative) {
        v = -v;
        count = 1;
    }
    // An integer part longer than the budget would lose its leading digits.
    if (v >= (negative ? 1000000.0 : 10000000.0)) {
        copyText(text, "Huge!");
        return;
    }

    // Integer part, right to left, ending in the point.
    char integer[kBudget + 1];
    int pos = kBudget;
    integer[pos] = 0;
    integer[--pos] = '.';
    ++count;
    const double whole = std::floor(v);
    integer[--pos] = static_cast<char>('0' + static_cast<int>(std::fmod(whole, 10.0)));
    ++count;
    for (double q = whole / 10.0; q >= 1.0 && count < kBudget; q /= 10.0) {
        integer[--pos] = static_cast<char>('0' + static_cast<int>(std::fmod(q, 10.0)));
        ++count;
    }
    if (negative) integer[--pos] = '-';
    const int integerLength = kBudget - pos;
    std::memcpy(text, integer + pos, integerLength + 1);

    // Fraction, right to left, filling the budget.
    const int n = kBudget - count;
    char* fraction = text + integerLength;
    double m = std::fmod(v, 1.0) * std::pow(10.0, n);
    for (int i = n - 1; i >= 0; --i) {
        fraction[i] = m <= 0 ? '0' : static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0)));
        m = m / 10.0;
    }
    fraction[n] = 0;
}

void AudioEffect::dB2string(float value, char* text) {
    if (!text) return;
    if (value <= 0) {
        // Minus and the infinity sign of the Mac OS Roman set, as saved texts have it.
        text[0] = '\x2D';
        text[1] = '\xB0';
        text[2] = 0;
        return;
    }
    float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
}

void AudioEffect::Hz2string(float samples, char* text) {
    if (!text) return;
    if (samples == 0) {
        float2string(0.0f, text);
        return;
    }
    float2string(getSampleRate() / samples, text);
}

void AudioEffect::ms2string(float samples, char* text) {
    if (!text) return;
    float2string(
        static_cast<float>(static_cast<double>(samples) * 1000.0 / static_cast<double>(getSampleRate())),
        text);
}

void AudioEffect::long2string(VstInt32 value, char* text) {
    if (!text) return;
    // Below -9999999 the sign and digits exceed the budget.
    if (value > 99999999 || value < -9999999) {
        copyText(text, "Huge!");
        return;
    }
    std::snprintf(text, kBudget + 1, "%7d", static_cast<int>(value));
}

// Parameter texts: eight characters and a terminator, cut not rounded.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/frame/test_effect.h"
#include "tests/host/test_host.h"

namespace {

struct TextCase {
    const char* what;
    std::function<void(AudioEffect&, char*)> write;
    std::string text;
};

std::function<void(AudioEffect&, char*)> floatText(float value) {
    return [=](AudioEffect& e, char* t) { e.float2string(value, t); };
}
std::function<void(AudioEffect&, char*)> dBText(float value) {
    return [=](AudioEffect& e, char* t) { e.dB2string(value, t); };
}
std::function<void(AudioEffect&, char*)> longText(VstInt32 value) {
    return [=](AudioEffect& e, char* t) { e.long2string(value, t); };
}
std::function<void(AudioEffect&, char*)> hzText(float samples) {
    return [=](AudioEffect& e, char* t) { e.Hz2string(samples, t); };
}
std::function<void(AudioEffect&, char*)> msText(float samples) {
    return [=](AudioEffect& e, char* t) { e.ms2string(samples, t); };
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(TextHelpers, WriteTheirTextWithinNineBytes) {
    const std::vector<TextCase> cases = {
        {"float 0", floatText(0.0f), "0.000000"},
        {"float -0", floatText(-0.0f), "0.000000"},
        {"float 0.5", floatText(0.5f), "0.500000"},
        {"float 0.7 is cut", floatText(0.7f), "0.699999"},
        {"float 1234.5", floatText(1234.5f), "1234.500"},
        {"float -3.25", floatText(-3.25f), "-3.25000"},
        {"float 22050", floatText(22050.0f), "22050.00"},
        {"float 9999999", floatText(9999999.0f), "9999999."},
        {"float -999999", floatText(-999999.0f), "-999999."},
        {"float 1e9", floatText(1e9f), "Huge!"},
        {"float -1e8", floatText(-1e8f), "Huge!"},
        {"float 1e8", floatText(1e8f), "Huge!"},
        // Integer parts one digit too long for the budget.
        {"float 10000000", floatText(10000000.0f), "Huge!"},
        {"float 12345678", floatText(12345678.0f), "Huge!"},
        {"float 99999992", floatText(99999992.0f), "Huge!"},
        {"float -1000000", floatText(-1000000.0f), "Huge!"},
        {"float -9999999", floatText(-9999999.0f), "Huge!"},
        {"float -999999.9", floatText(-999999.9f), "-999999."},
        {"float NaN", floatText(kNaN), "NaN"},
        {"float -NaN", floatText(-kNaN), "NaN"},
        {"float inf", floatText(kInf), "Huge!"},
        {"float -inf", floatText(-kInf), "Huge!"},
        {"dB of 0", dBText(0.0f), "\x2D\xB0"},
        {"dB of -1", dBText(-1.0f), "\x2D\xB0"},
        {"dB of 0.5", dBText(0.5f), "-6.02059"},
        {"dB of 1", dBText(1.0f), "0.000000"},
        {"dB of 10", dBText(10.0f), "20.00000"},
        {"dB of NaN", dBText(kNaN), "NaN"},
        {"long 42", longText(42), "     42"},
        {"long 0", longText(0), "      0"},
        {"long -42", longText(-42), "    -42"},
        {"long 99999999", longText(99999999), "99999999"},
        {"long 100000000", longText(100000000), "Huge!"},
        {"long -9999999", longText(-9999999), "-9999999"},
        {"long -10000000", longText(-10000000), "Huge!"},
        {"long lowest", longText(std::numeric_limits<VstInt32>::min()), "Huge!"},
        {"Hz of 0 samples", hzText(0.0f), "0.000000"},
        {"Hz of 2 samples", hzText(2.0f), "22050.00"},
        {"Hz of 441 samples", hzText(441.0f), "100.0000"},
        {"ms of 22050 samples", msText(22050.0f), "500.0000"},
        {"ms of 441 samples", msText(441.0f), "10.00000"},
        {"ms of 0 samples", msText(0.0f), "0.000000"},
    };
    for (const TextCase& c : cases) {
        testhost::RecordingHost host;
        BareEffect effect(host.callback());
        char text[16];
        std::memset(text, 0x7F, sizeof text);
        c.write(effect, text);
        EXPECT_EQ(std::string(text), c.text) << c.what;
        for (size_t i = 9; i < sizeof text; ++i) {
            EXPECT_EQ(text[i], 0x7F) << c.what << " byte " << i;
        }
        EXPECT_TRUE(host.calls().empty()) << c.what;
    }
}

TEST(TextHelpers, RatesComeFromTheEffectsSampleRate) {
    BareEffect effect(nullptr);
    effect.setSampleRate(48000.0f);
    char text[16];
    effect.Hz2string(2.0f, text);
    EXPECT_STREQ(text, "24000.00");
    effect.ms2string(48.0f, text);
    EXPECT_STREQ(text, "1.000000");
}

TEST(TextHelpers, NullTextIsLeftAlone) {
    BareEffect effect(nullptr);
    effect.float2string(1.0f, nullptr);
    effect.dB2string(0.0f, nullptr);
    effect.long2string(1, nullptr);
    effect.Hz2string(1.0f, nullptr);
    effect.ms2string(1.0f, nullptr);
}

}  // namespace

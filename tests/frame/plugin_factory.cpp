// The test plug-in's factory and the switches a test uses to make it fail.
#include <new>

#include "frame/entry.h"
#include "tests/frame/test_effect.h"

#define TEST_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

TEST_PLUGIN_EXPORT TestCounts* testPluginCounts() { return &testCounts(); }

extern "C" {
// Non-zero: the effect's constructor throws.
__attribute__((visibility("default"))) int testPluginConstructorThrows = 0;
}

namespace {
class ThrowingEffect : public BareEffect {
public:
    explicit ThrowingEffect(audioMasterCallback hostCallback) : BareEffect(hostCallback) {
        throw std::bad_alloc();
    }
};
}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback hostCallback) {
    if (testPluginConstructorThrows) return new ThrowingEffect(hostCallback);
    auto* effect = new BareEffect(hostCallback, 10, 18);
    new TestEditor(effect);
    return effect;
}

// The plug-in's entry point. Hosts look it up as main_macho, VSTPluginMain or
// main; all three are the same function.
#include "frame/entry.h"

#include "frame/audioeffect.h"

#define FRAME_EXPORT __attribute__((visibility("default")))

// Set by an effect's constructor when it could not get its memory.
extern "C" {
FRAME_EXPORT int oome = 0;
}

extern "C" FRAME_EXPORT AEffect* main_macho(audioMasterCallback hostCallback) {
    if (!hostCallback) return nullptr;
    if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;

    AudioEffect* effect = nullptr;
    try {
        effect = createEffectInstance(hostCallback);
    } catch (...) {
        // A failed construction has released its storage; the host gets no instance.
        return nullptr;
    }
    if (!effect) return nullptr;
    if (oome) {
        delete effect;
        return nullptr;
    }
    return effect->getAeffect();
}

extern "C" FRAME_EXPORT AEffect* VSTPluginMain(audioMasterCallback hostCallback)
    __attribute__((alias("main_macho")));

// C++ forbids declaring main with this signature by name, so it is bound by its
// symbol instead.
extern "C" FRAME_EXPORT AEffect* pluginMainAlias(audioMasterCallback hostCallback) __asm__("main")
    __attribute__((alias("main_macho")));

#include "tests/reliability/loaded_plugin.h"

#include <dlfcn.h>

namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

constexpr VstInt32 kMasterVersion = 1;
constexpr VstInt32 kMasterGetSampleRate = 16;
constexpr VstInt32 kMasterGetBlockSize = 17;

// One handle for the whole process: instances share the loaded library.
void* libraryHandle(const std::string& path, std::string& failure) {
    static void* handle = nullptr;
    if (!handle) {
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* text = dlerror();
            failure = text ? text : "dlopen failed";
        }
    }
    return handle;
}

}  // namespace

// Stateless and allocation-free: it is called from the audio thread too.
VstIntPtr reliabilityHostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    switch (opcode) {
    case kMasterVersion: return 2400;
    case kMasterGetSampleRate: return 44100;
    case kMasterGetBlockSize: return 512;
    default: return 0;
    }
}

LoadedPlugin::LoadedPlugin(const std::string& path) {
    void* handle = libraryHandle(path, failure);
    if (!handle) return;
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "VSTPluginMain"));
    if (!entry) {
        failure = "no VSTPluginMain";
        return;
    }
    effect = entry(reliabilityHostCallback);
    if (!effect) {
        failure = "the entry point returned null";
        return;
    }
    if (effect->magic != kEffectMagic) {
        failure = "bad magic";
        effect = nullptr;
        return;
    }
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(effSetBlockSize, 0, 4096);
    dispatch(effMainsChanged, 0, 1);
}

LoadedPlugin::~LoadedPlugin() { close(); }

VstIntPtr LoadedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void LoadedPlugin::setParameter(VstInt32 index, float value) {
    effect->setParameter(effect, index, value);
}

float LoadedPlugin::getParameter(VstInt32 index) { return effect->getParameter(effect, index); }

void LoadedPlugin::processReplacing(float** in, float** out, VstInt32 frames) {
    effect->processReplacing(effect, in, out, frames);
}

void LoadedPlugin::process(float** in, float** out, VstInt32 frames) {
    effect->process(effect, in, out, frames);
}

void LoadedPlugin::close() {
    if (!effect) return;
    dispatch(effMainsChanged, 0, 0);
    dispatch(effClose);
    effect = nullptr;
}

// A plug-in instance driven only through its binary interface, as a host does:
// dlopen, the entry point, the record's function pointers.
#pragma once

#include <cstdint>
#include <string>

#include "frame/aeffect.h"

class LoadedPlugin {
public:
    // Loads the library (once per process) and creates one instance; check ok().
    explicit LoadedPlugin(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool ok() const { return effect != nullptr; }
    const std::string& error() const { return failure; }
    AEffect* record() const { return effect; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);
    void processReplacing(float** in, float** out, VstInt32 frames);
    void process(float** in, float** out, VstInt32 frames);
    // effClose; the record is gone afterwards.
    void close();

private:
    std::string failure;
    AEffect* effect = nullptr;
};

// Host answers: VST 2.4, 44.1 kHz, 512 frames, everything else 0.
VstIntPtr reliabilityHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                  VstIntPtr value, void* ptr, float opt);

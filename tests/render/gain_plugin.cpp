// A tiny VST 2 plug-in for the renderer's tests: a hand-filled effect record,
// two parameters ("Gain": out = in × 2 × value; "Invert": negates the right
// channel) and three programs. With TEST_PLUGIN_LOG set, it appends every
// dispatcher call to that file, so tests can check what the host sent.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/aeffect.h"

namespace {

struct Program {
    const char* name;
    float gain, invert;
};
const Program kPrograms[] = {{"Unity", 0.5f, 0}, {"Quiet Please", 0.25f, 0}, {"Mute", 0, 0}};
const int kNumPrograms = 3;
const char* const kParamNames[] = {"Gain", "Invert"};

struct GainEffect {
    AEffect record;
    float values[2];
    int program;
    bool on;
};

void log(const char* format, double number = 0) {
    const char* path = std::getenv("TEST_PLUGIN_LOG");
    if (!path) return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, format, number);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

GainEffect* self(AEffect* e) { return static_cast<GainEffect*>(e->object); }

void setParameter(AEffect* e, VstInt32 index, float value) {
    if (index >= 0 && index < 2) self(e)->values[index] = value;
}

float getParameter(AEffect* e, VstInt32 index) {
    return index >= 0 && index < 2 ? self(e)->values[index] : 0.0f;
}

VstIntPtr dispatcher(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    GainEffect* g = self(e);
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen: log("open"); return 0;
    case effClose: log("close"); delete g; return 1;
    case effSetSampleRate: log("rate %g", opt); return 0;
    case effSetBlockSize: log("block %g", static_cast<double>(value)); return 0;
    case effMainsChanged: log("mains %g", static_cast<double>(value)); g->on = value != 0; return 0;
    case effSetProgram:
        log("program %g", static_cast<double>(value));
        if (value >= 0 && value < kNumPrograms) {
            g->program = static_cast<int>(value);
            g->values[0] = kPrograms[value].gain;
            g->values[1] = kPrograms[value].invert;
        }
        return 0;
    case effGetProgram: return g->program;
    case effGetProgramName: std::strcpy(text, kPrograms[g->program].name); return 0;
    case effGetProgramNameIndexed:
        if (index < 0 || index >= kNumPrograms) return 0;
        std::strcpy(text, kPrograms[index].name);
        return 1;
    case effGetParamName: if (index >= 0 && index < 2) std::strcpy(text, kParamNames[index]); return 0;
    case effGetParamLabel: if (index == 0) std::strcpy(text, "x"); return 0;
    case effGetParamDisplay:
        if (index == 0) std::snprintf(text, 9, "%.3f", g->values[0] * 2);
        if (index == 1) std::strcpy(text, g->values[1] != 0 ? "On" : "Off");
        return 0;
    case effGetEffectName: std::strcpy(text, "TestGain"); return 1;
    default: return 0;
    }
}

void processReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    GainEffect* g = self(e);
    // Processing while switched off is a host fault the tests must see.
    const float gain = g->on ? g->values[0] * 2.0f : 1000.0f;
    const float right = g->values[1] != 0 ? -gain : gain;
    for (VstInt32 i = 0; i < frames; ++i) {
        outputs[0][i] = inputs[0][i] * gain;
        outputs[1][i] = inputs[1][i] * right;
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0) return nullptr;
    auto* g = new GainEffect {};
    AEffect& r = g->record;
    r.magic = kEffectMagic;
    r.dispatcher = dispatcher;
    r.setParameter = setParameter;
    r.getParameter = getParameter;
    r.processReplacing = processReplacing;
    r.numPrograms = kNumPrograms;
    r.numParams = 2;
    r.numInputs = 2;
    r.numOutputs = 2;
    r.flags = effFlagsCanReplacing;
    r.ioRatio = 1.0f;
    r.object = g;
    r.uniqueID = vstFourCC('T', 'g', 'a', 'n');
    r.version = 1;
    g->values[0] = kPrograms[0].gain;
    return &r;
}

#include "tools/render/plugin.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "tools/render/render_error.h"

namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

// The names Linux hosts look the entry point up under, in their usual order.
const char* const kEntryNames[] = {"VSTPluginMain", "main", "main_macho"};

// Plug-ins write at most a few dozen bytes of text; the margin is for those that overrun.
const size_t kTextBuffer = 512;

// The renderer speaks VST 2.4.
const VstIntPtr kHostVstVersion = 2400;

// The callback has no user pointer before the record exists, so the plug-in
// being loaded is reached through this one slot; the renderer loads one at a time.
struct HostState {
    double sampleRate = 44100.0;
    int blockFrames = 512;
};
HostState gHost;

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool isIndex(const std::string& s) {
    return !s.empty() && s.size() < 9 &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

void copyHostText(void* ptr, const char* text) {
    if (ptr) std::strcpy(static_cast<char*>(ptr), text);
}

}  // namespace

std::string printableText(const std::string& raw) {
    std::string out;
    for (unsigned char c : raw) {
        if (c == 0xB0) out += "\xE2\x88\x9E";
        else if (c < 0x20 || c >= 0x7F) out += '?';
        else out += static_cast<char>(c);
    }
    return out;
}

VstIntPtr Plugin::hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    switch (opcode) {
    case audioMasterVersion: return kHostVstVersion;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(gHost.sampleRate);
    case audioMasterGetBlockSize: return gHost.blockFrames;
    case audioMasterWantMidi: return 1;
    case audioMasterGetVendorString: copyHostText(ptr, "Tarnwell"); return 1;
    case audioMasterGetProductString: copyHostText(ptr, "tarnwell-render"); return 1;
    case audioMasterGetVendorVersion: return 1000;
    default: return 0;
    }
}

Plugin::Plugin(const std::string& path, double sampleRate, int blockFrames)
    : path_(path), sampleRate_(sampleRate), blockFrames_(blockFrames) {
    library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library_) {
        const char* why = dlerror();
        throw RenderError("cannot load plug-in '" + path + "': " + (why ? why : "unknown reason"));
    }
    EntryPoint entry = nullptr;
    for (const char* name : kEntryNames) {
        entry = reinterpret_cast<EntryPoint>(dlsym(library_, name));
        if (entry) break;
    }
    if (!entry) {
        dlclose(library_);
        throw RenderError("plug-in '" + path + "' has no VST 2 entry point (VSTPluginMain)");
    }
    gHost.sampleRate = sampleRate;
    gHost.blockFrames = blockFrames;
    effect_ = entry(&Plugin::hostCallback);
    if (!effect_) {
        dlclose(library_);
        throw RenderError("plug-in '" + path + "' did not start: its entry point answered null");
    }
    if (effect_->magic != kEffectMagic || !effect_->dispatcher) {
        // Not a VST 2 record: nothing in it can be trusted, not even its close.
        dlclose(library_);
        throw RenderError("plug-in '" + path + "' answered with something that is not a VST 2 effect");
    }
    if (effect_->numInputs < 0 || effect_->numOutputs < 1 || effect_->numPrograms < 0 ||
        effect_->numParams < 0 || (!effect_->processReplacing && !effect_->process)) {
        dispatch(effClose);
        dlclose(library_);
        throw RenderError("plug-in '" + path + "' has no usable audio processing");
    }
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockFrames);
}

Plugin::~Plugin() {
    if (on_) switchOff();
    dispatch(effClose);
    dlclose(library_);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index) {
    std::vector<char> buffer(kTextBuffer, 0);
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = 0;
    return buffer.data();
}

std::string Plugin::effectName() { return text(effGetEffectName, 0); }
std::string Plugin::currentProgramName() { return text(effGetProgramName, 0); }
std::string Plugin::paramName(int index) { return text(effGetParamName, index); }
std::string Plugin::paramLabel(int index) { return text(effGetParamLabel, index); }
std::string Plugin::paramDisplay(int index) { return text(effGetParamDisplay, index); }

float Plugin::getParameter(int index) {
    return effect_->getParameter ? effect_->getParameter(effect_, index) : 0.0f;
}

std::string Plugin::programName(int index) {
    std::vector<char> buffer(kTextBuffer, 0);
    if (dispatch(effGetProgramNameIndexed, index, 0, buffer.data()) != 0) {
        buffer.back() = 0;
        return buffer.data();
    }
    // A VST 1 plug-in names only its current program: visit it and come back.
    const VstIntPtr current = dispatch(effGetProgram);
    dispatch(effSetProgram, 0, index);
    const std::string name = currentProgramName();
    dispatch(effSetProgram, 0, current);
    return name;
}

int Plugin::findProgram(const std::string& numberOrName) {
    if (isIndex(numberOrName)) {
        const int index = std::stoi(numberOrName);
        if (index >= numPrograms())
            throw RenderError("no program " + numberOrName + ": the plug-in has programs 0 to " +
                              std::to_string(numPrograms() - 1));
        return index;
    }
    for (int i = 0; i < numPrograms(); ++i)
        if (equalsIgnoringCase(programName(i), numberOrName)) return i;
    throw RenderError("no program named '" + numberOrName + "' (see --list)");
}

int Plugin::findParameter(const std::string& nameOrIndex) {
    if (isIndex(nameOrIndex)) {
        const int index = std::stoi(nameOrIndex);
        if (index >= numParams())
            throw RenderError("no parameter " + nameOrIndex + ": the plug-in has parameters 0 to " +
                              std::to_string(numParams() - 1));
        return index;
    }
    for (int i = 0; i < numParams(); ++i)
        if (equalsIgnoringCase(paramName(i), nameOrIndex)) return i;
    throw RenderError("no parameter named '" + nameOrIndex + "' (see --list)");
}

void Plugin::setProgram(int index) { dispatch(effSetProgram, 0, index); }

void Plugin::setParameter(int index, float value) {
    if (effect_->setParameter) effect_->setParameter(effect_, index, value);
}

void Plugin::switchOn() {
    dispatch(effMainsChanged, 0, 1);
    on_ = true;
}

void Plugin::switchOff() {
    dispatch(effMainsChanged, 0, 0);
    on_ = false;
}

void Plugin::process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) {
    // A plug-in may declare fewer or more channels than two: extra inputs get
    // the left signal again, extra outputs go to scratch.
    const int ins = std::max(effect_->numInputs, 2);
    const int outs = std::max(effect_->numOutputs, 2);
    scratch_.resize(static_cast<size_t>(outs) * frames);
    std::vector<float*>& in = inPointers_;
    std::vector<float*>& out = outPointers_;
    in.assign(ins, inLeft);
    in[1] = inRight;
    out.resize(outs);
    out[0] = outLeft;
    out[1] = effect_->numOutputs >= 2 ? outRight : outLeft;
    for (int c = 2; c < outs; ++c) out[c] = scratch_.data() + static_cast<size_t>(c) * frames;

    const bool replacing = effect_->processReplacing &&
                           ((effect_->flags & effFlagsCanReplacing) || !effect_->process);
    if (replacing) {
        effect_->processReplacing(effect_, in.data(), out.data(), frames);
    } else {
        for (float* o : out) std::fill(o, o + frames, 0.0f);
        effect_->process(effect_, in.data(), out.data(), frames);
    }
    if (effect_->numOutputs == 1) std::copy(outLeft, outLeft + frames, outRight);
}

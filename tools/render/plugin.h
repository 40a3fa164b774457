// A VST 2 plug-in loaded the way a host loads one: dlopen, the entry point with
// our host callback, then only the effect record and its dispatcher.
#pragma once

#include <string>
#include <vector>

#include "frame/aeffect.h"

class Plugin {
public:
    // Loads the library, calls its entry point and sends the opening opcodes
    // (open, sample rate, block size). Throws RenderError if any step fails.
    Plugin(const std::string& path, double sampleRate, int blockFrames);
    ~Plugin();  // switches off if on, closes the effect, unloads the library
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    int numPrograms() const { return effect_->numPrograms; }
    int numParams() const { return effect_->numParams; }
    std::string effectName();
    std::string programName(int index);  // the stored name of any program
    std::string currentProgramName();
    std::string paramName(int index);
    std::string paramLabel(int index);
    std::string paramDisplay(int index);
    float getParameter(int index);

    // Resolve the user's words; throw RenderError naming what is not there.
    int findProgram(const std::string& numberOrName);
    int findParameter(const std::string& nameOrIndex);

    void setProgram(int index);
    void setParameter(int index, float value);
    void switchOn();
    void switchOff();
    // Stereo in, stereo out; the plug-in overwrites (or, without
    // processReplacing, adds to cleared) output buffers.
    void process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames);

private:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    std::string text(VstInt32 opcode, VstInt32 index);
    static VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                  VstIntPtr value, void* ptr, float opt);

    std::string path_;
    void* library_ = nullptr;
    AEffect* effect_ = nullptr;
    double sampleRate_;
    int blockFrames_;
    bool on_ = false;
    std::vector<float> scratch_;
    std::vector<float*> inPointers_, outPointers_;
};

// A plug-in text made printable: the Mac OS Roman infinity sign (0xB0) becomes
// UTF-8, any other byte outside ASCII a '?'.
std::string printableText(const std::string& raw);

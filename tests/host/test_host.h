// A small VST 2 host for tests.
//
// RecordingHost is a host callback that records every call a plug-in makes
// (record pointer, opcode, index, value, ptr, opt) and answers each opcode as
// configured: audioMasterVersion answers 2400, every other opcode 0, until
// setAnswer says otherwise. The callback is a plain function without user
// data, so one RecordingHost is active at a time: constructing one makes it
// the active host, destroying it ends that (calls then answer 0, unrecorded).
//
// PluginLibrary dlopens a plug-in .so and finds its entry point under the names
// hosts use (VSTPluginMain, then main_macho, then main).
//
//   testhost::RecordingHost host;
//   testhost::PluginLibrary plugin(path);
//   AEffect* effect = plugin.instantiate(host.callback());
//   testhost::dispatch(effect, effOpen);
//   ...
//   testhost::closeEffect(effect);  // effClose; the record is gone afterwards
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "frame/aeffect.h"

namespace testhost {

struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    audioMasterCallback callback() const { return &RecordingHost::hostCallback; }

    // The answer to every later call with this opcode.
    void setAnswer(VstInt32 opcode, VstIntPtr answer) { answers[opcode] = answer; }

    const std::vector<HostCall>& calls() const { return recorded; }
    size_t count(VstInt32 opcode) const;
    void clear() { recorded.clear(); }

private:
    static VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                  VstIntPtr value, void* ptr, float opt);

    std::map<VstInt32, VstIntPtr> answers;
    std::vector<HostCall> recorded;
};

class PluginLibrary {
public:
    typedef AEffect* (*EntryPoint)(audioMasterCallback);

    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool isLoaded() const { return handle != nullptr; }
    const std::string& error() const { return message; }  // dlerror text when loading failed

    void* symbol(const char* name) const;  // null when not exported
    EntryPoint entryPoint() const;         // null when none of the three names is exported
    // The entry point's answer for this host callback; null without an entry point.
    AEffect* instantiate(audioMasterCallback callback) const;

private:
    void* handle;
    std::string message;
};

// One call of the record's dispatcher, as a host makes it.
VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f);

// effClose through the dispatcher: the plug-in destroys the instance.
VstIntPtr closeEffect(AEffect* effect);

}  // namespace testhost

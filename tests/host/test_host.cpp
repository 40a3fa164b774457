#include "tests/host/test_host.h"

#include <dlfcn.h>

namespace testhost {

namespace {
RecordingHost* activeHost = nullptr;
}

RecordingHost::RecordingHost() {
    answers[audioMasterVersion] = 2400;
    activeHost = this;
}

RecordingHost::~RecordingHost() {
    if (activeHost == this) activeHost = nullptr;
}

size_t RecordingHost::count(VstInt32 opcode) const {
    size_t n = 0;
    for (const HostCall& call : recorded) n += call.opcode == opcode;
    return n;
}

VstIntPtr RecordingHost::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                      VstIntPtr value, void* ptr, float opt) {
    RecordingHost* host = activeHost;
    if (!host) return 0;
    host->recorded.push_back(HostCall{effect, opcode, index, value, ptr, opt});
    auto answer = host->answers.find(opcode);
    return answer == host->answers.end() ? 0 : answer->second;
}

PluginLibrary::PluginLibrary(const std::string& path)
    : handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle) {
        const char* text = dlerror();
        message = text ? text : "dlopen failed";
    }
}

PluginLibrary::~PluginLibrary() {
    if (handle) dlclose(handle);
}

void* PluginLibrary::symbol(const char* name) const {
    return handle ? dlsym(handle, name) : nullptr;
}

PluginLibrary::EntryPoint PluginLibrary::entryPoint() const {
    for (const char* name : {"VSTPluginMain", "main_macho", "main"}) {
        if (void* address = symbol(name)) return reinterpret_cast<EntryPoint>(address);
    }
    return nullptr;
}

AEffect* PluginLibrary::instantiate(audioMasterCallback callback) const {
    EntryPoint entry = entryPoint();
    return entry ? entry(callback) : nullptr;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

VstIntPtr closeEffect(AEffect* effect) { return dispatch(effect, effClose); }

}  // namespace testhost

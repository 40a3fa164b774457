// A plug-in whose entry point refuses to start: it answers null.
#include "frame/aeffect.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    return nullptr;
}

#include "frame/audioeffectx.h"

const char* hostCanDos[17] = {
    "sendVstEvents",   "sendVstMidiEvent", "sendVstTimeInfo",   "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "reportConnectionChanges", "acceptIOChanges",
    "sizeWindow",      "asyncProcessing",  "offline",           "supplyIdle",
    "supportShell",    "openFileSelector", "editFile",          "closeFileSelector",
    "startStopProcess",
};

const char* plugCanDos[26] = {
    "sendVstEvents",   "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "offline",   "plugAsChannelInsert",
    "plugAsSend",      "mixDryWet",        "noRealTime",      "multipass",
    "metapass",        "1in1out",          "1in2out",         "2in1out",
    "2in2out",         "2in4out",          "4in2out",         "4in4out",
    "4in8out",         "8in4out",          "8in8out",         "midiProgramNames",
    "conformsToWindowRules", "bypass",
};

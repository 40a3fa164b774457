// The factory the entry point calls for every new instance. The effect's code
// defines it; a test defines its own to load a test effect instead.
#pragma once

#include "frame/aeffect.h"

class AudioEffect;

AudioEffect* createEffectInstance(audioMasterCallback hostCallback);

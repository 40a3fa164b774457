// The signal rendered when no input file is given: a few percussive hits and a
// short chord, so that both the attack and the decay of the reverb are heard.
#pragma once

#include <memory>

#include "tools/render/audio_source.h"

// Four seconds of stereo at `rate`, peaking at half of full scale.
std::unique_ptr<AudioSource> makeDemoSignal(double rate);

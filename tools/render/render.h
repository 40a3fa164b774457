// The render loop: the source block by block through the plug-in, then a tail
// of silence, into the sink (and the plot's recorder, when there is one).
#pragma once

#include <cstdint>

#include "tools/render/audio_sink.h"
#include "tools/render/audio_source.h"
#include "tools/render/plot.h"
#include "tools/render/plugin.h"
#include "tools/render/progress.h"

// Returns the number of frames written: the source's frames plus the tail.
int64_t renderThrough(Plugin& plugin, AudioSource& source, int64_t tailFrames, int blockFrames,
                      AudioSink& sink, PlotRecorder* recorder, Progress& progress);

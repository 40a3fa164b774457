#include "tools/render/render.h"

#include <algorithm>
#include <vector>

int64_t renderThrough(Plugin& plugin, AudioSource& source, int64_t tailFrames, int blockFrames,
                      AudioSink& sink, PlotRecorder* recorder, Progress& progress) {
    std::vector<float> inLeft(blockFrames), inRight(blockFrames);
    std::vector<float> outLeft(blockFrames), outRight(blockFrames);
    int64_t done = 0, tailLeft = tailFrames;
    for (;;) {
        int n = source.read(inLeft.data(), inRight.data(), blockFrames);
        if (n == 0) {
            if (tailLeft == 0) break;
            n = static_cast<int>(std::min<int64_t>(blockFrames, tailLeft));
            std::fill_n(inLeft.begin(), n, 0.0f);
            std::fill_n(inRight.begin(), n, 0.0f);
            tailLeft -= n;
        }
        plugin.process(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), n);
        sink.write(outLeft.data(), outRight.data(), n);
        if (recorder) recorder->add(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), n);
        done += n;
        progress.update(done);
    }
    return done;
}

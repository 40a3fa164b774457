#include "tools/render/progress.h"

#include <cstdio>
#include <unistd.h>

namespace {

// Shorter renders finish before a bar would be read.
const double kMinimumSeconds = 5.0;
const int kWidth = 40;

}  // namespace

Progress::Progress(int64_t totalFrames, double sampleRate, bool quiet)
    : total_(totalFrames),
      enabled_(!quiet && isatty(STDERR_FILENO) && totalFrames > kMinimumSeconds * sampleRate) {}

Progress::~Progress() {
    if (enabled_ && shown_ >= 0) std::fprintf(stderr, "\r%*s\r", kWidth + 20, "");
}

void Progress::update(int64_t doneFrames) {
    if (!enabled_ || total_ <= 0) return;
    const int percent = static_cast<int>(doneFrames * 100 / total_);
    if (percent == shown_) return;
    shown_ = percent;
    const int filled = percent * kWidth / 100;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = 0;
    std::fprintf(stderr, "\rrendering [%s] %3d%%", bar, percent);
    std::fflush(stderr);
}

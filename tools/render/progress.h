// A one-line progress bar on stderr, drawn only when stderr is a terminal and
// the render is long enough to wait for.
#pragma once

#include <cstdint>

class Progress {
public:
    Progress(int64_t totalFrames, double sampleRate, bool quiet);
    ~Progress();  // clears the line if drawn
    void update(int64_t doneFrames);

private:
    int64_t total_;
    bool enabled_;
    int shown_ = -1;
};

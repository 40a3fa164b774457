// The --plot picture: input and output waveforms over the whole render and the
// energy decay curve of the output's tail with its RT60 estimate.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/render/temp_file.h"

// Collects, while rendering, what the picture needs: the extremes of each
// pixel column and the output's energy after the input ends.
class PlotRecorder {
public:
    static const int kColumns = 1000;
    struct Column {
        float minLeft = 0, maxLeft = 0, minRight = 0, maxRight = 0;
    };

    PlotRecorder(int64_t totalFrames, int64_t inputFrames, double sampleRate);
    void add(const float* inLeft, const float* inRight, const float* outLeft, const float* outRight, int n);

    std::vector<Column> input, output;
    std::vector<double> decayEnergy;  // L² + R² summed per bin, from decayStartFrame on
    int64_t totalFrames, decayStartFrame;
    double sampleRate, binSeconds;

private:
    int64_t position_ = 0;
    int binFrames_;
};

// Draws the picture into a PNG under a temporary name; the caller commits it.
std::unique_ptr<TempFile> drawPlot(const std::string& path, const PlotRecorder& data,
                                   const std::string& title);

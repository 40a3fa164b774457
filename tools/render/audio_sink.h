// The rendered stereo output, written through libsndfile into a temporary file
// that becomes the output only when the render succeeds.
#pragma once

#include <sndfile.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/render/temp_file.h"

// Turns --format/--subtype and the output's extension into a libsndfile format
// (major | subtype) for stereo at `rate`; throws RenderError if none fits.
int chooseOutputFormat(const std::string& path, const std::string& format,
                       const std::string& subtype, int rate);

// A readable name such as "32-bit float WAV".
std::string describeFormat(int format);

class AudioSink {
public:
    AudioSink(const std::string& path, int format, int rate);
    ~AudioSink();
    void write(const float* left, const float* right, int n);
    // Closes the file and renames it into place.
    void commit();

private:
    std::string path_;
    TempFile temp_;
    SNDFILE* file_ = nullptr;
    std::vector<float> interleaved_;
};

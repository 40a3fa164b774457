// Where the rendered audio comes from: a file read through libsndfile, or the
// built-in demo signal. Both hand out stereo blocks.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual double sampleRate() const = 0;
    virtual int64_t frames() const = 0;
    // Fills up to n frames of left and right; returns the frames written (0 at the end).
    virtual int read(float* left, float* right, int n) = 0;
};

// Opens a sound file in any format libsndfile reads; mono feeds both channels.
std::unique_ptr<AudioSource> openInputFile(const std::string& path);

// A stereo signal held in memory (the demo signal).
class BufferSource : public AudioSource {
public:
    BufferSource(double rate, std::vector<float> left, std::vector<float> right);
    double sampleRate() const override { return rate_; }
    int64_t frames() const override { return static_cast<int64_t>(left_.size()); }
    int read(float* left, float* right, int n) override;

private:
    double rate_;
    std::vector<float> left_, right_;
    size_t position_ = 0;
};

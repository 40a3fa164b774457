// Runs tarnwell-render as a user would, in a private folder, and reads and
// writes the sound files around it.
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>
#include <vector>

struct RunResult {
    int status = -1;
    std::string out, err;
};

struct Sound {
    SF_INFO info {};
    std::vector<float> samples;  // interleaved
    bool ok = false;
};

// Starts the renderer with `args`; `env` entries ("NAME=value") are added to the environment.
RunResult runRender(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

Sound readSound(const std::string& path);
void writeSound(const std::string& path, int rate, int channels, const std::vector<float>& interleaved,
                int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT);
// A deterministic test signal: decaying noise bursts, `channels` interleaved.
std::vector<float> testSignal(int frames, int channels);
std::string readText(const std::string& path);
int countLines(const std::string& text);

class RenderFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string path(const std::string& name) const { return dir + "/" + name; }
    // The names in the folder, sorted.
    std::vector<std::string> files() const;
    std::string dir;
};

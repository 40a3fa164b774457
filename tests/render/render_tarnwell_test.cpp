// tarnwell-render through the real plug-in: its output must be what the test
// host gets from Tarnwell.so for the same input, program, parameters and blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/host/test_host.h"
#include "tests/render/render_fixture.h"

namespace {

const std::string kTarnwell = TARNWELL_PLUGIN;

// Loaded once for the whole run and kept, as a host keeps a plug-in it uses:
// under AddressSanitizer every dlclose of Tarnwell.so and load again reports
// a few hundred bytes the plug-in's loading allocated.
const testhost::PluginLibrary& tarnwellLibrary() {
    static const auto* library = new testhost::PluginLibrary(kTarnwell);
    return *library;
}

// The plug-in driven directly: open, rate, block size, switch on, program,
// parameters, then processReplacing over the input and the tail in blocks.
std::vector<float> hostRender(const std::vector<float>& stereoIn, int tailFrames, double rate, int block,
                              int program, const std::vector<std::pair<int, float>>& params) {
    testhost::RecordingHost host;
    host.setAnswer(audioMasterGetSampleRate, static_cast<VstIntPtr>(rate));
    host.setAnswer(audioMasterGetBlockSize, block);
    const testhost::PluginLibrary& library = tarnwellLibrary();
    EXPECT_TRUE(library.isLoaded()) << library.error();
    AEffect* effect = library.instantiate(host.callback());
    EXPECT_NE(effect, nullptr);
    if (!effect) return {};
    testhost::dispatch(effect, effOpen);
    testhost::dispatch(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    testhost::dispatch(effect, effSetBlockSize, 0, block);
    testhost::dispatch(effect, effMainsChanged, 0, 1);
    if (program >= 0) testhost::dispatch(effect, effSetProgram, 0, program);
    for (const auto& [index, value] : params) effect->setParameter(effect, index, value);

    const int inFrames = static_cast<int>(stereoIn.size() / 2);
    const int total = inFrames + tailFrames;
    std::vector<float> out(static_cast<size_t>(total) * 2);
    std::vector<float> inL(block), inR(block), outL(block), outR(block);
    for (int at = 0; at < total; at += block) {
        const int n = std::min(block, total - at);
        for (int i = 0; i < n; ++i) {
            const bool inside = at + i < inFrames;
            inL[i] = inside ? stereoIn[2 * (at + i)] : 0.0f;
            inR[i] = inside ? stereoIn[2 * (at + i) + 1] : 0.0f;
        }
        float* ins[] = {inL.data(), inR.data()};
        float* outs[] = {outL.data(), outR.data()};
        effect->processReplacing(effect, ins, outs, n);
        for (int i = 0; i < n; ++i) {
            out[2 * (at + i)] = outL[i];
            out[2 * (at + i) + 1] = outR[i];
        }
    }
    testhost::dispatch(effect, effMainsChanged, 0, 0);
    testhost::closeEffect(effect);
    return out;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class RenderTarnwell : public RenderFolder {};

TEST_F(RenderTarnwell, OutputEqualsTheTestHostsRunBitForBit) {
    struct Case {
        std::vector<std::string> args;
        int program;
        std::vector<std::pair<int, float>> params;
        int block;
    } cases[] = {
        {{}, -1, {}, 512},
        {{"--program", "Dark & Long"}, 1, {}, 512},
        {{"--program", "rotten to the core", "--block", "1000"}, 6, {}, 1000},
        {{"--program", "9", "--block", "37"}, 9, {}, 37},
        {{"--program", "Mr. Smoothy", "--param", "RoomSize=1", "--param", "hp reson=0.5"}, 3,
         {{2, 1.0f}, {6, 0.5f}}, 512},
        {{"--param", "8=1", "--param", "7=0.75", "--param", "MLevelSw=1"}, -1,
         {{8, 1.0f}, {7, 0.75f}, {17, 1.0f}}, 512},
    };
    const auto in = testSignal(20000, 2);
    writeSound(path("in.wav"), 44100, 2, in);
    for (const auto& c : cases) {
        std::vector<std::string> args {"--plugin", kTarnwell, "--quiet", "--tail", "1.5"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {path("in.wav"), path("out.wav")});
        std::string name;
        for (const auto& a : c.args) name += a + " ";
        const RunResult r = runRender(args);
        ASSERT_EQ(r.status, 0) << name << r.err;
        const Sound s = readSound(path("out.wav"));
        ASSERT_TRUE(s.ok) << name;
        EXPECT_EQ(s.info.channels, 2) << name;
        EXPECT_EQ(s.info.frames, 20000 + 66150) << name;
        const auto expected = hostRender(in, 66150, 44100, c.block, c.program, c.params);
        EXPECT_TRUE(sameBits(s.samples, expected)) << name;
        // The reverb rings on into the tail.
        EXPECT_NE(s.samples[2 * 21000], 0.0f) << name;
    }
}

TEST_F(RenderTarnwell, OtherRatesAreKeptToldToThePlugInAndNoted) {
    const auto mono = testSignal(9600, 1);
    writeSound(path("in.flac"), 48000, 1, mono, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    const RunResult r = runRender({"--plugin", kTarnwell, "--tail", "0.5", "--program", "Vocal Air",
                                   path("in.flac"), path("out.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "note: the input is at 48000 Hz; Tarnwell's times and frequencies are tuned "
                     "for 44100 Hz and scale with the rate\n");
    const Sound s = readSound(path("out.wav"));
    EXPECT_EQ(s.info.samplerate, 48000);
    EXPECT_EQ(s.info.frames, 9600 + 24000);

    const Sound flac = readSound(path("in.flac"));
    std::vector<float> stereo;
    for (float v : flac.samples) stereo.insert(stereo.end(), {v, v});
    EXPECT_TRUE(sameBits(s.samples, hostRender(stereo, 24000, 48000, 512, 8, {})));
}

TEST_F(RenderTarnwell, ListShowsTheTenProgramsAndEighteenParameters) {
    const RunResult r = runRender({"--plugin", kTarnwell, "--list", "--program", "6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Tarnwell: 10 programs, 18 parameters"), std::string::npos) << r.out;
    const char* programs[] = {"Metal Room", "Dark & Long", "Extra Crispy", "Mr. Smoothy", "Freeze Me",
                              "Full Monty", "Rotten To The Core", "Ambience", "Vocal Air", "Sprinklers"};
    for (int i = 0; i < 10; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "  %2d  %s\n", i, programs[i]);
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    }
    EXPECT_NE(r.out.find("(current program: Rotten To The Core)"), std::string::npos);
    // The chosen program's values, with the plug-in's display texts and labels.
    for (const char* line : {"   0  PreDelay   400.0000     ms       1\n", "   2  RoomSize   0.909999     size     0.75\n",
                             "  14  Dry Sw     Off                   0\n", "  17  MLevelSw   Off                   0\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
    EXPECT_EQ(countLines(r.out), 1 + 1 + 1 + 10 + 1 + 2 + 18);
}

TEST_F(RenderTarnwell, LevelAtZeroListsAsMinusInfinity) {
    const RunResult r = runRender({"--plugin", kTarnwell, "--list", "--param", "WetLevel=0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  11  WetLevel   -\xE2\x88\x9E"), std::string::npos) << r.out;
}

TEST_F(RenderTarnwell, DemoRendersBesideTheDefaultPlugInWithAPlot) {
    // No --plugin: the Tarnwell.so built beside the renderer.
    const RunResult r = runRender({"--program", "Full Monty", "--plot", path("demo.png"), path("demo.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("demo.wav: 8.00 s of stereo at 44100 Hz, 32-bit float WAV, program \"Full Monty\""),
              std::string::npos) << r.out;
    const Sound s = readSound(path("demo.wav"));
    EXPECT_EQ(s.info.frames, 8 * 44100);
    EXPECT_EQ(readText(path("demo.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

}  // namespace

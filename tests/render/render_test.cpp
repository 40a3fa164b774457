// tarnwell-render end to end against a small gain plug-in: files in, files
// out, the host's calls, the options and every refusal.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <fstream>

#include "tests/render/render_fixture.h"

namespace {

const std::string kGain = GAIN_PLUGIN;

class RenderGain : public RenderFolder {
protected:
    // Renders `input` (written here, mono or stereo) through the gain plug-in.
    RunResult render(const std::vector<std::string>& extra, const std::string& out = "out.wav") {
        std::vector<std::string> args {"--plugin", kGain, "--quiet"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(path(out));
        return runRender(args, {"TEST_PLUGIN_LOG=" + path("calls.log")});
    }
};

TEST_F(RenderGain, StereoWavGetsInputPlusTailFramesAndTheGainAppliedExactly) {
    const auto in = testSignal(3000, 2);
    writeSound(path("in.wav"), 44100, 2, in);
    const RunResult r = render({"--tail", "0.5", "--block", "256", path("in.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const Sound s = readSound(path("out.wav"));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.info.channels, 2);
    EXPECT_EQ(s.info.samplerate, 44100);
    EXPECT_EQ(s.info.frames, 3000 + 22050);
    EXPECT_EQ(s.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(s.samples[i], in[i] * 1.0f) << i;
    for (size_t i = in.size(); i < s.samples.size(); ++i) ASSERT_EQ(s.samples[i], 0.0f) << i;
}

TEST_F(RenderGain, MonoInputFeedsBothChannels) {
    const auto in = testSignal(1000, 1);
    writeSound(path("in.wav"), 44100, 1, in);
    ASSERT_EQ(render({"--tail", "0", path("in.wav")}).status, 0);
    const Sound s = readSound(path("out.wav"));
    ASSERT_EQ(s.info.channels, 2);
    ASSERT_EQ(s.info.frames, 1000);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(s.samples[2 * i], in[i]);
        ASSERT_EQ(s.samples[2 * i + 1], in[i]);
    }
}

TEST_F(RenderGain, HostSendsTheOpeningOpcodesThenProgramThenSwitchesOffAndCloses) {
    writeSound(path("in.wav"), 48000, 1, testSignal(100, 1));
    ASSERT_EQ(render({"--block", "64", "--program", "2", path("in.wav")}).status, 0);
    EXPECT_EQ(readText(path("calls.log")),
              "open\nrate 48000\nblock 64\nmains 1\nprogram 2\nmains 0\nclose\n");
    EXPECT_EQ(readSound(path("out.wav")).info.samplerate, 48000);
}

// Program by number or by name, then parameters by name or index, applied after it.
TEST_F(RenderGain, ProgramAndParameterSelection) {
    struct Case {
        std::vector<std::string> args;
        float left, right;  // gain per channel
    } cases[] = {
        {{}, 1.0f, 1.0f},
        {{"--program", "1"}, 0.5f, 0.5f},
        {{"--program", "quiet please"}, 0.5f, 0.5f},
        {{"--program", "MUTE"}, 0.0f, 0.0f},
        {{"--param", "Gain=1"}, 2.0f, 2.0f},
        {{"--param", "gain=0.25"}, 0.5f, 0.5f},
        {{"--param", "0=0.75"}, 1.5f, 1.5f},
        {{"--param", "1=1"}, 1.0f, -1.0f},
        {{"--program", "Mute", "--param", "GAIN=0.5", "--param", "Invert=1"}, 1.0f, -1.0f},
        {{"--param=gain=1", "--program=Mute"}, 2.0f, 2.0f},
    };
    const auto in = testSignal(500, 2);
    writeSound(path("in.wav"), 44100, 2, in);
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--tail", "0", path("in.wav")});
        const RunResult r = render(args);
        std::string name;
        for (const auto& a : c.args) name += a + " ";
        ASSERT_EQ(r.status, 0) << name << r.err;
        const Sound s = readSound(path("out.wav"));
        ASSERT_EQ(s.info.frames, 500) << name;
        for (int i = 0; i < 500; ++i) {
            ASSERT_EQ(s.samples[2 * i], in[2 * i] * c.left) << name << i;
            ASSERT_EQ(s.samples[2 * i + 1], in[2 * i + 1] * c.right) << name << i;
        }
    }
}

TEST_F(RenderGain, ListShowsProgramsAndParametersOfTheChosenProgram) {
    const RunResult r = runRender({"--plugin", kGain, "--list", "--program", "Quiet Please"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("TestGain: 3 programs, 2 parameters"), std::string::npos) << r.out;
    for (const char* line : {"   0  Unity\n", "   1  Quiet Please\n", "   2  Mute\n",
                             "(current program: Quiet Please)"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_NE(r.out.find("   0  Gain       0.500        x        0.25\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("   1  Invert     Off                   0\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(RenderGain, OutputFormatFollowsExtensionOrOptions) {
    struct Case {
        std::string file;
        std::vector<std::string> options;
        int format;
    } cases[] = {
        {"a.wav", {}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"a.WAV", {}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"a.flac", {}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {"a.aiff", {}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {"a.aif", {"--subtype", "pcm16"}, SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {"a.wav", {"--subtype", "pcm24"}, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {"a.wav", {"--subtype", "pcm8"}, SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
        {"a.raw-audio", {"--format", "caf"}, SF_FORMAT_CAF | SF_FORMAT_FLOAT},
        {"a.ogg", {}, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    };
    writeSound(path("in.wav"), 44100, 1, testSignal(2000, 1));
    for (const auto& c : cases) {
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"--tail", "0.1", path("in.wav")});
        const RunResult r = render(args, c.file);
        ASSERT_EQ(r.status, 0) << c.file << ": " << r.err;
        const Sound s = readSound(path(c.file));
        EXPECT_EQ(s.info.format, c.format) << c.file;
        EXPECT_EQ(s.info.channels, 2) << c.file;
        EXPECT_EQ(s.info.frames, 2000 + 4410) << c.file;
        unlink(path(c.file).c_str());
    }
}

TEST_F(RenderGain, IntegerOutputClipsInsteadOfWrapping) {
    writeSound(path("in.wav"), 44100, 1, std::vector<float>(100, 0.9f));
    ASSERT_EQ(render({"--param", "Gain=1", "--subtype", "pcm16", "--tail", "0", path("in.wav")}).status, 0);
    const Sound s = readSound(path("out.wav"));
    for (float v : s.samples) ASSERT_GT(v, 0.99f);
}

TEST_F(RenderGain, DemoSignalRendersWithoutInputAndDrawsAPlot) {
    const RunResult r = render({"--tail", "1", "--plot", path("demo.png")}, "demo.wav");
    ASSERT_EQ(r.status, 0) << r.err;
    const Sound s = readSound(path("demo.wav"));
    EXPECT_EQ(s.info.frames, 4 * 44100 + 44100);
    EXPECT_EQ(s.info.channels, 2);
    float peak = 0;
    for (float v : s.samples) peak = std::max(peak, std::fabs(v));
    EXPECT_FLOAT_EQ(peak, 0.5f);
    EXPECT_EQ(readText(path("demo.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(files(), (std::vector<std::string> {"calls.log", "demo.png", "demo.wav"}));
}

TEST_F(RenderGain, ReportsTheOutputUnlessQuietAndDrawsNoProgressOffATerminal) {
    const RunResult r = runRender({"--plugin", kGain, "--tail", "10", path("out.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("out.wav: 14.00 s of stereo at 44100 Hz, 32-bit float WAV, program \"Unity\""),
              std::string::npos) << r.out;
}

TEST_F(RenderGain, HelpAndVersion) {
    const RunResult help = runRender({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: tarnwell-render [options] [INPUT] OUTPUT\n", 0), 0u);
    const RunResult version = runRender({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tarnwell-render ", 0), 0u);
}

// Each refusal: status 2, one line on stderr naming the problem, no file left behind.
TEST_F(RenderGain, BadInputIsRefusedWithOneLineAndNoOutput) {
    writeSound(path("in.wav"), 44100, 1, testSignal(100, 1));
    std::ofstream(path("text.wav")) << "this is not a sound file\n";
    mkdir(path("folder.wav").c_str(), 0755);
    writeSound(path("six.wav"), 44100, 6, std::vector<float>(600, 0.0f));
    const std::vector<std::string> before = files();
    const std::string in = path("in.wav"), out = path("out.wav");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--plugin", kGain, path("missing.wav"), out}, "cannot open input '" + path("missing.wav") + "': No such file"},
        {{"--plugin", kGain, path("text.wav"), out}, "cannot read input '" + path("text.wav") + "'"},
        {{"--plugin", kGain, dir, out}, "is a folder"},
        {{"--plugin", kGain, path("six.wav"), out}, "has 6 channels; only mono and stereo"},
        {{"--plugin", kGain, in, path("out.xyz")}, "cannot tell the output format from"},
        {{"--plugin", kGain, "--format", "mp9", in, out}, "unknown output format 'mp9'"},
        {{"--plugin", kGain, "--subtype", "pcm12", in, out}, "unknown sample type 'pcm12'"},
        {{"--plugin", kGain, "--format", "flac", "--subtype", "float", in, out}, "the FLAC format cannot hold float"},
        {{"--plugin", kGain, "--program", "Loud", in, out}, "no program named 'Loud'"},
        {{"--plugin", kGain, "--program", "3", in, out}, "no program 3: the plug-in has programs 0 to 2"},
        {{"--plugin", kGain, "--param", "Volume=1", in, out}, "no parameter named 'Volume'"},
        {{"--plugin", kGain, "--param", "2=1", in, out}, "no parameter 2"},
        {{"--plugin", kGain, "--param", "Gain=loud", in, out}, "value of parameter 'Gain' is not a number: 'loud'"},
        {{"--plugin", kGain, "--param", "Gain=nan", in, out}, "is not a number"},
        {{"--plugin", kGain, "--param", "Gain=", in, out}, "is not a number"},
        {{"--plugin", kGain, "--param", "Gain=1.5", in, out}, "must lie between 0 and 1"},
        {{"--plugin", kGain, "--param", "Gain", in, out}, "--param expects NAME=VALUE"},
        {{"--plugin", kGain, "--tail", "-1", in, out}, "--tail expects seconds"},
        {{"--plugin", kGain, "--tail", "soon", in, out}, "--tail expects seconds"},
        {{"--plugin", kGain, "--block", "0", in, out}, "--block expects a whole number"},
        {{"--plugin", kGain, "--block", "1.5", in, out}, "--block expects a whole number"},
        {{"--plugin", kGain, "--loud", in, out}, "unknown option --loud"},
        {{"--plugin", kGain, "--program"}, "option --program needs a value"},
        {{"--plugin", kGain}, "no OUTPUT file given"},
        {{"--plugin", kGain, in, out, out}, "too many files"},
        {{"--plugin", path("missing.so"), in, out}, "cannot load plug-in '" + path("missing.so") + "'"},
        {{"--plugin", path("text.wav"), in, out}, "cannot load plug-in"},
        {{"--plugin", NO_ENTRY_PLUGIN, in, out}, "has no VST 2 entry point"},
        {{"--plugin", NULL_PLUGIN, in, out}, "did not start: its entry point answered null"},
        {{"--plugin", kGain, in, path("no/such/folder/out.wav")}, "cannot write '" + path("no/such/folder/out.wav") + "'"},
        {{"--plugin", kGain, in, path("folder.wav")}, "it is a folder"},
        {{"--plugin", kGain, in, out, "--plot", path("no/such/plot.png")}, "cannot write '" + path("no/such/plot.png") + "'"},
    };
    for (const auto& c : cases) {
        const RunResult r = runRender(c.args);
        std::string name;
        for (const auto& a : c.args) name += a + " ";
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_EQ(r.err.rfind("tarnwell-render: ", 0), 0u) << name << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << name << "\n" << r.err;
        EXPECT_EQ(countLines(r.err), 1) << name << r.err;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(files(), before) << name;
    }
}

TEST_F(RenderGain, AFailedRenderLeavesAnEarlierOutputUntouched) {
    writeSound(path("in.wav"), 44100, 1, testSignal(100, 1));
    ASSERT_EQ(render({path("in.wav")}).status, 0);
    const std::string earlier = readText(path("out.wav"));
    EXPECT_EQ(render({"--program", "Loud", path("in.wav")}).status, 2);
    EXPECT_EQ(readText(path("out.wav")), earlier);
}

TEST_F(RenderGain, RenderingOverItsOwnInputReplacesItWhole) {
    const auto in = testSignal(1000, 2);
    writeSound(path("in.wav"), 44100, 2, in);
    ASSERT_EQ(render({"--program", "Quiet Please", "--tail", "0", path("in.wav")}, "in.wav").status, 0);
    const Sound s = readSound(path("in.wav"));
    ASSERT_EQ(s.info.frames, 1000);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(s.samples[i], in[i] * 0.5f);
}

}  // namespace

// tarnwell-render: renders audio through a VST 2 plug-in offline, as a host would.
#include <sndfile.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "tools/render/audio_sink.h"
#include "tools/render/audio_source.h"
#include "tools/render/demo_signal.h"
#include "tools/render/options.h"
#include "tools/render/plot.h"
#include "tools/render/plugin.h"
#include "tools/render/progress.h"
#include "tools/render/render.h"
#include "tools/render/render_error.h"

#ifndef TARNWELL_VERSION
#define TARNWELL_VERSION "unknown"
#endif

namespace {

const double kTunedRate = 44100.0;
const double kDemoRate = 44100.0;

// The plug-in built beside this executable.
std::string defaultPluginPath() {
    std::vector<char> self(PATH_MAX + 1, 0);
    const ssize_t n = readlink("/proc/self/exe", self.data(), PATH_MAX);
    std::string dir = n > 0 ? std::string(self.data(), static_cast<size_t>(n)) : std::string();
    const auto slash = dir.rfind('/');
    dir = slash == std::string::npos ? "." : dir.substr(0, slash);
    // Installed: bin/ beside lib/vst; built: the same folder.
    const std::string beside = dir + "/Tarnwell.so";
    if (access(beside.c_str(), F_OK) == 0) return beside;
    const std::string installed = dir + "/../lib/vst/Tarnwell.so";
    if (access(installed.c_str(), F_OK) == 0) return installed;
    const char* home = getenv("HOME");
    const std::string user = home ? std::string(home) + "/.vst/Tarnwell.so" : std::string();
    if (!user.empty() && access(user.c_str(), F_OK) == 0) return user;
    return beside;
}

void printList(Plugin& plugin) {
    std::printf("%s: %d programs, %d parameters\n\nPrograms\n", printableText(plugin.effectName()).c_str(),
                plugin.numPrograms(), plugin.numParams());
    for (int i = 0; i < plugin.numPrograms(); ++i)
        std::printf("  %2d  %s\n", i, printableText(plugin.programName(i)).c_str());
    std::printf("\nParameters (current program: %s)\n", printableText(plugin.currentProgramName()).c_str());
    std::printf("  %2s  %-10s %-12s %-8s %s\n", "#", "name", "display", "label", "value");
    for (int i = 0; i < plugin.numParams(); ++i)
        std::printf("  %2d  %-10s %-12s %-8s %.4g\n", i, printableText(plugin.paramName(i)).c_str(),
                    printableText(plugin.paramDisplay(i)).c_str(), printableText(plugin.paramLabel(i)).c_str(),
                    plugin.getParameter(i));
}

int run(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("tarnwell-render %s\n", TARNWELL_VERSION);
        return 0;
    }

    std::unique_ptr<AudioSource> source;
    if (!options.list)
        source = options.input.empty() ? makeDemoSignal(kDemoRate) : openInputFile(options.input);
    const double rate = source ? source->sampleRate() : kDemoRate;
    const int format = options.list ? 0
                                    : chooseOutputFormat(options.output, options.format, options.subtype,
                                                         static_cast<int>(rate));

    Plugin plugin(options.plugin.empty() ? defaultPluginPath() : options.plugin, rate, options.blockFrames);
    // Names are resolved before anything is written, so a typo costs no file.
    const int program = options.program.empty() ? -1 : plugin.findProgram(options.program);
    std::vector<std::pair<int, float>> params;
    for (const auto& [name, value] : options.params)
        params.emplace_back(plugin.findParameter(name), static_cast<float>(value));

    if (options.list) {
        if (program >= 0) plugin.setProgram(program);
        for (const auto& [index, value] : params) plugin.setParameter(index, value);
        printList(plugin);
        return 0;
    }

    const std::string effectName = printableText(plugin.effectName());
    if (rate != kTunedRate && !options.quiet && effectName == "Tarnwell")
        std::fprintf(stderr, "note: the input is at %.0f Hz; Tarnwell's times and frequencies are tuned "
                             "for 44100 Hz and scale with the rate\n", rate);

    const int64_t tailFrames = std::llround(options.tailSeconds * rate);
    const int64_t totalFrames = source->frames() + tailFrames;
    AudioSink sink(options.output, format, static_cast<int>(rate));
    std::unique_ptr<PlotRecorder> recorder;
    if (!options.plot.empty()) recorder = std::make_unique<PlotRecorder>(totalFrames, source->frames(), rate);

    plugin.switchOn();
    if (program >= 0) plugin.setProgram(program);
    for (const auto& [index, value] : params) plugin.setParameter(index, value);
    const std::string programName = printableText(plugin.currentProgramName());
    int64_t written = 0;
    {
        Progress progress(totalFrames, rate, options.quiet);
        written = renderThrough(plugin, *source, tailFrames, options.blockFrames, sink, recorder.get(), progress);
    }
    plugin.switchOff();

    std::unique_ptr<TempFile> plot;
    if (recorder) {
        const std::string what = options.input.empty() ? std::string("demo signal") : options.input;
        plot = drawPlot(options.plot, *recorder, effectName + " \xE2\x80\x94 " + programName + " \xE2\x80\x94 " + what);
    }
    sink.commit();
    if (plot) plot->commit();

    if (!options.quiet) {
        std::printf("%s: %.2f s of stereo at %.0f Hz, %s, program \"%s\"\n", options.output.c_str(),
                    written / rate, rate, describeFormat(format).c_str(), programName.c_str());
        if (plot) std::printf("%s: plot\n", options.plot.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    installTempFileCleanup();
    try {
        return run(argc, argv);
    } catch (const RenderError& e) {
        std::fprintf(stderr, "tarnwell-render: %s\n", e.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tarnwell-render: out of memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarnwell-render: %s\n", e.what());
    }
    return 2;
}

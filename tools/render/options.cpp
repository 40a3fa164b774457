#include "tools/render/options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "tools/render/render_error.h"

namespace {

const char kUsage[] =
    "usage: tarnwell-render [options] [INPUT] OUTPUT\n"
    "Renders an audio file through a VST 2 plug-in (by default Tarnwell.so beside\n"
    "this program). Without INPUT a built-in demo signal is rendered.\n"
    "\n"
    "  --program N|NAME     factory program by number (from 0) or name\n"
    "  --param NAME=VALUE   set a parameter (name or index) to VALUE, 0 to 1,\n"
    "                       after the program; repeatable\n"
    "  --tail SECONDS       silence rendered after the input (default 4)\n"
    "  --block FRAMES       frames per processing call (default 512)\n"
    "  --format NAME        output format: wav aiff flac ogg caf w64 rf64 au\n"
    "                       (default: from OUTPUT's extension)\n"
    "  --subtype NAME       sample type: float double pcm16 pcm24 pcm32 pcm8\n"
    "                       vorbis ulaw alaw (default: float, pcm24 for flac)\n"
    "  --plot FILE.png      draw input, output and the output's decay curve\n"
    "  --plugin PATH        render through another VST 2 plug-in\n"
    "  --list               print the programs and parameters, render nothing\n"
    "  --quiet              print nothing but errors\n"
    "  --help               print this text\n"
    "  --version            print the version\n";

const int kMaxBlockFrames = 1 << 16;
const double kMaxTailSeconds = 3600.0;

// "--name=value" or "--name value": the option's value, consuming argv as needed.
std::string takeValue(const std::string& name, const std::string& inlineValue, bool hasInline,
                      int& i, int argc, char** argv) {
    if (hasInline) return inlineValue;
    if (i + 1 >= argc) throw RenderError("option " + name + " needs a value");
    return argv[++i];
}

std::pair<std::string, double> parseParam(const std::string& text) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0)
        throw RenderError("--param expects NAME=VALUE, got '" + text + "'");
    const std::string name = text.substr(0, eq);
    const std::string valueText = text.substr(eq + 1);
    double value = 0;
    if (!parseNumber(valueText, value))
        throw RenderError("value of parameter '" + name + "' is not a number: '" + valueText + "'");
    if (value < 0.0 || value > 1.0)
        throw RenderError("value of parameter '" + name + "' must lie between 0 and 1, got " + valueText);
    return {name, value};
}

}  // namespace

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v)) return false;
    value = v;
    return true;
}

const char* usageText() { return kUsage; }

Options parseOptions(int argc, char** argv) {
    Options o;
    std::vector<std::string> positional;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnd || arg.size() < 2 || arg[0] != '-' ) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") { optionsEnd = true; continue; }
        const auto eq = arg.find('=');
        const bool hasInline = eq != std::string::npos;
        const std::string name = hasInline ? arg.substr(0, eq) : arg;
        const std::string inlineValue = hasInline ? arg.substr(eq + 1) : std::string();
        auto value = [&] { return takeValue(name, inlineValue, hasInline, i, argc, argv); };
        auto flag = [&](bool& target) {
            if (hasInline) throw RenderError("option " + name + " takes no value");
            target = true;
        };

        if (name == "--program") o.program = value();
        else if (name == "--param") o.params.push_back(parseParam(value()));
        else if (name == "--tail") {
            const std::string t = value();
            if (!parseNumber(t, o.tailSeconds) || o.tailSeconds < 0 || o.tailSeconds > kMaxTailSeconds)
                throw RenderError("--tail expects seconds from 0 to 3600, got '" + t + "'");
        } else if (name == "--block") {
            const std::string t = value();
            double frames = 0;
            if (!parseNumber(t, frames) || frames < 1 || frames > kMaxBlockFrames || frames != std::floor(frames))
                throw RenderError("--block expects a whole number of frames from 1 to 65536, got '" + t + "'");
            o.blockFrames = static_cast<int>(frames);
        } else if (name == "--format") o.format = value();
        else if (name == "--subtype") o.subtype = value();
        else if (name == "--plot") o.plot = value();
        else if (name == "--plugin") o.plugin = value();
        else if (name == "--list") flag(o.list);
        else if (name == "--quiet" || name == "-q") flag(o.quiet);
        else if (name == "--help" || name == "-h") flag(o.help);
        else if (name == "--version") flag(o.version);
        else throw RenderError("unknown option " + name + " (see --help)");
    }
    if (o.help || o.version) return o;

    if (o.list) {
        if (!positional.empty()) throw RenderError("--list takes no files");
        return o;
    }
    if (positional.empty()) throw RenderError("no OUTPUT file given (see --help)");
    if (positional.size() > 2) throw RenderError("too many files: give at most INPUT and OUTPUT");
    o.output = positional.back();
    if (positional.size() == 2) o.input = positional.front();
    return o;
}

// The renderer's command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct Options {
    std::string plugin;                 // empty: Tarnwell.so beside the executable
    std::string program;                // number or name; empty: the plug-in's own start
    std::vector<std::pair<std::string, double>> params;  // NAME or index, value 0 to 1
    double tailSeconds = 4.0;
    int blockFrames = 512;
    std::string format;                 // major format name; empty: from the extension
    std::string subtype;                // subtype name; empty: the format's default
    std::string plot;                   // PNG path; empty: no plot
    std::string input;                  // empty: the built-in demo signal
    std::string output;
    bool list = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

// Parses argv; throws RenderError naming the first problem.
Options parseOptions(int argc, char** argv);

// The text of --help.
const char* usageText();

// Parses a whole string as a finite number; false if it is anything else.
bool parseNumber(const std::string& text, double& value);

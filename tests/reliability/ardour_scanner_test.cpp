// Debian's Ardour 7 scans the built plug-in with its own VST 2 scanner, the
// program Ardour runs before it offers a plug-in to the user, and writes what it
// found into an XML cache file. The test reads that entry back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const char* const kScanner = "/usr/lib/ardour7/ardour-vst-scanner";

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The attributes of the first <VST2Info .../> element.
std::map<std::string, std::string> infoAttributes(const std::string& xml) {
    std::map<std::string, std::string> attributes;
    std::smatch element;
    if (!std::regex_search(xml, element, std::regex("<VST2Info([^>]*)>"))) return attributes;
    const std::string body = element[1];
    const std::regex attribute("([A-Za-z_]+)=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), attribute);
         it != std::sregex_iterator(); ++it)
        attributes[(*it)[1]] = (*it)[2];
    return attributes;
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tarnwell-ardour-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    fs::path path;
};

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

TEST(ArdourScanner, FindsThePluginAndCachesItsIdentity) {
#ifdef TARNWELL_SANITIZED
    GTEST_SKIP() << "a sanitizer-built plug-in cannot be loaded by an uninstrumented host";
#endif
    ASSERT_TRUE(fs::exists(kScanner)) << kScanner << " is missing (Debian package ardour)";
    TempDir temp;
    ASSERT_FALSE(temp.path.empty());
    const fs::path cache = temp.path / "cache", config = temp.path / "config";
    const fs::path log = temp.path / "scanner.log";
    fs::create_directories(cache);
    fs::create_directories(config);

    // A private cache and configuration, so nothing leaks between runs.
    const std::string command = "env LD_LIBRARY_PATH=/usr/lib/ardour7 XDG_CACHE_HOME=" +
                                quoted(cache) + " XDG_CONFIG_HOME=" + quoted(config) +
                                " HOME=" + quoted(temp.path) + " timeout 120 " + kScanner +
                                " -v -f " + quoted(TARNWELL_PLUGIN_PATH) + " >" + quoted(log) +
                                " 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = readFile(log);
    std::cout << "--- ardour-vst-scanner output ---\n" << output << "---\n";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "scanner status " << status;

    fs::path entry;
    for (const auto& file : fs::recursive_directory_iterator(cache))
        if (file.path().extension() == ".v2i") entry = file.path();
    ASSERT_FALSE(entry.empty()) << "the scanner wrote no .v2i cache file";

    const auto attributes = infoAttributes(readFile(entry));
    const std::map<std::string, std::string> expected = {
        {"id", "1366127735"},  // 'Qmtw'
        {"name", "Tarnwell"},
        {"creator", "Quillmoor, Inc."},
        {"n_inputs", "2"},
        {"n_outputs", "2"},
        {"can_process_replace", "1"},
        // Ardour derives the MIDI input from canDo "receiveVstMidiEvent".
        {"n_midi_inputs", "1"},
        {"is_instrument", "0"},
#ifdef TARNWELL_HAS_EDITOR
        {"has_editor", "1"},
#else
        {"has_editor", "0"},
#endif
    };
    for (const auto& [key, value] : expected) {
        auto found = attributes.find(key);
        ASSERT_NE(found, attributes.end()) << "no attribute " << key << " in " << entry;
        EXPECT_EQ(found->second, value) << key;
    }
}

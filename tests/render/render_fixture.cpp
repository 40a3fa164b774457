#include "tests/render/render_fixture.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

RunResult runRender(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    char outName[] = "/tmp/tarnwell-render-out-XXXXXX";
    char errName[] = "/tmp/tarnwell-render-err-XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);
    std::vector<std::string> argStore {TARNWELL_RENDER_EXE};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore;
    for (char** e = environ; *e; ++e) envStore.push_back(*e);
    envStore.insert(envStore.end(), env.begin(), env.end());
    std::vector<char*> envp;
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    RunResult r;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    close(outFd);
    close(errFd);
    r.out = readText(outName);
    r.err = readText(errName);
    unlink(outName);
    unlink(errName);
    return r;
}

Sound readSound(const std::string& path) {
    Sound s;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &s.info);
    if (!f) return s;
    s.samples.resize(static_cast<size_t>(s.info.frames) * s.info.channels);
    s.ok = sf_readf_float(f, s.samples.data(), s.info.frames) == s.info.frames;
    sf_close(f);
    return s;
}

void writeSound(const std::string& path, int rate, int channels, const std::vector<float>& interleaved,
                int format) {
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    sf_writef_float(f, interleaved.data(), static_cast<sf_count_t>(interleaved.size() / channels));
    sf_close(f);
}

std::vector<float> testSignal(int frames, int channels) {
    std::vector<float> s(static_cast<size_t>(frames) * channels);
    uint32_t state = 12345;
    for (int i = 0; i < frames; ++i) {
        const float envelope = 0.5f * static_cast<float>(1.0 - (i % 4000) / 4000.0);
        for (int c = 0; c < channels; ++c) {
            state = state * 1664525u + 1013904223u;
            s[static_cast<size_t>(i) * channels + c] = envelope * (static_cast<float>(state >> 8) / 8388608.0f - 1.0f);
        }
    }
    return s;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int countLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void RenderFolder::SetUp() {
    char name[] = "/tmp/tarnwell-render-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir = name;
}

void RenderFolder::TearDown() {
    for (const auto& f : files())
        if (unlink(path(f).c_str()) != 0) rmdir(path(f).c_str());
    rmdir(dir.c_str());
}

std::vector<std::string> RenderFolder::files() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

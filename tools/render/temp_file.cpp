#include "tools/render/temp_file.h"

#include <csignal>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tools/render/render_error.h"

namespace {

// The temporary names alive right now, for the signal handler (which may only
// use async-signal-safe calls, hence fixed storage).
const int kMaxLive = 4;
char gLive[kMaxLive][4096];
volatile sig_atomic_t gLiveUsed[kMaxLive];

int track(const std::string& temp) {
    for (int i = 0; i < kMaxLive; ++i) {
        if (!gLiveUsed[i] && temp.size() < sizeof gLive[i]) {
            std::memcpy(gLive[i], temp.c_str(), temp.size() + 1);
            gLiveUsed[i] = 1;
            return i;
        }
    }
    return -1;
}

void untrack(int slot) {
    if (slot >= 0) gLiveUsed[slot] = 0;
}

void onSignal(int sig) {
    for (int i = 0; i < kMaxLive; ++i)
        if (gLiveUsed[i]) unlink(gLive[i]);
    signal(sig, SIG_DFL);
    raise(sig);
}

int slotOf(const std::string& temp) {
    for (int i = 0; i < kMaxLive; ++i)
        if (gLiveUsed[i] && temp == gLive[i]) return i;
    return -1;
}

}  // namespace

void installTempFileCleanup() {
    signal(SIGINT, onSignal);
    signal(SIGTERM, onSignal);
    signal(SIGHUP, onSignal);
}

TempFile::TempFile(const std::string& path) : path_(path) {
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    struct stat st {};
    if (base.empty() || (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        throw RenderError("cannot write '" + path + "': it is a folder");
    std::string pattern = dir + "." + base + ".partial-XXXXXX";
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0)
        throw RenderError("cannot write '" + path + "': " + std::strerror(errno));
    temp_ = pattern;
    // mkstemp makes the file private; give it the permissions a new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
    track(temp_);
}

TempFile::~TempFile() {
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(temp_.c_str());
    untrack(slotOf(temp_));
}

int TempFile::releaseFd() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void TempFile::commit() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (rename(temp_.c_str(), path_.c_str()) != 0)
        throw RenderError("cannot write '" + path_ + "': " + std::strerror(errno));
    committed_ = true;
}

#include "tools/render/audio_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "tools/render/render_error.h"

namespace {

class FileSource : public AudioSource {
public:
    FileSource(SNDFILE* file, const SF_INFO& info) : file_(file), info_(info) {}
    ~FileSource() override { sf_close(file_); }
    double sampleRate() const override { return info_.samplerate; }
    int64_t frames() const override { return info_.frames; }

    int read(float* left, float* right, int n) override {
        interleaved_.resize(static_cast<size_t>(n) * info_.channels);
        const sf_count_t got = sf_readf_float(file_, interleaved_.data(), n);
        if (got < 0 || sf_error(file_) != SF_ERR_NO_ERROR)
            throw RenderError(std::string("cannot read input: ") + sf_strerror(file_));
        const int c = info_.channels;
        for (sf_count_t i = 0; i < got; ++i) {
            left[i] = interleaved_[i * c];
            right[i] = interleaved_[i * c + (c > 1 ? 1 : 0)];
        }
        return static_cast<int>(got);
    }

private:
    SNDFILE* file_;
    SF_INFO info_;
    std::vector<float> interleaved_;
};

}  // namespace

std::unique_ptr<AudioSource> openInputFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        throw RenderError("cannot open input '" + path + "': " + std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw RenderError("input '" + path + "' is a folder, not a sound file");

    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw RenderError("cannot read input '" + path + "': " + sf_strerror(nullptr));
    if (info.channels < 1 || info.channels > 2) {
        sf_close(file);
        throw RenderError("input '" + path + "' has " + std::to_string(info.channels) +
                          " channels; only mono and stereo are rendered");
    }
    if (info.samplerate <= 0) {
        sf_close(file);
        throw RenderError("input '" + path + "' has no valid sample rate");
    }
    // Integer files keep their full range as floats in -1 to 1.
    sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    return std::make_unique<FileSource>(file, info);
}

BufferSource::BufferSource(double rate, std::vector<float> left, std::vector<float> right)
    : rate_(rate), left_(std::move(left)), right_(std::move(right)) {}

int BufferSource::read(float* left, float* right, int n) {
    const size_t count = std::min(static_cast<size_t>(n), left_.size() - position_);
    std::copy_n(left_.begin() + position_, count, left);
    std::copy_n(right_.begin() + position_, count, right);
    position_ += count;
    return static_cast<int>(count);
}

#include "tools/render/audio_sink.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "tools/render/render_error.h"

namespace {

struct MajorFormat {
    const char* name;
    std::initializer_list<const char*> extensions;
    int major;
    int defaultSubtype;
    const char* label;
};

const MajorFormat kFormats[] = {
    {"wav", {"wav", "wave"}, SF_FORMAT_WAV, SF_FORMAT_FLOAT, "WAV"},
    {"aiff", {"aiff", "aif", "aifc"}, SF_FORMAT_AIFF, SF_FORMAT_FLOAT, "AIFF"},
    {"flac", {"flac"}, SF_FORMAT_FLAC, SF_FORMAT_PCM_24, "FLAC"},
    {"ogg", {"ogg", "oga"}, SF_FORMAT_OGG, SF_FORMAT_VORBIS, "Ogg"},
    {"caf", {"caf"}, SF_FORMAT_CAF, SF_FORMAT_FLOAT, "CAF"},
    {"w64", {"w64"}, SF_FORMAT_W64, SF_FORMAT_FLOAT, "Wave64"},
    {"rf64", {"rf64"}, SF_FORMAT_RF64, SF_FORMAT_FLOAT, "RF64"},
    {"au", {"au", "snd"}, SF_FORMAT_AU, SF_FORMAT_FLOAT, "AU"},
};

struct Subtype {
    const char* name;
    int subtype;
    const char* label;
};

// pcm8 is unsigned in the RIFF family and signed elsewhere: both are listed and
// the first the format accepts is taken.
const Subtype kSubtypes[] = {
    {"float", SF_FORMAT_FLOAT, "32-bit float"},
    {"double", SF_FORMAT_DOUBLE, "64-bit float"},
    {"pcm16", SF_FORMAT_PCM_16, "16-bit"},
    {"pcm24", SF_FORMAT_PCM_24, "24-bit"},
    {"pcm32", SF_FORMAT_PCM_32, "32-bit"},
    {"pcm8", SF_FORMAT_PCM_S8, "8-bit"},
    {"pcm8", SF_FORMAT_PCM_U8, "8-bit"},
    {"vorbis", SF_FORMAT_VORBIS, "Vorbis"},
    {"opus", SF_FORMAT_OPUS, "Opus"},
    {"ulaw", SF_FORMAT_ULAW, "u-law"},
    {"alaw", SF_FORMAT_ALAW, "A-law"},
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

const MajorFormat* formatByName(const std::string& name) {
    for (const auto& f : kFormats)
        if (name == f.name) return &f;
    return nullptr;
}

const MajorFormat* formatByExtension(const std::string& path) {
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return nullptr;
    const std::string ext = lower(path.substr(dot + 1));
    for (const auto& f : kFormats)
        for (const char* e : f.extensions)
            if (ext == e) return &f;
    return nullptr;
}

bool fits(int format, int rate) {
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = 2;
    info.format = format;
    return sf_format_check(&info) != 0;
}

bool isInteger(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24: case SF_FORMAT_PCM_32: return true;
    default: return false;
    }
}

}  // namespace

int chooseOutputFormat(const std::string& path, const std::string& format,
                       const std::string& subtype, int rate) {
    const MajorFormat* major = nullptr;
    if (!format.empty()) {
        major = formatByName(lower(format));
        if (!major) throw RenderError("unknown output format '" + format + "' (see --help)");
    } else {
        major = formatByExtension(path);
        if (!major)
            throw RenderError("cannot tell the output format from '" + path +
                              "'; use an extension such as .wav or .flac, or --format");
    }
    if (subtype.empty()) {
        const int f = major->major | major->defaultSubtype;
        if (!fits(f, rate))
            throw RenderError(std::string("the ") + major->label + " format cannot hold stereo at " +
                              std::to_string(rate) + " Hz");
        return f;
    }
    const std::string wanted = lower(subtype);
    bool known = false;
    for (const auto& s : kSubtypes) {
        if (wanted != s.name) continue;
        known = true;
        if (fits(major->major | s.subtype, rate)) return major->major | s.subtype;
    }
    if (!known) throw RenderError("unknown sample type '" + subtype + "' (see --help)");
    throw RenderError(std::string("the ") + major->label + " format cannot hold " + wanted +
                      " samples in stereo at " + std::to_string(rate) + " Hz");
}

std::string describeFormat(int format) {
    std::string text;
    for (const auto& s : kSubtypes)
        if ((format & SF_FORMAT_SUBMASK) == s.subtype) { text = s.label; break; }
    for (const auto& f : kFormats)
        if ((format & SF_FORMAT_TYPEMASK) == f.major) return text + " " + f.label;
    return text;
}

AudioSink::AudioSink(const std::string& path, int format, int rate) : path_(path), temp_(path) {
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = 2;
    info.format = format;
    file_ = sf_open_fd(temp_.fd(), SFM_WRITE, &info, SF_TRUE);
    if (!file_) throw RenderError("cannot write '" + path + "': " + sf_strerror(nullptr));
    temp_.releaseFd();
    // Without clipping, integer formats would wrap samples beyond full scale.
    if (isInteger(format)) sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioSink::~AudioSink() {
    if (file_) sf_close(file_);
}

void AudioSink::write(const float* left, const float* right, int n) {
    interleaved_.resize(static_cast<size_t>(n) * 2);
    for (int i = 0; i < n; ++i) {
        interleaved_[2 * i] = left[i];
        interleaved_[2 * i + 1] = right[i];
    }
    if (sf_writef_float(file_, interleaved_.data(), n) != n)
        throw RenderError("cannot write '" + path_ + "': " + sf_strerror(file_));
}

void AudioSink::commit() {
    const int status = sf_close(file_);
    file_ = nullptr;
    if (status != 0) throw RenderError("cannot write '" + path_ + "': " + sf_error_number(status));
    temp_.commit();
}

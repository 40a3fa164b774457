#include "tools/render/plot.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/render/decay.h"
#include "tools/render/render_error.h"

namespace {

const int kWidth = 1200, kHeight = 900;
const double kLeft = 90, kRight = 30;  // margins of every panel
const double kDecayFloorDb = -90;

struct Panel {
    double x, y, w, h;
};

struct Colour {
    double r, g, b, a;
};
const Colour kLeftColour {0.12, 0.38, 0.75, 0.85};
const Colour kRightColour {0.90, 0.45, 0.10, 0.65};

void setColour(cairo_t* cr, const Colour& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void label(cairo_t* cr, double x, double y, const std::string& text, double size = 13, bool right = false) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, right ? x - ext.x_advance : x, y);
    cairo_show_text(cr, text.c_str());
}

void frame(cairo_t* cr, const Panel& p, const std::string& title) {
    cairo_set_source_rgb(cr, 0.97, 0.97, 0.97);
    cairo_rectangle(cr, p.x, p.y, p.w, p.h);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, p.x + 0.5, p.y + 0.5, p.w - 1, p.h - 1);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    label(cr, p.x, p.y - 8, title, 15);
}

// Ticks every second (or every 0.5 s, 5 s, ... so that about ten fit).
void timeAxis(cairo_t* cr, const Panel& p, double seconds, double offset = 0) {
    const double steps[] = {0.1, 0.25, 0.5, 1, 2, 5, 10, 30, 60, 120, 300, 600};
    double step = steps[0];
    for (double s : steps) {
        step = s;
        if (seconds / s <= 12) break;
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    for (double t = 0; t <= seconds + 1e-9; t += step) {
        const double x = p.x + t / seconds * p.w;
        cairo_move_to(cr, x + 0.5, p.y + p.h);
        cairo_line_to(cr, x + 0.5, p.y + p.h + 5);
        cairo_stroke(cr);
        char text[32];
        std::snprintf(text, sizeof text, "%g s", t + offset);
        label(cr, x - 10, p.y + p.h + 18, text, 11);
    }
}

void waveform(cairo_t* cr, const Panel& p, const std::vector<PlotRecorder::Column>& columns,
              double seconds, const std::string& title) {
    frame(cr, p, title);
    const double mid = p.y + p.h / 2, half = p.h / 2 - 4;
    cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
    cairo_move_to(cr, p.x, mid + 0.5);
    cairo_line_to(cr, p.x + p.w, mid + 0.5);
    cairo_stroke(cr);
    // Clipped to full scale: a louder sample pins the edge, as a meter would.
    auto y = [&](float v) { return mid - std::clamp(static_cast<double>(v), -1.0, 1.0) * half; };
    const double dx = p.w / columns.size();
    for (int channel = 0; channel < 2; ++channel) {
        setColour(cr, channel == 0 ? kLeftColour : kRightColour);
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto& c = columns[i];
            const float lo = channel == 0 ? c.minLeft : c.minRight;
            const float hi = channel == 0 ? c.maxLeft : c.maxRight;
            cairo_rectangle(cr, p.x + i * dx, y(hi), std::max(dx, 1.0), std::max(1.0, y(lo) - y(hi)));
        }
        cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    label(cr, p.x - 8, p.y + 12, "+1", 11, true);
    label(cr, p.x - 8, mid + 4, "0", 11, true);
    label(cr, p.x - 8, p.y + p.h - 2, "-1", 11, true);
    timeAxis(cr, p, seconds);
    setColour(cr, kLeftColour);
    label(cr, p.x + p.w - 120, p.y - 8, "left", 13);
    setColour(cr, kRightColour);
    label(cr, p.x + p.w - 70, p.y - 8, "right", 13);
}

void decayPanel(cairo_t* cr, const Panel& p, const PlotRecorder& data) {
    const std::vector<double> curve = energyDecayCurveDb(data.decayEnergy);
    const Rt60Estimate rt = estimateRt60(curve, data.binSeconds);
    const double seconds = std::max(data.binSeconds, curve.size() * data.binSeconds);
    const double startSeconds = data.decayStartFrame / data.sampleRate;
    char title[160];
    const bool silent = std::all_of(data.decayEnergy.begin(), data.decayEnergy.end(),
                                    [](double e) { return e == 0; });
    std::snprintf(title, sizeof title, "Output energy decay from %.2f s (dB)   %s", startSeconds,
                  silent ? "the output is silent there" : describeRt60(rt).c_str());
    frame(cr, p, title);

    auto x = [&](double t) { return p.x + t / seconds * p.w; };
    auto y = [&](double db) { return p.y + std::clamp(db / kDecayFloorDb, 0.0, 1.0) * p.h; };
    cairo_set_line_width(cr, 1);
    for (double db = 0; db >= kDecayFloorDb; db -= 10) {
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
        cairo_move_to(cr, p.x, y(db) + 0.5);
        cairo_line_to(cr, p.x + p.w, y(db) + 0.5);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
        char text[16];
        std::snprintf(text, sizeof text, "%.0f", db);
        label(cr, p.x - 8, y(db) + 4, text, 11, true);
    }

    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_set_line_width(cr, 2);
    for (size_t i = 0; i < curve.size(); ++i) {
        const double t = (i + 0.5) * data.binSeconds;
        if (i == 0) cairo_move_to(cr, x(t), y(curve[i]));
        else cairo_line_to(cr, x(t), y(curve[i]));
    }
    cairo_stroke(cr);

    if (rt.valid) {
        // The fitted line, drawn down to -60 dB (or the panel's edge).
        const double end = std::min(seconds, (-60.0 - rt.interceptDb) / rt.slopeDbPerSecond);
        cairo_set_source_rgba(cr, 0.8, 0.1, 0.1, 0.9);
        const double dash[] = {6, 4};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, x(0), y(rt.interceptDb));
        cairo_line_to(cr, x(end), y(rt.interceptDb + rt.slopeDbPerSecond * end));
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    cairo_set_line_width(cr, 1);
    timeAxis(cr, p, seconds, 0);
}

cairo_status_t writeToFd(void* closure, const unsigned char* data, unsigned int length) {
    const int fd = *static_cast<int*>(closure);
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n <= 0) return CAIRO_STATUS_WRITE_ERROR;
        data += n;
        length -= static_cast<unsigned int>(n);
    }
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

PlotRecorder::PlotRecorder(int64_t total, int64_t inputFrames, double rate)
    : input(kColumns), output(kColumns), totalFrames(std::max<int64_t>(total, 1)),
      // The decay is that of the tail: measured from the input's end when there is a tail.
      decayStartFrame(total > inputFrames ? inputFrames : 0), sampleRate(rate),
      binFrames_(std::max(1, static_cast<int>(std::lround(rate / 1000.0)))) {
    binSeconds = binFrames_ / rate;
    decayEnergy.assign(static_cast<size_t>((totalFrames - decayStartFrame + binFrames_ - 1) / binFrames_), 0.0);
}

void PlotRecorder::add(const float* inLeft, const float* inRight, const float* outLeft,
                       const float* outRight, int n) {
    auto extend = [](Column& c, float l, float r) {
        c.minLeft = std::min(c.minLeft, l);
        c.maxLeft = std::max(c.maxLeft, l);
        c.minRight = std::min(c.minRight, r);
        c.maxRight = std::max(c.maxRight, r);
    };
    for (int i = 0; i < n; ++i, ++position_) {
        const size_t column = static_cast<size_t>(position_ * kColumns / totalFrames);
        if (column >= input.size()) break;
        extend(input[column], inLeft[i], inRight[i]);
        extend(output[column], outLeft[i], outRight[i]);
        if (position_ >= decayStartFrame) {
            const size_t bin = static_cast<size_t>((position_ - decayStartFrame) / binFrames_);
            const double l = outLeft[i], r = outRight[i];
            // A non-finite sample would poison the whole curve; it counts as silence here.
            if (bin < decayEnergy.size() && std::isfinite(l * l + r * r)) decayEnergy[bin] += l * l + r * r;
        }
    }
}

std::unique_ptr<TempFile> drawPlot(const std::string& path, const PlotRecorder& data,
                                   const std::string& title) {
    auto file = std::make_unique<TempFile>(path);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 0, 0, 0);
    label(cr, kLeft, 30, title, 18);

    const double seconds = data.totalFrames / data.sampleRate;
    const double w = kWidth - kLeft - kRight;
    waveform(cr, Panel {kLeft, 70, w, 210}, data.input, seconds, "Input");
    waveform(cr, Panel {kLeft, 350, w, 210}, data.output, seconds, "Output");
    decayPanel(cr, Panel {kLeft, 630, w, 230}, data);

    int fd = file->fd();
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, writeToFd, &fd);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    // The renderer draws one picture: give back the font caches the text filled,
    // so that a leak checker sees only real leaks.
    cairo_debug_reset_static_data();
    FcFini();
    if (status != CAIRO_STATUS_SUCCESS)
        throw RenderError("cannot write plot '" + path + "': " + cairo_status_to_string(status));
    return file;
}

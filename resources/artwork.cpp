// Draws the panel's eleven images. Run it to reproduce the committed PNGs:
//   tarnwell-artwork <output directory>
// Everything is drawn from code with cairo, in one palette: a dark lake-blue
// panel, cream print, brass knobs and amber light.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

constexpr Rgb kPanelTop{0.125, 0.184, 0.204};
constexpr Rgb kPanelBottom{0.078, 0.114, 0.129};
constexpr Rgb kPlate{0.157, 0.227, 0.251};
constexpr Rgb kPrint{0.914, 0.863, 0.745};
constexpr Rgb kPrintDim{0.592, 0.620, 0.588};
constexpr Rgb kAmber{1.0, 0.667, 0.200};
constexpr Rgb kBrassLight{0.878, 0.776, 0.553};
constexpr Rgb kBrassDark{0.447, 0.357, 0.196};

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

enum class Align { Left, Centre, Right };

void text(cairo_t* cr, const char* s, double x, double y, double size, Rgb colour,
          Align align = Align::Centre, bool bold = true, const char* family = "DejaVu Sans Condensed",
          bool italic = false)
{
    cairo_select_font_face(cr, family, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    double left = x;
    if (align == Align::Centre)
        left = x - (e.x_advance / 2);
    else if (align == Align::Right)
        left = x - e.x_advance;
    setColour(cr, colour);
    cairo_move_to(cr, left, y);
    cairo_show_text(cr, s);
}

void screw(cairo_t* cr, double x, double y)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(x - 1, y - 1, 0.5, x, y, 4);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.75, 0.77, 0.76);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.30, 0.33, 0.34);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, 3.5, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x - 2.2, y + 1.2);
    cairo_line_to(cr, x + 2.2, y - 1.2);
    cairo_stroke(cr);
}

// A slightly raised plate that groups the controls of one section.
void plate(cairo_t* cr, double x, double y, double w, double h)
{
    roundedRect(cr, x + 1, y + 1.5, w, h, 5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0, kPlate.r + 0.02, kPlate.g + 0.02, kPlate.b + 0.02);
    cairo_pattern_add_color_stop_rgb(p, 1, kPlate.r - 0.02, kPlate.g - 0.02, kPlate.b - 0.02);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The knob's angle for strip image i of 40: a sweep of 300 degrees, 0 at
// seven o'clock, full at five o'clock. Angles are cairo's (0 = three o'clock).
double knobAngle(double fraction)
{
    return (-90.0 - 150.0 + 300.0 * fraction) * kPi / 180.0;
}

// The scale printed around a knob whose rectangle starts at (x, y).
void knobScale(cairo_t* cr, double x, double y)
{
    const double cx = x + 20, cy = y + 19;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i <= 10; ++i) {
        const double a = knobAngle(i / 10.0);
        const bool major = i % 5 == 0;
        const double r0 = 15.5, r1 = major ? 18.5 : 17.5;
        setColour(cr, major ? kPrint : kPrintDim, major ? 0.95 : 0.7);
        cairo_set_line_width(cr, major ? 1.3 : 0.9);
        cairo_move_to(cr, cx + r0 * std::cos(a), cy + r0 * std::sin(a));
        cairo_line_to(cr, cx + r1 * std::cos(a), cy + r1 * std::sin(a));
        cairo_stroke(cr);
    }
}

// A level meter's recess and its L/R marks; the meter rectangle starts at x, y.
void meterSlot(cairo_t* cr, double x, double y, const char* side)
{
    roundedRect(cr, x - 1.5, y - 1.5, 7, 64, 1.5);
    cairo_set_source_rgb(cr, 0.03, 0.05, 0.06);
    cairo_fill(cr);
    text(cr, side, x + 2, y + 70, 6.5, kPrintDim);
}

// Segment k of 9 (0 at the bottom) of a 61 pixel high meter: the same division
// the toolkit uses to light whole segments.
void segmentBounds(int k, double& top, double& bottom)
{
    bottom = std::round(61.0 - k * 61.0 / 9.0);
    top = std::round(61.0 - (k + 1) * 61.0 / 9.0) + 1.0;
}

bool write(cairo_surface_t* s, const std::string& dir, int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "/bmp%05d.png", number);
    const std::string path = dir + name;
    if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

void drawLakeEmblem(cairo_t* cr, double x, double y, double w, double h, double alpha)
{
    // Two peaks over still water, with their reflection.
    const double horizon = y + h * 0.58;
    cairo_move_to(cr, x, horizon);
    cairo_line_to(cr, x + w * 0.30, y + h * 0.12);
    cairo_line_to(cr, x + w * 0.47, y + h * 0.36);
    cairo_line_to(cr, x + w * 0.62, y + h * 0.02);
    cairo_line_to(cr, x + w, horizon);
    cairo_close_path(cr);
    setColour(cr, kPrint, alpha);
    cairo_fill(cr);
    cairo_move_to(cr, x, horizon + 1);
    cairo_line_to(cr, x + w * 0.30, horizon + 1 + (horizon - y - h * 0.12) * 0.45);
    cairo_line_to(cr, x + w * 0.47, horizon + 1 + (horizon - y - h * 0.36) * 0.45);
    cairo_line_to(cr, x + w * 0.62, horizon + 1 + (horizon - y - h * 0.02) * 0.45);
    cairo_line_to(cr, x + w, horizon + 1);
    cairo_close_path(cr);
    setColour(cr, kPrint, alpha * 0.3);
    cairo_fill(cr);
    setColour(cr, kAmber, alpha);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 3; ++i) {
        const double yy = horizon + 2.5 + i * 3.0;
        cairo_move_to(cr, x + w * (0.1 + i * 0.12), yy);
        cairo_line_to(cr, x + w * (0.9 - i * 0.12), yy);
        cairo_stroke(cr);
    }
}

bool background(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 604, 215);
    cairo_t* cr = cairo_create(s);

    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 215);
    cairo_pattern_add_color_stop_rgb(p, 0, kPanelTop.r, kPanelTop.g, kPanelTop.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kPanelBottom.r, kPanelBottom.g, kPanelBottom.b);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // A fine brushed grain across the panel.
    for (int yy = 0; yy < 215; yy += 2) {
        cairo_set_source_rgba(cr, 1, 1, 1, (yy * 7919 % 13) / 13.0 * 0.018);
        cairo_rectangle(cr, 0, yy, 604, 1);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0.5, 0.5, 603, 214);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    // Section plates.
    plate(cr, 100, 6, 262, 112);   // reverb: pre-delay, size, resonance, bit rot
    plate(cr, 100, 122, 270, 87);  // room display and filters
    plate(cr, 372, 6, 72, 203);    // MIDI column and mode
    plate(cr, 448, 6, 150, 203);   // levels

    // Name and vendor.
    text(cr, "Tarnwell", 50, 37, 17, kPrint, Align::Centre, true, "DejaVu Serif", true);
    text(cr, "STEREO REVERB", 50, 53, 7.5, kAmber);
    text(cr, "QUILLMOOR, INC.", 50, 66, 6.5, kPrintDim);
    // The splash panel's area: an emblem that opens the about picture.
    roundedRect(cr, 12, 88, 66, 34, 4);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
    cairo_stroke(cr);
    drawLakeEmblem(cr, 20, 91, 50, 22, 0.85);
    text(cr, "ABOUT", 45, 120, 5.5, kPrintDim);
    screw(cr, 10, 10);
    screw(cr, 10, 205);
    screw(cr, 90, 205);
    text(cr, "v2.3", 50, 200, 6.5, kPrintDim, Align::Centre, false);

    // First row of knobs, their switches.
    struct Knob {
        double x, y;
        const char* label;
    };
    const Knob row[] = {{110, 40, "PRE-DELAY"}, {173, 40, "ROOM SIZE"}, {246, 40, "RESONANCE"}, {309, 40, "BIT ROT"}};
    for (const Knob& k : row) {
        knobScale(cr, k.x, k.y);
        text(cr, k.label, k.x + 20, 30, 7.5, kPrint);
    }
    text(cr, "ON", 152, 101, 6.5, kPrintDim, Align::Left);
    text(cr, "ON", 352, 101, 6.5, kPrintDim, Align::Left);
    // The size knob and resonance share the tank and filter; a short rule
    // under the labels marks the pairs.
    setColour(cr, kAmber, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 122, 14.5);
    cairo_line_to(cr, 201, 14.5);
    cairo_move_to(cr, 258, 14.5);
    cairo_line_to(cr, 337, 14.5);
    cairo_stroke(cr);
    text(cr, "SPACE", 161.5, 19, 6, kAmber);
    text(cr, "COLOUR", 297.5, 19, 6, kAmber);

    // Room display frame and the filter labels.
    roundedRect(cr, 126, 130, 69, 64, 3);
    cairo_set_source_rgb(cr, 0.03, 0.05, 0.06);
    cairo_fill(cr);
    text(cr, "ROOM", 115, 165, 6.5, kPrintDim, Align::Centre);
    text(cr, "HIGH", 250, 137, 7.5, kPrint, Align::Right);
    text(cr, "PASS", 250, 147, 7.5, kPrint, Align::Right);
    text(cr, "LOW", 250, 177, 7.5, kPrint, Align::Right);
    text(cr, "PASS", 250, 187, 7.5, kPrint, Align::Right);
    text(cr, "Hz", 366, 143, 6, kPrintDim, Align::Left, false);
    text(cr, "Hz", 366, 183, 6, kPrintDim, Align::Left, false);

    // MIDI column.
    text(cr, "MIDI", 409, 17, 7.5, kPrint, Align::Right);
    text(cr, "HOLD", 409, 47, 7, kPrint, Align::Right);
    text(cr, "GATE", 409, 78, 7, kPrint, Align::Right);
    text(cr, "SIZE", 409, 108, 7, kPrint, Align::Right);
    setColour(cr, kAmber, 0.5);
    cairo_move_to(cr, 380, 150.5);
    cairo_line_to(cr, 436, 150.5);
    cairo_stroke(cr);
    text(cr, "FREEZE", 425.5, 169, 7, kPrint);
    text(cr, "TANK", 392, 193, 6, kPrintDim);

    // Levels: a meter pair over each knob, a switch under it.
    struct Level {
        double knobX, meterL, meterR;
        const char* name;
    };
    const Level levels[] = {{450, 461, 475, "INPUT"}, {496, 506, 520, "WET"}, {541, 551, 565, "DRY"}};
    for (const Level& l : levels) {
        meterSlot(cr, l.meterL, 40, "L");
        meterSlot(cr, l.meterR, 40, "R");
        text(cr, l.name, (l.meterL + l.meterR + 4) / 2, 30, 7.5, kPrint);
        knobScale(cr, l.knobX, 131);
        text(cr, "LEVEL", l.knobX + 20, 125, 6, kPrintDim);
    }
    // Meter scale: full, -6 dB and zero marks at the left of the first pair.
    text(cr, "0", 454, 46, 5.5, kPrintDim, Align::Right, false);
    text(cr, "-", 454, 101, 5.5, kPrintDim, Align::Right, false);
    screw(cr, 594, 10);
    screw(cr, 594, 205);

    cairo_destroy(cr);
    const bool ok = write(s, dir, 10001);
    cairo_surface_destroy(s);
    return ok;
}

bool knobStrip(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 41 * 38);
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i <= 40; ++i) {
        const double cx = 20, cy = 19 + i * 38;
        // Shadow, brass skirt, dark cap.
        cairo_arc(cr, cx + 1, cy + 1.5, 14, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_fill(cr);
        cairo_pattern_t* skirt = cairo_pattern_create_linear(cx - 13, cy - 13, cx + 13, cy + 13);
        cairo_pattern_add_color_stop_rgb(skirt, 0, kBrassLight.r, kBrassLight.g, kBrassLight.b);
        cairo_pattern_add_color_stop_rgb(skirt, 1, kBrassDark.r, kBrassDark.g, kBrassDark.b);
        cairo_arc(cr, cx, cy, 13.5, 0, 2 * kPi);
        cairo_set_source(cr, skirt);
        cairo_fill(cr);
        cairo_pattern_destroy(skirt);
        cairo_pattern_t* cap = cairo_pattern_create_radial(cx - 3, cy - 4, 1, cx, cy, 11);
        cairo_pattern_add_color_stop_rgb(cap, 0, 0.33, 0.36, 0.37);
        cairo_pattern_add_color_stop_rgb(cap, 1, 0.10, 0.12, 0.13);
        cairo_arc(cr, cx, cy, 10.5, 0, 2 * kPi);
        cairo_set_source(cr, cap);
        cairo_fill(cr);
        cairo_pattern_destroy(cap);
        // Pointer.
        const double a = knobAngle(i / 40.0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 2.2);
        setColour(cr, kAmber);
        cairo_move_to(cr, cx + 3.5 * std::cos(a), cy + 3.5 * std::sin(a));
        cairo_line_to(cr, cx + 12.5 * std::cos(a), cy + 12.5 * std::sin(a));
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    const bool ok = write(s, dir, 10002);
    cairo_surface_destroy(s);
    return ok;
}

// A square push switch with a light window: off above, on below.
bool switchStrip(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 25, 60);
    cairo_t* cr = cairo_create(s);
    for (int on = 0; on < 2; ++on) {
        const double y = on * 30;
        roundedRect(cr, 2.5, y + 3.5, 21, 24, 3);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        roundedRect(cr, 2, y + 2, 21, 24, 3);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y + 2, 0, y + 26);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.42, 0.45, 0.46);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.16, 0.18, 0.19);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        roundedRect(cr, 4, y + 4 + on, 17, 20, 2);
        cairo_pattern_t* face = cairo_pattern_create_linear(0, y + 4, 0, y + 24);
        cairo_pattern_add_color_stop_rgb(face, 0, 0.26, 0.28, 0.29);
        cairo_pattern_add_color_stop_rgb(face, 1, 0.19, 0.21, 0.22);
        cairo_set_source(cr, face);
        cairo_fill(cr);
        cairo_pattern_destroy(face);
        // The window.
        roundedRect(cr, 7, y + 7 + on, 11, 5, 1.5);
        if (on) {
            setColour(cr, kAmber);
            cairo_fill(cr);
            cairo_pattern_t* glow = cairo_pattern_create_radial(12.5, y + 10, 0, 12.5, y + 10, 10);
            cairo_pattern_add_color_stop_rgba(glow, 0, kAmber.r, kAmber.g, kAmber.b, 0.35);
            cairo_pattern_add_color_stop_rgba(glow, 1, kAmber.r, kAmber.g, kAmber.b, 0);
            cairo_set_source(cr, glow);
            cairo_rectangle(cr, 4, y + 5, 17, 18);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
        } else {
            cairo_set_source_rgb(cr, 0.25, 0.18, 0.08);
            cairo_fill(cr);
        }
        // Grip lines.
        cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
        cairo_set_line_width(cr, 1);
        for (int g = 0; g < 3; ++g) {
            cairo_move_to(cr, 8, y + 16.5 + on + g * 2.5);
            cairo_line_to(cr, 17, y + 16.5 + on + g * 2.5);
        }
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    const bool ok = write(s, dir, 10003);
    cairo_surface_destroy(s);
    return ok;
}

bool midiLed(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 17, 26);
    cairo_t* cr = cairo_create(s);
    for (int lit = 0; lit < 2; ++lit) {
        const double cx = 8.5, cy = 6.5 + lit * 13;
        cairo_arc(cr, cx, cy, 5.5, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.05, 0.07, 0.07);
        cairo_fill(cr);
        cairo_pattern_t* p = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 4.5);
        if (lit) {
            cairo_pattern_add_color_stop_rgb(p, 0, 0.85, 1.0, 0.75);
            cairo_pattern_add_color_stop_rgb(p, 1, 0.20, 0.80, 0.30);
        } else {
            cairo_pattern_add_color_stop_rgb(p, 0, 0.20, 0.30, 0.22);
            cairo_pattern_add_color_stop_rgb(p, 1, 0.06, 0.14, 0.08);
        }
        cairo_arc(cr, cx, cy, 4.2, 0, 2 * kPi);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        if (lit) {
            cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 3, cx, cy, 8.5);
            cairo_pattern_add_color_stop_rgba(glow, 0, 0.3, 1.0, 0.4, 0.45);
            cairo_pattern_add_color_stop_rgba(glow, 1, 0.3, 1.0, 0.4, 0);
            cairo_set_source(cr, glow);
            cairo_rectangle(cr, 0, cy - 6.5, 17, 13);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
        }
    }
    cairo_destroy(cr);
    const bool ok = write(s, dir, 10004);
    cairo_surface_destroy(s);
    return ok;
}

constexpr int kHandleWidth = 13;

bool sliderHandle(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kHandleWidth, 37);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 1.5, 3.5, 11, 32, 2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    roundedRect(cr, 0.5, 2, 11.5, 32, 2);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, kHandleWidth, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, kBrassLight.r, kBrassLight.g, kBrassLight.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.70, 0.60, 0.40);
    cairo_pattern_add_color_stop_rgb(p, 1, kBrassDark.r, kBrassDark.g, kBrassDark.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_set_line_width(cr, 1);
    for (int g = 0; g < 4; ++g) {
        cairo_move_to(cr, 3, 6.5 + g * 2.5);
        cairo_line_to(cr, 10, 6.5 + g * 2.5);
        cairo_move_to(cr, 3, 23.5 + g * 2.5);
        cairo_line_to(cr, 10, 23.5 + g * 2.5);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, 5.25, 16, 2, 5);
    setColour(cr, kAmber);
    cairo_fill(cr);
    cairo_destroy(cr);
    const bool ok = write(s, dir, 10005);
    cairo_surface_destroy(s);
    return ok;
}

// A slider background: groove, ticks and frequencies. position(f) gives the
// handle's left edge (0 to travel) for a frequency f.
template <typename Position>
bool sliderBackground(const std::string& dir, int number, const int* marks, const char* const* names, int count,
                      Position position)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 109, 37);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 0, 0, 109, 37, 3);
    cairo_set_source_rgb(cr, 0.09, 0.13, 0.15);
    cairo_fill(cr);
    roundedRect(cr, 4, 22, 101, 4, 2);
    cairo_set_source_rgb(cr, 0.02, 0.03, 0.04);
    cairo_fill(cr);
    for (int i = 0; i < count; ++i) {
        const double x = std::round(position(marks[i]) + kHandleWidth / 2.0) - 0.5;
        setColour(cr, kPrintDim);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, x, 12);
        cairo_line_to(cr, x, 17);
        cairo_move_to(cr, x, 30);
        cairo_line_to(cr, x, 33);
        cairo_stroke(cr);
        const Align align = x < 10 ? Align::Left : (x > 99 ? Align::Right : Align::Centre);
        text(cr, names[i], align == Align::Left ? 1.5 : (align == Align::Right ? 107.5 : x), 9.5, 6.5, kPrint,
             align, false);
    }
    cairo_destroy(cr);
    const bool ok = write(s, dir, number);
    cairo_surface_destroy(s);
    return ok;
}

bool sliderBackgrounds(const std::string& dir)
{
    const double travel = 109 - kHandleWidth;
    // High-pass: 100 Hz to 2 kHz, rising left to right.
    const int hpMarks[] = {100, 200, 500, 1000, 2000};
    const char* const hpNames[] = {"100", "200", "500", "1k", "2k"};
    auto hp = [travel](int f) { return travel * std::log(f / 100.0) / std::log(20.0); };
    // Low-pass: 500 Hz to 5 kHz, rising right to left.
    const int lpMarks[] = {500, 1000, 2000, 5000};
    const char* const lpNames[] = {"500", "1k", "2k", "5k"};
    auto lp = [travel](int f) { return travel * (1.0 - std::log(f / 500.0) / std::log(10.0)); };
    return sliderBackground(dir, 10010, hpMarks, hpNames, 5, hp) &&
           sliderBackground(dir, 10011, lpMarks, lpNames, 4, lp);
}

bool meters(const std::string& dir)
{
    for (int lit = 0; lit < 2; ++lit) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 61);
        cairo_t* cr = cairo_create(s);
        for (int k = 0; k < 9; ++k) {
            double top, bottom;
            segmentBounds(k, top, bottom);
            Rgb c = k < 6 ? Rgb{0.35, 0.85, 0.45} : (k < 8 ? kAmber : Rgb{1.0, 0.30, 0.22});
            const double scale = lit ? 1.0 : 0.22;
            cairo_set_source_rgb(cr, c.r * scale, c.g * scale, c.b * scale);
            cairo_rectangle(cr, 0, top, 4, bottom - top);
            cairo_fill(cr);
        }
        cairo_destroy(cr);
        const bool ok = write(s, dir, lit ? 10008 : 10007);
        cairo_surface_destroy(s);
        if (!ok)
            return false;
    }
    return true;
}

// 37 views of a room in one-point perspective; the back wall recedes and the
// listener shrinks as the room grows.
bool roomStrip(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 65, 37 * 60);
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i <= 36; ++i) {
        const double size = i / 36.0;
        const double y0 = i * 60.0;
        cairo_save(cr);
        cairo_rectangle(cr, 0, y0, 65, 60);
        cairo_clip(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y0 + 60);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.05, 0.09, 0.11);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.03, 0.05, 0.06);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);

        const double cx = 32.5, cy = y0 + 27;
        const double bw = 44 - 34 * size, bh = 34 - 26 * size;
        const double bx = cx - bw / 2, by = cy - bh / 2;
        // Floor.
        cairo_move_to(cr, 2, y0 + 58);
        cairo_line_to(cr, bx, by + bh);
        cairo_line_to(cr, bx + bw, by + bh);
        cairo_line_to(cr, 63, y0 + 58);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, kAmber.r, kAmber.g, kAmber.b, 0.10 + 0.08 * size);
        cairo_fill(cr);
        // Back wall.
        cairo_rectangle(cr, bx, by, bw, bh);
        cairo_set_source_rgba(cr, kPrint.r, kPrint.g, kPrint.b, 0.10);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, kPrint.r, kPrint.g, kPrint.b, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // Edges to the corners of the view.
        const double corners[4][4] = {{2, y0 + 2, bx, by},
                                      {63, y0 + 2, bx + bw, by},
                                      {2, y0 + 58, bx, by + bh},
                                      {63, y0 + 58, bx + bw, by + bh}};
        cairo_set_source_rgba(cr, kPrint.r, kPrint.g, kPrint.b, 0.55);
        for (const auto& c : corners) {
            cairo_move_to(cr, c[0], c[1]);
            cairo_line_to(cr, c[2], c[3]);
        }
        cairo_stroke(cr);
        // Sound rings on the back wall, more of them in a larger room.
        const int rings = 1 + static_cast<int>(size * 4);
        for (int r = 0; r < rings; ++r) {
            cairo_arc(cr, cx, by + bh, 3 + r * (bw / 2 - 3) / 4.0 + 0.01, kPi, 2 * kPi);
            cairo_set_source_rgba(cr, kAmber.r, kAmber.g, kAmber.b, 0.65 - r * 0.12);
            cairo_stroke(cr);
        }
        // The listener, standing on the floor near the front.
        const double h = 14;
        const double fx = cx, fy = y0 + 52;
        cairo_arc(cr, fx, fy - h, 2.2, 0, 2 * kPi);
        setColour(cr, kPrint, 0.9);
        cairo_fill(cr);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, fx, fy - h + 2);
        cairo_line_to(cr, fx, fy - 5);
        cairo_move_to(cr, fx - 2.5, fy);
        cairo_line_to(cr, fx, fy - 5);
        cairo_line_to(cr, fx + 2.5, fy);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    const bool ok = write(s, dir, 10009);
    cairo_surface_destroy(s);
    return ok;
}

bool splash(const std::string& dir)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 514, 215);
    cairo_t* cr = cairo_create(s);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 215);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.07, 0.10, 0.14);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.16, 0.20, 0.24);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.05, 0.08, 0.09);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    // Mountains and their reflection in the tarn.
    const double horizon = 140;
    const double peaks[][2] = {{0, 110}, {60, 80}, {110, 100}, {190, 45}, {250, 95}, {300, 70},
                               {360, 105}, {430, 60}, {514, 100}};
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, 0, horizon);
        for (const auto& pk : peaks) {
            const double y = pass == 0 ? pk[1] : horizon + (horizon - pk[1]) * 0.5;
            cairo_line_to(cr, pk[0], y);
        }
        cairo_line_to(cr, 514, horizon);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.22, 0.30, 0.33, pass == 0 ? 1.0 : 0.45);
        cairo_fill(cr);
    }
    setColour(cr, kAmber, 0.55);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 6; ++i) {
        const double y = horizon + 6 + i * 10;
        const double half = 200 - i * 28;
        cairo_move_to(cr, 257 - half, y + 0.5);
        cairo_line_to(cr, 257 + half, y + 0.5);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, 0.5, 0.5, 513, 214);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
    cairo_stroke(cr);

    text(cr, "Tarnwell", 257, 62, 46, kPrint, Align::Centre, true, "DejaVu Serif", true);
    text(cr, "STEREO REVERB", 257, 84, 11, kAmber);
    text(cr, "Quillmoor, Inc.", 257, 178, 12, kPrint, Align::Centre, false, "DejaVu Serif");
    text(cr, "Version 2.3", 257, 195, 9, kPrintDim, Align::Centre, false);
    text(cr, "click to close", 506, 208, 7, kPrintDim, Align::Right, false);
    cairo_destroy(cr);
    const bool ok = write(s, dir, 10006);
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = background(dir) && knobStrip(dir) && switchStrip(dir) && midiLed(dir) && sliderHandle(dir) &&
                    splash(dir) && meters(dir) && roomStrip(dir) && sliderBackgrounds(dir);
    return ok ? 0 : 1;
}

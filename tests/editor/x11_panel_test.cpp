// The panel in a real X window, as a host opens it: the plug-in loaded from
// its .so, the editor opened in a top-level window of the test, idled at about
// 30 Hz, and worked with synthetic mouse events from XTest. Skips without an
// X server (scripts/test runs one).
#include <cairo.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "effect/parameters.h"
#include "tests/host/test_host.h"
#include "toolkit/cbitmap.h"

// Last: Xlib's macros (None, Bool, Status) clash with names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// A host's editor window, on the test's own connection.
struct HostWindow {
    HostWindow(Display* d, int x, int y) : display(d)
    {
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, 604, 215, 0, 0, 0);
        XMapRaised(display, window);
        XSync(display, False);
    }
    ~HostWindow()
    {
        XDestroyWindow(display, window);
        XSync(display, False);
    }
    std::vector<Window> children() const
    {
        Window root, parent, *list = nullptr;
        unsigned int n = 0;
        XQueryTree(display, window, &root, &parent, &list, &n);
        std::vector<Window> out(list, list + n);
        if (list)
            XFree(list);
        return out;
    }
    Display* display;
    Window window;
};

class X11Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no DISPLAY: the X window tests need an X server";
        display = XOpenDisplay(nullptr);
        if (!display)
            GTEST_SKIP() << "cannot open the X display";
        int a, b, c, d;
        if (!XTestQueryExtension(display, &a, &b, &c, &d))
            GTEST_SKIP() << "the X server has no XTEST";
        ASSERT_TRUE(plugin.isLoaded()) << plugin.error();
    }
    void TearDown() override
    {
        if (display)
            XCloseDisplay(display);
    }

    AEffect* instantiate()
    {
        AEffect* e = plugin.instantiate(host.callback());
        if (e)
            testhost::dispatch(e, effOpen);
        return e;
    }
    // Runs every open editor's idle at about 30 Hz for the given time.
    void idleFor(std::vector<AEffect*> effects, int milliseconds)
    {
        for (int t = 0; t < milliseconds; t += 33) {
            for (AEffect* e : effects)
                testhost::dispatch(e, effEditIdle);
            XSync(display, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(33));
        }
    }
    void moveTo(const HostWindow& w, int x, int y)
    {
        int rx, ry;
        Window child;
        XTranslateCoordinates(display, w.window, DefaultRootWindow(display), x, y, &rx, &ry, &child);
        XTestFakeMotionEvent(display, -1, rx, ry, CurrentTime);
        XFlush(display);
    }
    void button(bool down)
    {
        XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
        XFlush(display);
    }
    std::vector<testhost::HostCall> gestures() const
    {
        std::vector<testhost::HostCall> out;
        for (const auto& c : host.calls())
            if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterAutomate ||
                c.opcode == audioMasterEndEdit)
                out.push_back(c);
        return out;
    }

    Display* display = nullptr;
    testhost::RecordingHost host;
    testhost::PluginLibrary plugin{TARNWELL_PLUGIN_PATH};
};

// The host sees one gesture on the control tagged tag: begin, automation, end.
void expectGesture(const std::vector<testhost::HostCall>& calls, VstInt32 tag, const char* what)
{
    ASSERT_GE(calls.size(), 3u) << what;
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit) << what;
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit) << what;
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].index, tag) << what;
        if (i > 0 && i + 1 < calls.size()) {
            EXPECT_EQ(calls[i].opcode, audioMasterAutomate) << what;
        }
    }
}

TEST_F(X11Panel, OpensAChildWindowThatTakesTheMouse)
{
    AEffect* effect = instantiate();
    ASSERT_NE(effect, nullptr);
    HostWindow w(display, 20, 20);
    ERect* r = nullptr;
    testhost::dispatch(effect, effEditGetRect, 0, 0, &r);
    ASSERT_NE(r, nullptr);
    testhost::dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(w.window));
    idleFor({effect}, 300);

    const auto children = w.children();
    ASSERT_EQ(children.size(), 1u);
    XWindowAttributes a;
    XGetWindowAttributes(display, children[0], &a);
    EXPECT_EQ(a.width, 604);
    EXPECT_EQ(a.height, 215);
    EXPECT_EQ(a.map_state, IsViewable);

    // Bit-rot switch: one click.
    host.clear();
    moveTo(w, 330, 95);
    button(true);
    idleFor({effect}, 100);
    button(false);
    idleFor({effect}, 100);
    expectGesture(gestures(), kBitRotSw, "switch");
    EXPECT_EQ(effect->getParameter(effect, kBitRotSw), 1.0f);

    // Pre-delay knob: a drag 40 pixels up.
    host.clear();
    const float knobBefore = effect->getParameter(effect, kPreDelay);
    moveTo(w, 130, 60);
    button(true);
    idleFor({effect}, 100);
    for (int y = 55; y >= 20; y -= 5) {
        moveTo(w, 130, y);
        idleFor({effect}, 33);
    }
    button(false);
    idleFor({effect}, 100);
    expectGesture(gestures(), kPreDelay, "knob");
    EXPECT_NEAR(effect->getParameter(effect, kPreDelay), knobBefore + 0.2f, 1e-5f);

    // High-pass slider: press, then drag the handle to the middle.
    host.clear();
    moveTo(w, 270, 140);
    button(true);
    idleFor({effect}, 100);
    moveTo(w, 255 + 6 + 48, 140);
    idleFor({effect}, 100);
    button(false);
    idleFor({effect}, 100);
    expectGesture(gestures(), kHPFilter, "slider");
    EXPECT_NEAR(effect->getParameter(effect, kHPFilter), 0.5f, 1e-6f);

    // A screenshot of the panel, compared loosely with the background image:
    // same size, and the plain panel below the name shows the artwork as drawn.
    idleFor({effect}, 100);
    XImage* shot = XGetImage(display, children[0], 0, 0, 604, 215, AllPlanes, ZPixmap);
    ASSERT_NE(shot, nullptr);
    cairo_surface_t* png = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 604, 215);
    unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    for (int y = 0; y < 215; ++y)
        for (int x = 0; x < 604; ++x)
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = XGetPixel(shot, x, y) & 0xffffff;
    cairo_surface_mark_dirty(png);
    EXPECT_EQ(cairo_surface_write_to_png(png, PANEL_SCREENSHOT), CAIRO_STATUS_SUCCESS);
    CBitmap* background = new CBitmap(10001);
    cairo_surface_t* bg = background->getSurface();
    cairo_surface_flush(bg);
    int same = 0, total = 0;
    for (int y = 130; y < 215; ++y)
        for (int x = 0; x < 95; ++x) {
            const uint32_t want =
                reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(bg) +
                                                  y * cairo_image_surface_get_stride(bg))[x] & 0xffffff;
            same += (XGetPixel(shot, x, y) & 0xffffff) == want;
            ++total;
        }
    EXPECT_GT(same, total * 99 / 100);
    background->forget();
    cairo_surface_destroy(png);
    XDestroyImage(shot);

    // Close and reopen: one fresh child again.
    testhost::dispatch(effect, effEditClose);
    XSync(display, False);
    EXPECT_TRUE(w.children().empty());
    testhost::dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(w.window));
    idleFor({effect}, 100);
    EXPECT_EQ(w.children().size(), 1u);
    testhost::dispatch(effect, effEditClose);
    testhost::closeEffect(effect);
}

TEST_F(X11Panel, TwoInstancesOpenAtOnceEachTakeTheirOwnClicks)
{
    AEffect* first = instantiate();
    AEffect* second = instantiate();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    HostWindow a(display, 10, 10);
    HostWindow b(display, 10, 300);
    testhost::dispatch(first, effEditOpen, 0, 0, reinterpret_cast<void*>(a.window));
    testhost::dispatch(second, effEditOpen, 0, 0, reinterpret_cast<void*>(b.window));
    idleFor({first, second}, 300);
    EXPECT_EQ(a.children().size(), 1u);
    EXPECT_EQ(b.children().size(), 1u);

    moveTo(b, 425, 45);  // MIDI hold of the second panel
    button(true);
    idleFor({first, second}, 100);
    button(false);
    idleFor({first, second}, 100);
    EXPECT_EQ(second->getParameter(second, kMHoldSw), 1.0f);
    EXPECT_EQ(first->getParameter(first, kMHoldSw), 0.0f);
    for (const auto& c : gestures())
        EXPECT_EQ(c.effect, second);

    testhost::dispatch(first, effEditClose);
    idleFor({second}, 100);
    EXPECT_EQ(b.children().size(), 1u);
    testhost::dispatch(second, effEditClose);
    testhost::closeEffect(first);
    testhost::closeEffect(second);
}

}  // namespace

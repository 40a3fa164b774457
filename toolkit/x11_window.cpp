// The frame's window on X11: a child of the host's window on a Display
// connection of its own, so that several panels (and the host's toolkit) never
// share or steal each other's events. Events are read in the frame's idle.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include "toolkit/cframe.h"
#include "toolkit/cview.h"
#include "toolkit/platform_window.h"

namespace {

int buttonsOf(unsigned int state, unsigned int pressed)
{
    int b = 0;
    if ((state & Button1Mask) || pressed == Button1)
        b |= kLButton;
    if ((state & Button2Mask) || pressed == Button2)
        b |= kMButton;
    if ((state & Button3Mask) || pressed == Button3)
        b |= kRButton;
    if (state & ShiftMask)
        b |= kShift;
    if (state & ControlMask)
        b |= kControl;
    if (state & Mod1Mask)
        b |= kAlt;
    return b;
}

class X11Window : public PlatformWindow {
public:
    X11Window(Display* d, Window w, CFrame* f, const CRect& r) : display(d), window(w), frame(f), size(r)
    {
        XWindowAttributes a;
        XGetWindowAttributes(display, window, &a);
        surface = cairo_xlib_surface_create(display, window, a.visual, r.width(), r.height());
    }

    ~X11Window() override
    {
        cairo_surface_destroy(surface);
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }

    void pumpEvents() override
    {
        while (XPending(display) > 0) {
            XEvent e;
            XNextEvent(display, &e);
            handle(e);
        }
    }

    void show(const CRect& r) override
    {
        cairo_t* cr = cairo_create(surface);
        cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
        cairo_clip(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, frame->getOffscreen(), 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        XFlush(display);
    }

    unsigned long nativeHandle() const override { return window; }

private:
    void handle(const XEvent& e)
    {
        switch (e.type) {
        case Expose:
            frame->invalidRect(CRect(e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width,
                                     e.xexpose.y + e.xexpose.height));
            break;
        case ButtonPress: {
            const CPoint p(e.xbutton.x, e.xbutton.y);
            const int mods = buttonsOf(e.xbutton.state, 0) & (kShift | kControl | kAlt);
            // Buttons 4 and 5 are the wheel, up and down.
            if (e.xbutton.button == Button4 || e.xbutton.button == Button5)
                frame->onWheel(p, e.xbutton.button == Button4 ? 1.0f : -1.0f, mods);
            else
                frame->onMouseDown(p, buttonsOf(e.xbutton.state, e.xbutton.button));
            break;
        }
        case MotionNotify:
            frame->onMouseMoved(CPoint(e.xmotion.x, e.xmotion.y), buttonsOf(e.xmotion.state, 0));
            break;
        case ButtonRelease:
            if (e.xbutton.button != Button4 && e.xbutton.button != Button5)
                frame->onMouseUp(CPoint(e.xbutton.x, e.xbutton.y), buttonsOf(e.xbutton.state, 0));
            break;
        default:
            break;
        }
    }

    Display* display;
    Window window;
    CFrame* frame;
    CRect size;
    cairo_surface_t* surface = nullptr;
};

}  // namespace

PlatformWindow* PlatformWindow::create(void* systemWindow, CFrame* frame, const CRect& size)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    const Window parent = static_cast<Window>(reinterpret_cast<uintptr_t>(systemWindow));
    XSetWindowAttributes attributes{};
    attributes.event_mask =
        ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | ButtonMotionMask;
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    const Window window = XCreateWindow(display, parent, 0, 0, size.width(), size.height(), 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWEventMask | CWBackPixel, &attributes);
    XMapWindow(display, window);
    XSync(display, False);
    return new X11Window(display, window, frame, size);
}

// The seam to the windowing system: a window inside the host's window that
// shows the frame's offscreen image and feeds the frame its mouse events.
// Each platform supplies create() in a file of its own.
#pragma once

#include "toolkit/crect.h"

class CFrame;

class PlatformWindow {
public:
    // A window of size inside the host's window, or null when none can be made.
    static PlatformWindow* create(void* systemWindow, CFrame* frame, const CRect& size);
    virtual ~PlatformWindow() = default;

    // Delivers pending events to the frame; called from the frame's idle.
    virtual void pumpEvents() = 0;
    // Shows the part rect of the frame's offscreen image.
    virtual void show(const CRect& rect) = 0;
    // The platform's own handle of the window (an X11 Window id on Linux).
    virtual unsigned long nativeHandle() const = 0;
};

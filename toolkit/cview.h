// The base of everything the frame holds: a rectangle that draws itself and
// may take the mouse. Views are redrawn by the frame's idle, never on the
// spot, so code on any thread may mark one for redrawing.
#pragma once

#include <atomic>

#include "toolkit/crect.h"

class CDrawContext;
class CFrame;

// Mouse buttons and modifier keys, as one bit set.
enum {
    kLButton = 1 << 0,
    kMButton = 1 << 1,
    kRButton = 1 << 2,
    kShift = 1 << 3,
    kControl = 1 << 4,
    kAlt = 1 << 5,
};

class CView {
public:
    explicit CView(const CRect& size);
    virtual ~CView();

    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    virtual void draw(CDrawContext* context) = 0;

    // The mouse, in panel pixels. onMouseDown answers true to track the mouse
    // until the button is released (moves and the release then come here).
    virtual bool onMouseDown(const CPoint& where, int buttons);
    virtual void onMouseMoved(const CPoint& where, int buttons);
    virtual void onMouseUp(const CPoint& where, int buttons);
    // distance in wheel steps, positive away from the user; true when used.
    virtual bool onWheel(const CPoint& where, float distance, int buttons);

    // Asks for a redraw on the frame's next idle.
    void redraw() { dirty.store(true, std::memory_order_relaxed); }
    virtual bool isDirty() const { return dirty.load(std::memory_order_relaxed); }
    virtual void setDirty(bool state) { dirty.store(state, std::memory_order_relaxed); }

    const CRect& getViewSize() const { return size; }
    void setViewSize(const CRect& rect) { size = rect; }
    bool getMouseEnabled() const { return mouseEnabled; }
    void setMouseEnabled(bool state) { mouseEnabled = state; }

    CFrame* getFrame() const { return frame; }
    void setFrame(CFrame* owner) { frame = owner; }

protected:
    CRect size;

private:
    CFrame* frame = nullptr;
    bool mouseEnabled = true;
    std::atomic<bool> dirty{true};
};

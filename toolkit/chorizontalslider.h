// A horizontal slider: a handle bitmap over a background bitmap. The handle
// travels over the handle range minus its own width, from the left edge plus
// the handle offset. With style kRight the value rises from right to left,
// otherwise (kTop, kLeft) from left to right.
#pragma once

#include "toolkit/ccontrol.h"

enum {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kLeft = 1 << 3,
    kRight = 1 << 4,
    kTop = 1 << 5,
    kBottom = 1 << 6,
};

class CHorizontalSlider : public CControl {
public:
    CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, const CPoint& handleOffset,
                      int handleRange, CBitmap* handle, CBitmap* background, const CPoint& offset, int style);
    ~CHorizontalSlider() override;

    void draw(CDrawContext* context) override;
    // A click or a drag puts the handle's centre under the mouse.
    bool onMouseDown(const CPoint& where, int buttons) override;
    void onMouseMoved(const CPoint& where, int buttons) override;
    void onMouseUp(const CPoint& where, int buttons) override;

    // The handle's left edge in panel pixels for the current value.
    int handleLeft() const;

private:
    int travel() const;
    void follow(const CPoint& where);

    CPoint handleOffset;
    int handleRange;
    CBitmap* handle;
    CPoint offset;
    int style;
};

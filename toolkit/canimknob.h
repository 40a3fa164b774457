// A knob drawn from a strip of images, one per step of its travel.
#pragma once

#include "toolkit/ccontrol.h"

class CAnimKnob : public CControl {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, long tag, int subPixmaps, int heightOfOneImage,
              CBitmap* background, const CPoint& offset);

    void draw(CDrawContext* context) override;
    // Linear mode: a vertical drag, 200 pixels for the whole range, up
    // increases, ten times finer with Shift. Circular modes: the value follows
    // the mouse's angle about the centre (absolute or relative). Ctrl+click
    // sets the default value.
    bool onMouseDown(const CPoint& where, int buttons) override;
    void onMouseMoved(const CPoint& where, int buttons) override;
    void onMouseUp(const CPoint& where, int buttons) override;

    // The strip image shown for the current value.
    int imageIndex() const;

private:
    double angleOf(const CPoint& where) const;

    int subPixmaps;
    int heightOfOneImage;
    CPoint offset;
    int mode = 0;
    CPoint last;
    double lastAngle = 0.0;
    double dragValue = 0.0;  // unrounded, so slow drags add up
};

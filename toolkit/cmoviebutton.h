// A two-state switch: image 0 at value 0, image 1 otherwise; a click toggles
// between exactly 0 and 1.
#pragma once

#include "toolkit/ccontrol.h"

class CMovieButton : public CControl {
public:
    CMovieButton(const CRect& size, CControlListener* listener, long tag, int heightOfOneImage, CBitmap* background,
                 const CPoint& offset);

    void draw(CDrawContext* context) override;
    bool onMouseDown(const CPoint& where, int buttons) override;
    bool onWheel(const CPoint& where, float distance, int buttons) override;

private:
    int heightOfOneImage;
    CPoint offset;
};

// A display that shows one image of a strip for its value; it takes no input.
#pragma once

#include "toolkit/ccontrol.h"

class CMovieBitmap : public CControl {
public:
    CMovieBitmap(const CRect& size, CControlListener* listener, long tag, int subPixmaps, int heightOfOneImage,
                 CBitmap* background, const CPoint& offset);

    void draw(CDrawContext* context) override;
    bool onWheel(const CPoint& where, float distance, int buttons) override;

    // The nearest strip image to the value.
    int imageIndex() const;

private:
    int subPixmaps;
    int heightOfOneImage;
    CPoint offset;
};

#include "toolkit/cmoviebutton.h"

#include "toolkit/cdrawcontext.h"

CMovieButton::CMovieButton(const CRect& rect, CControlListener* l, long t, int imageHeight, CBitmap* bitmap,
                           const CPoint& off)
    : CControl(rect, l, t, bitmap), heightOfOneImage(imageHeight), offset(off)
{
}

void CMovieButton::draw(CDrawContext* context)
{
    const int image = getValue() == 0.0f ? 0 : 1;
    context->drawBitmap(background, size, CPoint(offset.x, offset.y + image * heightOfOneImage));
}

bool CMovieButton::onMouseDown(const CPoint&, int buttons)
{
    if (!(buttons & kLButton))
        return false;
    beginEdit();
    userValue(getValue() == 0.0f ? 1.0f : 0.0f);
    endEdit();
    return false;
}

// A switch is not turned by the wheel: scrolling over the panel must not flip it.
bool CMovieButton::onWheel(const CPoint&, float, int)
{
    return false;
}

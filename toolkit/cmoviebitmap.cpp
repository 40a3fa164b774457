#include "toolkit/cmoviebitmap.h"

#include <cmath>

#include "toolkit/cdrawcontext.h"

CMovieBitmap::CMovieBitmap(const CRect& rect, CControlListener* l, long t, int images, int imageHeight,
                           CBitmap* bitmap, const CPoint& off)
    : CControl(rect, l, t, bitmap), subPixmaps(images), heightOfOneImage(imageHeight), offset(off)
{
}

int CMovieBitmap::imageIndex() const
{
    if (subPixmaps < 1)
        return 0;
    return static_cast<int>(std::lround(boundedValue() * (subPixmaps - 1)));
}

void CMovieBitmap::draw(CDrawContext* context)
{
    context->drawBitmap(background, size, CPoint(offset.x, offset.y + imageIndex() * heightOfOneImage));
}

bool CMovieBitmap::onWheel(const CPoint&, float, int)
{
    return false;
}

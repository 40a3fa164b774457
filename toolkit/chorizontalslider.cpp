#include "toolkit/chorizontalslider.h"

#include <cmath>

#include "toolkit/cbitmap.h"
#include "toolkit/cdrawcontext.h"

CHorizontalSlider::CHorizontalSlider(const CRect& rect, CControlListener* l, long t, const CPoint& hOffset,
                                     int range, CBitmap* handleBitmap, CBitmap* bitmap, const CPoint& off, int s)
    : CControl(rect, l, t, bitmap), handleOffset(hOffset), handleRange(range), handle(handleBitmap), offset(off),
      style(s)
{
    if (handle)
        handle->remember();
}

CHorizontalSlider::~CHorizontalSlider()
{
    if (handle)
        handle->forget();
}

int CHorizontalSlider::travel() const
{
    const int t = handleRange - (handle ? handle->getWidth() : 0);
    return t > 0 ? t : 0;
}

int CHorizontalSlider::handleLeft() const
{
    float position = boundedValue();
    if (style & kRight)
        position = 1.0f - position;
    return size.left + handleOffset.x + static_cast<int>(std::lround(position * static_cast<float>(travel())));
}

void CHorizontalSlider::draw(CDrawContext* context)
{
    context->drawBitmap(background, size, offset);
    if (!handle)
        return;
    const int left = handleLeft();
    const int top = size.top + handleOffset.y;
    context->drawBitmap(handle, CRect(left, top, left + handle->getWidth(), top + handle->getHeight()), CPoint());
}

void CHorizontalSlider::follow(const CPoint& where)
{
    const int t = travel();
    if (t == 0)
        return;
    const int halfHandle = handle ? handle->getWidth() / 2 : 0;
    float position = static_cast<float>(where.x - size.left - handleOffset.x - halfHandle) / static_cast<float>(t);
    position = position < 0.0f ? 0.0f : (position > 1.0f ? 1.0f : position);
    const float v = (style & kRight) ? 1.0f - position : position;
    if (v != getValue())
        userValue(v);
}

bool CHorizontalSlider::onMouseDown(const CPoint& where, int buttons)
{
    if (!startDrag(buttons))
        return false;
    follow(where);
    return true;
}

void CHorizontalSlider::onMouseMoved(const CPoint& where, int)
{
    follow(where);
}

void CHorizontalSlider::onMouseUp(const CPoint&, int)
{
    endEdit();
}

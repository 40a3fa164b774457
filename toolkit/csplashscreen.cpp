#include "toolkit/csplashscreen.h"

#include "toolkit/ccontrollistener.h"
#include "toolkit/cdrawcontext.h"
#include "toolkit/cframe.h"

CSplashScreen::CSplashScreen(const CRect& rect, CControlListener* l, long t, CBitmap* bitmap, const CRect& display,
                             const CPoint& off)
    : CControl(rect, l, t, bitmap), toDisplay(display), keepSize(rect), offset(off)
{
}

void CSplashScreen::draw(CDrawContext* context)
{
    // Hidden, the area is the background's own artwork.
    if (getValue() != 0.0f)
        context->drawBitmap(background, size, offset);
}

bool CSplashScreen::onMouseDown(const CPoint&, int buttons)
{
    if (!(buttons & kLButton))
        return false;
    show(getValue() == 0.0f);
    if (listener)
        listener->valueChanged(getFrame() ? getFrame()->getDrawContext() : nullptr, this);
    return false;
}

bool CSplashScreen::onWheel(const CPoint&, float, int)
{
    return false;
}

void CSplashScreen::show(bool state)
{
    setValue(state ? 1.0f : 0.0f);
    CFrame* frame = getFrame();
    if (frame)
        frame->invalidRect(toDisplay);
    if (state) {
        setViewSize(toDisplay);
        if (frame)
            frame->setModalView(this);
    } else {
        if (frame)
            frame->setModalView(nullptr);
        setViewSize(keepSize);
    }
    redraw();
}

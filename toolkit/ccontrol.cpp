#include "toolkit/ccontrol.h"

#include <bit>
#include <cmath>

#include "toolkit/aeffguieditor.h"
#include "toolkit/cbitmap.h"
#include "toolkit/ccontrollistener.h"
#include "toolkit/cframe.h"

long CControlListener::controlModifierClicked(CDrawContext*, CControl*, long)
{
    return 0;
}

CControl::CControl(const CRect& rect, CControlListener* l, long t, CBitmap* bitmap)
    : CView(rect), listener(l), tag(t), background(bitmap)
{
    if (background)
        background->remember();
}

CControl::~CControl()
{
    if (background)
        background->forget();
}

bool CControl::isDirty() const
{
    return CView::isDirty() || std::bit_cast<std::uint32_t>(getValue()) != drawnBits;
}

void CControl::setDirty(bool state)
{
    CView::setDirty(state);
    if (!state)
        drawnBits = std::bit_cast<std::uint32_t>(getValue());
}

bool CControl::onWheel(const CPoint&, float distance, int)
{
    if (!std::isfinite(distance))
        return false;
    beginEdit();
    userValue(getValue() + distance * wheelInc);
    endEdit();
    return true;
}

void CControl::beginEdit()
{
    if (getFrame() && getFrame()->getEditor())
        getFrame()->getEditor()->beginEdit(static_cast<VstInt32>(tag));
}

void CControl::endEdit()
{
    if (getFrame() && getFrame()->getEditor())
        getFrame()->getEditor()->endEdit(static_cast<VstInt32>(tag));
}

bool CControl::startDrag(int buttons)
{
    if (!(buttons & kLButton))
        return false;
    beginEdit();
    if (buttons & kControl) {
        userValue(getDefaultValue());
        endEdit();
        return false;
    }
    return true;
}

void CControl::userValue(float v)
{
    if (!(v >= 0.0f))
        v = 0.0f;
    if (v > 1.0f)
        v = 1.0f;
    setValue(v);
    if (listener)
        listener->valueChanged(getFrame() ? getFrame()->getDrawContext() : nullptr, this);
}

float CControl::boundedValue() const
{
    const float v = getValue();
    if (!(v >= 0.0f))
        return 0.0f;
    return v > 1.0f ? 1.0f : v;
}

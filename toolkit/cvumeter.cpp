#include "toolkit/cvumeter.h"

#include <cmath>

#include "toolkit/cbitmap.h"
#include "toolkit/cdrawcontext.h"
#include "toolkit/chorizontalslider.h"

CVuMeter::CVuMeter(const CRect& rect, CBitmap* on, CBitmap* off, int leds, int s)
    : CControl(rect, nullptr, 0, nullptr), onBitmap(on), offBitmap(off), nbLed(leds), style(s)
{
    if (onBitmap)
        onBitmap->remember();
    if (offBitmap)
        offBitmap->remember();
}

CVuMeter::~CVuMeter()
{
    if (onBitmap)
        onBitmap->forget();
    if (offBitmap)
        offBitmap->forget();
}

bool CVuMeter::isDirty() const
{
    return CView::isDirty() || getValue() != shown;
}

// Redrawing advances the fall: the frame clears the flag right before draw.
void CVuMeter::setDirty(bool state)
{
    CView::setDirty(state);
    if (state)
        return;
    float target = getValue();
    if (!std::isfinite(target))
        target = 0.0f;
    // A fall that ends within rounding of the target lands on it, so that 50
    // steps of 0.02 take 1.0 to exactly 0.
    const float next = shown - decreaseStep;
    shown = (target < next - 1e-6f) ? next : target;
}

int CVuMeter::litSegments() const
{
    float v = shown;
    v = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    return static_cast<int>(std::lround(v * static_cast<float>(nbLed)));
}

void CVuMeter::draw(CDrawContext* context)
{
    if (nbLed < 1)
        return;
    const int lit = litSegments();
    if (style & kVertical) {
        // Segment boundaries sit at round(k × height / segments) from the bottom.
        const int h = size.height();
        const int litTop = static_cast<int>(std::lround(h - lit * static_cast<double>(h) / nbLed));
        context->drawBitmap(offBitmap, CRect(size.left, size.top, size.right, size.top + litTop), CPoint());
        context->drawBitmap(onBitmap, CRect(size.left, size.top + litTop, size.right, size.bottom),
                            CPoint(0, litTop));
    } else {
        const int w = size.width();
        const int litRight = static_cast<int>(std::lround(lit * static_cast<double>(w) / nbLed));
        context->drawBitmap(onBitmap, CRect(size.left, size.top, size.left + litRight, size.bottom), CPoint());
        context->drawBitmap(offBitmap, CRect(size.left + litRight, size.top, size.right, size.bottom),
                            CPoint(litRight, 0));
    }
}

bool CVuMeter::onMouseDown(const CPoint&, int)
{
    return false;
}

bool CVuMeter::onWheel(const CPoint&, float, int)
{
    return false;
}

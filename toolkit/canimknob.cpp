#include "toolkit/canimknob.h"

#include <cmath>

#include "toolkit/aeffguieditor.h"
#include "toolkit/cdrawcontext.h"

namespace {

constexpr double kPixelsForRange = 200.0;
constexpr double kFineFactor = 0.1;
constexpr double kSweepDegrees = 300.0;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

CAnimKnob::CAnimKnob(const CRect& rect, CControlListener* l, long t, int images, int imageHeight, CBitmap* bitmap,
                     const CPoint& off)
    : CControl(rect, l, t, bitmap), subPixmaps(images), heightOfOneImage(imageHeight), offset(off)
{
}

int CAnimKnob::imageIndex() const
{
    if (subPixmaps < 1)
        return 0;
    const int i = static_cast<int>(std::floor(boundedValue() * (subPixmaps - 1)));
    return i < subPixmaps ? i : subPixmaps - 1;
}

void CAnimKnob::draw(CDrawContext* context)
{
    context->drawBitmap(background, size, CPoint(offset.x, offset.y + imageIndex() * heightOfOneImage));
}

// Degrees of travel from the start of the sweep (seven o'clock), clockwise.
double CAnimKnob::angleOf(const CPoint& where) const
{
    const double dx = where.x - (size.left + size.width() / 2.0);
    const double dy = where.y - (size.top + size.height() / 2.0);
    // 0 at six o'clock, growing clockwise.
    double a = std::atan2(-dx, dy) * 180.0 / kPi;
    if (a < 0)
        a += 360.0;
    return a - (180.0 - kSweepDegrees / 2.0);
}

bool CAnimKnob::onMouseDown(const CPoint& where, int buttons)
{
    if (!startDrag(buttons))
        return false;
    mode = AEffGUIEditor::getKnobMode();
    last = where;
    lastAngle = angleOf(where);
    dragValue = boundedValue();
    if (mode == kCircularMode)
        onMouseMoved(where, buttons);
    return true;
}

void CAnimKnob::onMouseMoved(const CPoint& where, int buttons)
{
    double v = dragValue;
    if (mode == kLinearMode) {
        const double fine = (buttons & kShift) ? kFineFactor : 1.0;
        v += (last.y - where.y) / kPixelsForRange * fine;
    } else {
        const double a = angleOf(where);
        if (mode == kCircularMode) {
            v = a / kSweepDegrees;
        } else {
            double d = a - lastAngle;
            if (d > 180.0)
                d -= 360.0;
            if (d < -180.0)
                d += 360.0;
            v += d / kSweepDegrees;
        }
        lastAngle = a;
    }
    last = where;
    dragValue = v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
    const float next = static_cast<float>(dragValue);
    if (next != getValue())
        userValue(next);
}

void CAnimKnob::onMouseUp(const CPoint&, int)
{
    endEdit();
}

// A level meter of lit and unlit segments. A rising value shows at once; a
// falling one falls by at most the decrease step per redraw.
#pragma once

#include "toolkit/ccontrol.h"

class CVuMeter : public CControl {
public:
    CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int nbLed, int style);
    ~CVuMeter() override;

    void setDecreaseStepValue(float step) { decreaseStep = step; }
    float getDecreaseStepValue() const { return decreaseStep; }

    void draw(CDrawContext* context) override;
    bool isDirty() const override;
    void setDirty(bool state) override;
    bool onMouseDown(const CPoint& where, int buttons) override;
    bool onWheel(const CPoint& where, float distance, int buttons) override;

    // What the meter shows, after the fall so far (0..1 and beyond).
    float getShownValue() const { return shown; }
    // How many segments are lit for what it shows: round(segments × shown).
    int litSegments() const;

private:
    CBitmap* onBitmap;
    CBitmap* offBitmap;
    int nbLed;
    int style;
    float decreaseStep = 0.1f;
    float shown = 0.0f;
};

// A small area that, when clicked, shows a picture over a larger display
// rectangle as the frame's modal view, until a click on the picture hides it.
// Value 1 while shown, 0 while hidden; the listener hears every change. It is
// not a parameter, so it starts no edit gesture.
#pragma once

#include "toolkit/ccontrol.h"

class CSplashScreen : public CControl {
public:
    CSplashScreen(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                  const CRect& toDisplay, const CPoint& offset);

    void draw(CDrawContext* context) override;
    bool onMouseDown(const CPoint& where, int buttons) override;
    bool onWheel(const CPoint& where, float distance, int buttons) override;

private:
    void show(bool state);

    CRect toDisplay;
    CRect keepSize;
    CPoint offset;
};

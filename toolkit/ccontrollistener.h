// What a control tells its owner when the user changes it.
#pragma once

class CControl;
class CDrawContext;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    // Called between the gesture's beginEdit and endEdit, with the new value
    // already in the control.
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // Answers whether a click with modifiers was handled here; by default not.
    virtual long controlModifierClicked(CDrawContext* context, CControl* control, long button);
};

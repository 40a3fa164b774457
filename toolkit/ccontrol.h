// A view with a value from 0 to 1, a tag and a listener. setValue only stores:
// the frame's idle redraws a control whose value differs from the one it last
// drew, so setValue is safe to call from any thread (it neither draws nor
// allocates nor locks).
#pragma once

#include <atomic>
#include <cstdint>

#include "toolkit/cview.h"

class CBitmap;
class CControlListener;

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background);
    ~CControl() override;

    virtual void setValue(float v) { value.store(v, std::memory_order_relaxed); }
    virtual float getValue() const { return value.load(std::memory_order_relaxed); }
    long getTag() const { return tag; }
    CControlListener* getListener() const { return listener; }

    float getDefaultValue() const { return defaultValue; }
    void setDefaultValue(float v) { defaultValue = v; }
    float getWheelInc() const { return wheelInc; }
    void setWheelInc(float v) { wheelInc = v; }

    bool isDirty() const override;
    void setDirty(bool state) override;

    // One step of the wheel moves the value by the wheel increment, as one gesture.
    bool onWheel(const CPoint& where, float distance, int buttons) override;

protected:
    // The start and end of a user gesture, passed to the frame's editor.
    void beginEdit();
    void endEdit();
    // A left press that starts a gesture; with Ctrl it resets the value to the
    // default as a whole gesture of its own. True when a drag follows.
    bool startDrag(int buttons);
    // Stores a value the user chose, limited to 0..1, and tells the listener.
    void userValue(float v);
    // The value limited to 0..1, with non-finite values as 0.
    float boundedValue() const;

    CControlListener* listener;
    long tag;
    CBitmap* background;

private:
    std::atomic<float> value{0.0f};
    std::uint32_t drawnBits = 0;  // the value last drawn, bit for bit
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
};

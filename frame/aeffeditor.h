// AEffEditor: the interface through which the dispatcher drives an effect's
// editor. The effect owns its editor and destroys it with itself.
#pragma once

#include "frame/aeffect.h"

class AudioEffect;

class AEffEditor {
public:
    // Stores the owner only; an editor registers itself with
    // AudioEffect::setEditor from its own constructor.
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor();

    virtual VstInt32 getRect(ERect** rect);
    virtual VstInt32 open(void* ptr);
    virtual void close();
    // Runs update once if a redraw was requested since the last idle; an
    // override calls this first to keep that handshake.
    virtual void idle();
    virtual void draw(ERect* rect);
    virtual VstInt32 mouse(VstInt32 x, VstInt32 y);
    virtual VstInt32 key(VstInt32 keyCode);
    virtual void top();
    virtual void sleep();
    virtual void update();
    // Requests a redraw on the next idle; never draws itself.
    virtual void postUpdate();
    virtual VstInt32 onKeyDown(VstKeyCode& keyCode);
    virtual VstInt32 onKeyUp(VstKeyCode& keyCode);
    virtual VstInt32 setKnobMode(VstInt32 mode);
    virtual bool onWheel(float distance);

protected:
    AudioEffect* effect;
    void* parentWindow;
    VstInt32 updatePending;
};

// The editor base of a toolkit panel: the editor rectangle, the frame, the
// class-wide knob mode, and the passing of edit gestures to the effect.
#pragma once

#include "frame/aeffeditor.h"

class CFrame;

enum {
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};

class AEffGUIEditor : public AEffEditor {
public:
    // Makes itself the effect's editor.
    explicit AEffGUIEditor(AudioEffect* effect);
    // Deletes a frame the host left open.
    ~AEffGUIEditor() override;

    // Hands the host the editor rectangle; valid before the first open.
    VstInt32 getRect(ERect** rect) override;
    // Records the host window and asks for an update.
    VstInt32 open(void* ptr) override;
    // Does nothing inside doIdleStuff; otherwise consumes a pending update and
    // lets the frame redraw what changed.
    void idle() override;
    VstInt32 setKnobMode(VstInt32 mode) override;

    // Told of every parameter change by the effect; may run on the audio
    // thread, so an override only stores values and posts an update.
    virtual void setParameter(VstInt32 index, float value);
    // Keeps the host serviced while a control tracks the mouse.
    virtual void doIdleStuff();
    // The start and end of a user gesture on the control tagged index.
    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);

    CFrame* getFrame() const { return frame; }
    static VstInt32 getKnobMode() { return knobMode; }

protected:
    ERect rect;
    CFrame* frame = nullptr;

private:
    static VstInt32 knobMode;
    bool inIdleStuff = false;
};

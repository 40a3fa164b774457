// The effect's control panel: knobs, switches and sliders for the eighteen
// parameters, the room-size display, six level meters, the MIDI indicator and
// the about picture, on one fixed background.
#pragma once

#include "effect/parameters.h"
#include "toolkit/aeffguieditor.h"
#include "toolkit/ccontrollistener.h"

class CAnimKnob;
class CBitmap;
class CControl;
class CHorizontalSlider;
class CMovieBitmap;
class CMovieButton;
class CSplashScreen;
class CVuMeter;
class Tarnwell;

class TarnwellEditor : public AEffGUIEditor, public CControlListener {
public:
    explicit TarnwellEditor(AudioEffect* effect);
    ~TarnwellEditor() override;

    VstInt32 open(void* ptr) override;
    void close() override;
    void idle() override;
    // Only stores the effect's value into the controls and posts an update:
    // it may run on the audio thread, so it neither draws, allocates nor waits.
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CDrawContext* context, CControl* control) override;

    static constexpr int kNumKnobs = 7;
    static constexpr int kNumSwitches = 9;
    static constexpr int kNumMeters = 6;

    // The panel's parts while it is open (null while closed), for the tests
    // and for whoever looks at the panel from outside.
    CControl* getParameterControl(VstInt32 index) const;
    CMovieBitmap* getRoomDisplay() const { return roomDisplay; }
    CMovieBitmap* getMidiIndicator() const { return midiIndicator; }
    CVuMeter* getMeter(int index) const;
    CSplashScreen* getSplash() const { return splash; }
    bool isOpen() const { return isOpened != 0; }

private:
    void forgetControls();

    Tarnwell* tarnwell;  // the effect's read-out, when the effect is a Tarnwell
    CBitmap* background;
    VstInt32 isOpened = 0;

    CAnimKnob* knobs[kNumKnobs] = {};
    CMovieBitmap* roomDisplay = nullptr;
    CMovieBitmap* midiIndicator = nullptr;
    CMovieButton* switches[kNumSwitches] = {};
    CHorizontalSlider* hpSlider = nullptr;
    CHorizontalSlider* lpSlider = nullptr;
    CVuMeter* meters[kNumMeters] = {};
    CSplashScreen* splash = nullptr;
    // The control of each parameter, by its index.
    CControl* parameterControls[kNumParams] = {};

    // The latest read-out: input, dry and wet peaks (left, right), MIDI flag.
    float inputPeakL = 0, inputPeakR = 0, dryPeakL = 0, dryPeakR = 0, wetPeakL = 0, wetPeakR = 0;
    int midiActivity = 0;
};

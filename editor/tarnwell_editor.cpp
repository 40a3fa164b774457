#include "editor/tarnwell_editor.h"

#include "effect/tarnwell.h"
#include "toolkit/canimknob.h"
#include "toolkit/cbitmap.h"
#include "toolkit/cframe.h"
#include "toolkit/chorizontalslider.h"
#include "toolkit/cmoviebitmap.h"
#include "toolkit/cmoviebutton.h"
#include "toolkit/csplashscreen.h"
#include "toolkit/cvumeter.h"

namespace {

enum Resource {
    kBackground = 10001,
    kKnobStrip,
    kSwitchStrip,
    kMidiLed,
    kSliderHandle,
    kSplashPicture,
    kMeterUnlit,
    kMeterLit,
    kRoomStrip,
    kHighPassBack,
    kLowPassBack,
};

struct Placed {
    VstInt32 tag;
    CRect rect;
};

const Placed kKnobs[TarnwellEditor::kNumKnobs] = {
    {kPreDelay, {110, 40, 150, 78}}, {kRoomSize, {173, 40, 213, 78}},  {kHPReson, {246, 40, 286, 78}},
    {kBitRot, {309, 40, 349, 78}},   {kInLevel, {450, 131, 490, 169}}, {kWetLevel, {496, 131, 536, 169}},
    {kDryLevel, {541, 131, 581, 169}},
};

const Placed kSwitches[TarnwellEditor::kNumSwitches] = {
    {kPreDelaySw, {118, 82, 143, 112}}, {kBitRotSw, {318, 82, 343, 112}}, {kMHoldSw, {413, 29, 438, 59}},
    {kMLevelSw, {413, 60, 438, 90}},    {kMSizeSw, {413, 90, 438, 120}},  {kMode, {413, 175, 438, 205}},
    {kInputSw, {458, 175, 483, 205}},   {kWetSw, {504, 175, 529, 205}},   {kDrySw, {550, 175, 575, 205}},
};

// Input left and right, wet left and right, dry left and right.
const CRect kMeters[TarnwellEditor::kNumMeters] = {
    {461, 40, 465, 101}, {475, 40, 479, 101}, {506, 40, 510, 101},
    {520, 40, 524, 101}, {551, 40, 555, 101}, {565, 40, 569, 101},
};

const CRect kRoomDisplayRect(128, 132, 193, 192);
const CRect kMidiRect(416, 7, 433, 20);
const CRect kHighPassRect(255, 122, 364, 159);
const CRect kLowPassRect(255, 162, 364, 199);
const CRect kSplashRect(0, 85, 90, 125);
const CRect kSplashShown(90, 0, 604, 215);

constexpr long kSplashTag = 1000;  // not a parameter
constexpr int kKnobImages = 41, kKnobImageHeight = 38;
constexpr int kRoomImages = 37, kRoomImageHeight = 60;
constexpr int kSwitchImageHeight = 30;
constexpr int kMidiImages = 2, kMidiImageHeight = 13;
constexpr int kHandleRange = 109;
constexpr int kMeterSegments = 9;
constexpr float kMeterDecreaseStep = 0.02f;
// A peak of 0.4 fills a meter.
constexpr double kMeterScale = 2.5;

}  // namespace

TarnwellEditor::TarnwellEditor(AudioEffect* owner)
    : AEffGUIEditor(owner), tarnwell(dynamic_cast<Tarnwell*>(owner)), background(new CBitmap(kBackground))
{
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(background->getHeight());
    rect.right = static_cast<VstInt16>(background->getWidth());
    setKnobMode(kLinearMode);
}

TarnwellEditor::~TarnwellEditor()
{
    background->forget();
}

VstInt32 TarnwellEditor::open(void* ptr)
{
    // A second open without a close would leave the first panel's window behind.
    if (frame)
        close();
    AEffGUIEditor::open(ptr);

    CBitmap* knobStrip = new CBitmap(kKnobStrip);
    CBitmap* roomStrip = new CBitmap(kRoomStrip);
    CBitmap* switchStrip = new CBitmap(kSwitchStrip);
    CBitmap* midiLed = new CBitmap(kMidiLed);
    CBitmap* meterUnlit = new CBitmap(kMeterUnlit);
    CBitmap* meterLit = new CBitmap(kMeterLit);
    CBitmap* handle = new CBitmap(kSliderHandle);
    CBitmap* splashPicture = new CBitmap(kSplashPicture);
    CBitmap* lowPassBack = new CBitmap(kLowPassBack);
    CBitmap* highPassBack = new CBitmap(kHighPassBack);

    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), ptr, this);
    frame->setBackground(background);

    // Controls in the frame's order (later ones lie above); each bitmap is
    // dropped as soon as the last control using it holds its own reference.
    for (int i = 0; i < kNumKnobs; ++i) {
        const Placed& k = kKnobs[i];
        knobs[i] = new CAnimKnob(k.rect, this, k.tag, kKnobImages, kKnobImageHeight, knobStrip, CPoint());
        knobs[i]->setValue(effect->getParameter(k.tag));
        frame->addView(knobs[i]);
        parameterControls[k.tag] = knobs[i];
    }
    knobStrip->forget();

    roomDisplay = new CMovieBitmap(kRoomDisplayRect, this, 0, kRoomImages, kRoomImageHeight, roomStrip, CPoint());
    roomDisplay->setValue(effect->getParameter(kRoomSize));
    frame->addView(roomDisplay);
    roomStrip->forget();

    midiIndicator = new CMovieBitmap(kMidiRect, this, 0, kMidiImages, kMidiImageHeight, midiLed, CPoint());
    frame->addView(midiIndicator);
    midiLed->forget();

    for (int i = 0; i < kNumSwitches; ++i) {
        const Placed& s = kSwitches[i];
        switches[i] = new CMovieButton(s.rect, this, s.tag, kSwitchImageHeight, switchStrip, CPoint());
        switches[i]->setValue(effect->getParameter(s.tag));
        frame->addView(switches[i]);
        parameterControls[s.tag] = switches[i];
    }
    switchStrip->forget();

    hpSlider = new CHorizontalSlider(kHighPassRect, this, kHPFilter, CPoint(), kHandleRange, handle, highPassBack,
                                     CPoint(), kTop);
    hpSlider->setValue(effect->getParameter(kHPFilter));
    frame->addView(hpSlider);
    parameterControls[kHPFilter] = hpSlider;
    highPassBack->forget();

    lpSlider = new CHorizontalSlider(kLowPassRect, this, kLPFilter, CPoint(), kHandleRange, handle, lowPassBack,
                                     CPoint(), kRight);
    lpSlider->setValue(effect->getParameter(kLPFilter));
    frame->addView(lpSlider);
    parameterControls[kLPFilter] = lpSlider;
    lowPassBack->forget();
    handle->forget();

    for (int i = 0; i < kNumMeters; ++i) {
        meters[i] = new CVuMeter(kMeters[i], meterLit, meterUnlit, kMeterSegments, kVertical);
        meters[i]->setValue(0.0f);
        meters[i]->setDecreaseStepValue(kMeterDecreaseStep);
        frame->addView(meters[i]);
    }
    meterLit->forget();
    meterUnlit->forget();

    splash = new CSplashScreen(kSplashRect, this, kSplashTag, splashPicture, kSplashShown, CPoint());
    frame->addView(splash);
    splashPicture->forget();

    isOpened = 1;
    return 1;
}

void TarnwellEditor::close()
{
    isOpened = 0;
    forgetControls();
    delete frame;
    frame = nullptr;
}

void TarnwellEditor::forgetControls()
{
    for (CControl*& c : parameterControls)
        c = nullptr;
    for (CAnimKnob*& k : knobs)
        k = nullptr;
    for (CMovieButton*& s : switches)
        s = nullptr;
    for (CVuMeter*& m : meters)
        m = nullptr;
    roomDisplay = midiIndicator = nullptr;
    hpSlider = lpSlider = nullptr;
    splash = nullptr;
}

void TarnwellEditor::setParameter(VstInt32 index, float /*value*/)
{
    if (!isOpened)
        return;
    // The controls show the effect's own value, which may differ from the one given.
    if (index >= 0 && index < kNumParams && parameterControls[index]) {
        parameterControls[index]->setValue(effect->getParameter(index));
        if (index == kRoomSize && roomDisplay)
            roomDisplay->setValue(effect->getParameter(index));
    }
    postUpdate();
}

void TarnwellEditor::valueChanged(CDrawContext* /*context*/, CControl* control)
{
    const long tag = control->getTag();
    if (tag >= 0 && tag < kNumParams)
        effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
    else
        control->redraw();
}

void TarnwellEditor::idle()
{
    AEffGUIEditor::idle();
    if (tarnwell)
        tarnwell->getDisplayValues(inputPeakL, inputPeakR, dryPeakL, dryPeakR, wetPeakL, wetPeakR, midiActivity);
    if (!isOpened)
        return;
    const float peaks[kNumMeters] = {inputPeakL, inputPeakR, wetPeakL, wetPeakR, dryPeakL, dryPeakR};
    for (int i = 0; i < kNumMeters; ++i)
        meters[i]->setValue(static_cast<float>(kMeterScale * static_cast<double>(peaks[i])));
    midiIndicator->setValue(static_cast<float>(midiActivity));
}

CControl* TarnwellEditor::getParameterControl(VstInt32 index) const
{
    return index >= 0 && index < kNumParams ? parameterControls[index] : nullptr;
}

CVuMeter* TarnwellEditor::getMeter(int index) const
{
    return index >= 0 && index < kNumMeters ? meters[index] : nullptr;
}

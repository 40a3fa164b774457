// The toolkit offscreen: bitmaps, what each control draws for its value, the
// frame's idle redrawing exactly what changed, mouse and wheel gestures, the
// modal splash view and the editor base.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "frame/audioeffectx.h"
#include "tests/host/test_host.h"
#include "tests/toolkit/pixels.h"
#include "toolkit/aeffguieditor.h"
#include "toolkit/canimknob.h"
#include "toolkit/cbitmap.h"
#include "toolkit/ccontrollistener.h"
#include "toolkit/cframe.h"
#include "toolkit/chorizontalslider.h"
#include "toolkit/cmoviebitmap.h"
#include "toolkit/cmoviebutton.h"
#include "toolkit/csplashscreen.h"
#include "toolkit/cvumeter.h"

namespace {

struct Size {
    int resource, width, height;
};

TEST(CBitmap, EveryPanelImageLoadsWithTheSizeTheLayoutNeeds)
{
    const Size sizes[] = {{10001, 604, 215}, {10002, 40, 1558}, {10003, 25, 60},  {10004, 17, 26},
                          {10005, 13, 37},   {10006, 514, 215}, {10007, 4, 61},   {10008, 4, 61},
                          {10009, 65, 2220}, {10010, 109, 37},  {10011, 109, 37}};
    for (const Size& s : sizes) {
        CBitmap* b = new CBitmap(s.resource);
        EXPECT_EQ(b->getWidth(), s.width) << s.resource;
        EXPECT_EQ(b->getHeight(), s.height) << s.resource;
        EXPECT_NE(b->getSurface(), nullptr) << s.resource;
        b->forget();
    }
}

TEST(CBitmap, AnUnknownResourceIsEmpty)
{
    for (int number : {0, -1, 10000, 10012, 99999}) {
        CBitmap* b = new CBitmap(number);
        EXPECT_EQ(b->getWidth(), 0);
        EXPECT_EQ(b->getHeight(), 0);
        EXPECT_EQ(b->getSurface(), nullptr);
        b->forget();
    }
}

TEST(CBitmap, ControlsHoldReferencesUntilTheFrameGoes)
{
    CBitmap* strip = new CBitmap(10002);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    frame->addView(new CAnimKnob(CRect(0, 0, 40, 38), nullptr, 0, 41, 38, strip, CPoint()));
    frame->addView(new CAnimKnob(CRect(40, 0, 80, 38), nullptr, 1, 41, 38, strip, CPoint()));
    EXPECT_EQ(strip->getNbReference(), 3);
    strip->forget();  // the creator's reference; the knobs keep the bitmap
    EXPECT_EQ(strip->getNbReference(), 2);
    frame->idle();
    delete frame;  // frees it with the last knob (the sanitizer build's leak check sees it)
}

// A panel-sized frame over the real background, offscreen.
class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        background = new CBitmap(10001);
        frame = new CFrame(CRect(0, 0, 604, 215), nullptr, nullptr);
        frame->setBackground(background);
    }
    void TearDown() override
    {
        delete frame;
        background->forget();
    }
    template <typename T>
    T* add(T* view)
    {
        frame->addView(view);
        return view;
    }
    cairo_surface_t* image() const { return frame->getOffscreen(); }
    CBitmap* background = nullptr;
    CFrame* frame = nullptr;
};

struct ImageCase {
    float value;
    int image;
};

TEST_F(Panel, KnobShowsFloorOfValueTimes40)
{
    CBitmap* strip = new CBitmap(10002);
    const CRect r(110, 40, 150, 78);
    CAnimKnob* knob = add(new CAnimKnob(r, nullptr, 0, 41, 38, strip, CPoint()));
    const ImageCase cases[] = {{0.0f, 0},  {0.024f, 0}, {0.025f, 1}, {0.5f, 20}, {0.99f, 39},
                               {1.0f, 40}, {1.7f, 40},  {-0.3f, 0},  {NAN, 0}};
    for (const ImageCase& c : cases) {
        knob->setValue(c.value);
        frame->idle();
        EXPECT_EQ(knob->imageIndex(), c.image) << c.value;
        EXPECT_TRUE(pixels::showsStripImage(image(), r, background, strip, c.image, 38)) << c.value;
    }
    strip->forget();
}

TEST_F(Panel, MovieBitmapShowsTheNearestImage)
{
    CBitmap* strip = new CBitmap(10009);
    const CRect r(128, 132, 193, 192);
    CMovieBitmap* room = add(new CMovieBitmap(r, nullptr, 0, 37, 60, strip, CPoint()));
    const ImageCase cases[] = {{0.0f, 0},  {0.25f, 9}, {0.5f, 18}, {0.0138f, 0},
                               {0.0139f, 1}, {1.0f, 36}, {2.0f, 36}, {-1.0f, 0}};
    for (const ImageCase& c : cases) {
        room->setValue(c.value);
        frame->idle();
        EXPECT_EQ(room->imageIndex(), c.image) << c.value;
        EXPECT_TRUE(pixels::showsStripImage(image(), r, background, strip, c.image, 60)) << c.value;
    }
    strip->forget();
}

TEST_F(Panel, SwitchShowsOffOnlyAtZero)
{
    CBitmap* strip = new CBitmap(10003);
    const CRect r(118, 82, 143, 112);
    CMovieButton* sw = add(new CMovieButton(r, nullptr, 1, 30, strip, CPoint()));
    const ImageCase cases[] = {{0.0f, 0}, {1.0f, 1}, {0.5f, 1}, {-1.0f, 1}, {0.0f, 0}};
    for (const ImageCase& c : cases) {
        sw->setValue(c.value);
        frame->idle();
        EXPECT_TRUE(pixels::showsStripImage(image(), r, background, strip, c.image, 30)) << c.value;
    }
    strip->forget();
}

struct SliderCase {
    int style;
    float value;
    int handleLeft;
};

TEST_F(Panel, SliderHandleTravelsRangeMinusHandleWidthInTheStylesDirection)
{
    CBitmap* handle = new CBitmap(10005);
    CBitmap* back = new CBitmap(10010);
    const CRect r(255, 122, 364, 159);
    const int travel = 109 - handle->getWidth();
    const SliderCase cases[] = {{kTop, 0.0f, 255},          {kTop, 1.0f, 255 + travel}, {kTop, 0.25f, 255 + 24},
                                {kRight, 0.0f, 255 + travel}, {kRight, 1.0f, 255},        {kRight, 0.25f, 255 + 72},
                                {kTop, 3.0f, 255 + travel}};
    for (const SliderCase& c : cases) {
        CFrame own(CRect(0, 0, 604, 215), nullptr, nullptr);
        own.setBackground(background);
        auto* slider = new CHorizontalSlider(r, nullptr, 5, CPoint(), 109, handle, back, CPoint(), c.style);
        own.addView(slider);
        slider->setValue(c.value);
        own.idle();
        EXPECT_EQ(slider->handleLeft(), c.handleLeft) << c.style << " " << c.value;
        const CRect h(c.handleLeft, 122, c.handleLeft + handle->getWidth(), 159);
        EXPECT_TRUE(pixels::shows(own.getOffscreen(), r, background, {{back, r, 0, 0}, {handle, h, 0, 0}}))
            << c.style << " " << c.value;
    }
    handle->forget();
    back->forget();
}

TEST_F(Panel, MeterLightsRoundedSegmentsFromTheBottom)
{
    CBitmap* off = new CBitmap(10007);
    CBitmap* on = new CBitmap(10008);
    const CRect r(461, 40, 465, 101);
    CVuMeter* meter = add(new CVuMeter(r, on, off, 9, kVertical));
    const ImageCase cases[] = {{0.0f, 0}, {0.05f, 0}, {0.06f, 1}, {0.5f, 5}, {0.95f, 9}, {1.0f, 9}, {1.5f, 9}};
    for (const ImageCase& c : cases) {
        meter->setValue(c.value);
        frame->idle();
        EXPECT_EQ(meter->getShownValue(), c.value);  // rising shows at once
        EXPECT_EQ(meter->litSegments(), c.image) << c.value;
        const int litTop = 40 + static_cast<int>(std::lround(61 - c.image * 61.0 / 9));
        EXPECT_TRUE(pixels::shows(image(), r, background,
                                  {{off, r, 0, 0}, {on, CRect(461, litTop, 465, 101), 0, litTop - 40}}))
            << c.value;
    }
    off->forget();
    on->forget();
}

TEST_F(Panel, MeterFallsByAtMostTheStepPerRedraw)
{
    CBitmap* off = new CBitmap(10007);
    CBitmap* on = new CBitmap(10008);
    CVuMeter* meter = add(new CVuMeter(CRect(461, 40, 465, 101), on, off, 9, kVertical));
    meter->setDecreaseStepValue(0.02f);
    meter->setValue(1.0f);
    frame->idle();
    meter->setValue(0.0f);
    for (int i = 1; i < 50; ++i) {
        EXPECT_EQ(frame->idle(), 1) << i;
        EXPECT_NEAR(meter->getShownValue(), 1.0f - 0.02f * i, 1e-5f) << i;
        EXPECT_EQ(meter->litSegments(), static_cast<int>(std::lround(9 * (1.0 - 0.02 * i)))) << i;
    }
    EXPECT_EQ(frame->idle(), 1);
    EXPECT_EQ(meter->getShownValue(), 0.0f);  // after 50 redraws
    EXPECT_EQ(frame->idle(), 0);

    // A fall smaller than the step shows at once.
    meter->setValue(0.5f);
    frame->idle();
    meter->setValue(0.49f);
    frame->idle();
    EXPECT_EQ(meter->getShownValue(), 0.49f);
    off->forget();
    on->forget();
}

TEST_F(Panel, IdleRedrawsExactlyTheViewsThatChanged)
{
    CBitmap* strip = new CBitmap(10002);
    CAnimKnob* a = add(new CAnimKnob(CRect(110, 40, 150, 78), nullptr, 0, 41, 38, strip, CPoint()));
    CAnimKnob* b = add(new CAnimKnob(CRect(173, 40, 213, 78), nullptr, 2, 41, 38, strip, CPoint()));
    EXPECT_EQ(frame->idle(), 2);  // the first idle draws the whole panel
    EXPECT_EQ(frame->idle(), 0);
    for (int i = 0; i < 10; ++i)
        a->setValue(0.1f * i);
    EXPECT_EQ(frame->idle(), 1);
    EXPECT_TRUE(pixels::showsStripImage(image(), a->getViewSize(), background, strip, 36, 38));
    EXPECT_EQ(frame->idle(), 0);
    b->setValue(b->getValue());  // the same value is no change
    EXPECT_EQ(frame->idle(), 0);
    b->redraw();
    EXPECT_EQ(frame->idle(), 1);
    strip->forget();
}

// Records what the controls report and the gestures around it.
struct Recorder : CControlListener {
    void valueChanged(CDrawContext*, CControl* control) override
    {
        events.push_back("value " + std::to_string(control->getTag()));
        values.push_back(control->getValue());
    }
    std::vector<std::string> events;
    std::vector<float> values;
};

// An effect just good enough to own a toolkit editor and call its host.
class BareEffect : public AudioEffectX {
public:
    explicit BareEffect(audioMasterCallback host) : AudioEffectX(host, 1, 18) {}
    void process(float**, float**, VstInt32) override {}
    // Like a host that runs the editor's idle from audioMasterIdle.
    void masterIdle() override
    {
        AudioEffectX::masterIdle();
        if (editor)
            editor->idle();
    }
};

class GestureEditor : public AEffGUIEditor {
public:
    GestureEditor(AudioEffect* fx, Recorder* r) : AEffGUIEditor(fx), recorder(r) {}
    void beginEdit(VstInt32 index) override
    {
        recorder->events.push_back("begin " + std::to_string(index));
        AEffGUIEditor::beginEdit(index);
    }
    void endEdit(VstInt32 index) override
    {
        recorder->events.push_back("end " + std::to_string(index));
        AEffGUIEditor::endEdit(index);
    }
    void makeFrame() { frame = new CFrame(CRect(0, 0, 604, 215), nullptr, this); }
    Recorder* recorder;
};

class Gestures : public ::testing::Test {
protected:
    Gestures() : effect(host.callback()), editor(new GestureEditor(&effect, &recorder))
    {
        editor->makeFrame();
        editor->setKnobMode(kLinearMode);
        CBitmap* background = new CBitmap(10001);
        frame()->setBackground(background);
        background->forget();
        knobStrip = new CBitmap(10002);
        switchStrip = new CBitmap(10003);
        handle = new CBitmap(10005);
        back = new CBitmap(10011);
        splash = new CBitmap(10006);
        knob = add(new CAnimKnob(CRect(110, 40, 150, 78), &recorder, 7, 41, 38, knobStrip, CPoint()));
        sw = add(new CMovieButton(CRect(118, 82, 143, 112), &recorder, 8, 30, switchStrip, CPoint()));
        slider = add(new CHorizontalSlider(CRect(255, 162, 364, 199), &recorder, 4, CPoint(), 109, handle, back,
                                           CPoint(), kRight));
        about = add(new CSplashScreen(CRect(0, 85, 90, 125), &recorder, 99, splash, CRect(90, 0, 604, 215),
                                      CPoint()));
        for (CBitmap* b : {knobStrip, switchStrip, handle, back, splash})
            b->forget();
    }
    ~Gestures() override { editor->setKnobMode(kCircularMode); }
    template <typename T>
    T* add(T* view)
    {
        editor->getFrame()->addView(view);
        return view;
    }
    CFrame* frame() const { return editor->getFrame(); }
    size_t hostCalls(VstInt32 opcode) const { return host.count(opcode); }

    testhost::RecordingHost host;
    Recorder recorder;
    BareEffect effect;
    GestureEditor* editor;  // owned by the effect
    CBitmap *knobStrip, *switchStrip, *handle, *back, *splash;
    CAnimKnob* knob;
    CMovieButton* sw;
    CHorizontalSlider* slider;
    CSplashScreen* about;
};

using Events = std::vector<std::string>;

TEST_F(Gestures, KnobDragIsOneGestureOf200PixelsForTheRangeUpIncreasing)
{
    knob->setValue(0.2f);
    frame()->onMouseDown(CPoint(130, 60), kLButton);
    frame()->onMouseMoved(CPoint(130, 40), kLButton);   // up 20: +0.1
    frame()->onMouseMoved(CPoint(130, 140), kLButton);  // down 100: -0.5, stops at 0
    frame()->onMouseMoved(CPoint(130, 40), kLButton);   // up 100: +0.5
    frame()->onMouseUp(CPoint(130, 40), 0);
    EXPECT_EQ(recorder.events, (Events{"begin 7", "value 7", "value 7", "value 7", "end 7"}));
    ASSERT_EQ(recorder.values.size(), 3u);
    EXPECT_NEAR(recorder.values[0], 0.3f, 1e-6f);
    EXPECT_EQ(recorder.values[1], 0.0f);
    EXPECT_NEAR(recorder.values[2], 0.5f, 1e-6f);
    EXPECT_EQ(hostCalls(audioMasterBeginEdit), 1u);
    EXPECT_EQ(hostCalls(audioMasterEndEdit), 1u);
    EXPECT_EQ(host.calls().front().index, 7);
    // The host is kept serviced while the knob tracks the mouse.
    EXPECT_EQ(hostCalls(audioMasterIdle), 3u);
}

TEST_F(Gestures, KnobWithShiftIsTenTimesFinerAndCtrlClickResets)
{
    knob->setValue(0.2f);
    frame()->onMouseDown(CPoint(130, 60), kLButton | kShift);
    frame()->onMouseMoved(CPoint(130, 40), kLButton | kShift);
    frame()->onMouseUp(CPoint(130, 40), kShift);
    EXPECT_NEAR(knob->getValue(), 0.21f, 1e-6f);
    recorder.events.clear();
    frame()->onMouseDown(CPoint(130, 60), kLButton | kControl);
    frame()->onMouseUp(CPoint(130, 60), kControl);
    EXPECT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(recorder.events, (Events{"begin 7", "value 7", "end 7"}));
}

TEST_F(Gestures, WheelStepsByATenthAsOneGesture)
{
    knob->setValue(0.5f);
    EXPECT_TRUE(frame()->onWheel(CPoint(130, 60), 1.0f, 0));
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6f);
    EXPECT_TRUE(frame()->onWheel(CPoint(130, 60), -2.0f, 0));
    EXPECT_NEAR(knob->getValue(), 0.4f, 1e-6f);
    EXPECT_EQ(recorder.events, (Events{"begin 7", "value 7", "end 7", "begin 7", "value 7", "end 7"}));
    // A switch ignores the wheel; so does empty panel.
    EXPECT_FALSE(frame()->onWheel(CPoint(130, 95), 1.0f, 0));
    EXPECT_FALSE(frame()->onWheel(CPoint(5, 5), 1.0f, 0));
    EXPECT_EQ(recorder.events.size(), 6u);
}

TEST_F(Gestures, SwitchClickTogglesBetweenExactlyZeroAndOne)
{
    const float starts[] = {0.0f, 1.0f, 0.5f};
    const float after[] = {1.0f, 0.0f, 0.0f};
    for (int i = 0; i < 3; ++i) {
        sw->setValue(starts[i]);
        frame()->onMouseDown(CPoint(130, 95), kLButton);
        frame()->onMouseUp(CPoint(130, 95), 0);
        EXPECT_EQ(sw->getValue(), after[i]) << starts[i];
    }
    EXPECT_EQ(recorder.events, (Events{"begin 8", "value 8", "end 8", "begin 8", "value 8", "end 8", "begin 8",
                                       "value 8", "end 8"}));
    // Only the left button works it.
    frame()->onMouseDown(CPoint(130, 95), kRButton);
    EXPECT_EQ(recorder.events.size(), 9u);
}

TEST_F(Gestures, SliderPutsTheHandleUnderTheMouse)
{
    // Low-pass style: the value rises from right to left; the handle is 13 wide.
    frame()->onMouseDown(CPoint(255 + 6, 180), kLButton);  // handle at the left end
    EXPECT_EQ(slider->getValue(), 1.0f);
    frame()->onMouseMoved(CPoint(255 + 6 + 48, 180), kLButton);  // halfway
    EXPECT_EQ(slider->getValue(), 0.5f);
    frame()->onMouseMoved(CPoint(500, 180), kLButton);  // beyond the right end
    EXPECT_EQ(slider->getValue(), 0.0f);
    frame()->onMouseUp(CPoint(500, 180), 0);
    EXPECT_EQ(recorder.events, (Events{"begin 4", "value 4", "value 4", "value 4", "end 4"}));
}

TEST_F(Gestures, SplashShowsModallyAndHidesOnTheNextClickWithoutEditing)
{
    frame()->idle();
    frame()->onMouseDown(CPoint(40, 100), kLButton);
    frame()->onMouseUp(CPoint(40, 100), 0);
    EXPECT_EQ(about->getValue(), 1.0f);
    EXPECT_EQ(frame()->getModalView(), about);
    EXPECT_EQ(about->getViewSize(), CRect(90, 0, 604, 215));
    frame()->idle();
    CBitmap* background = new CBitmap(10001);
    EXPECT_TRUE(pixels::shows(frame()->getOffscreen(), CRect(90, 0, 604, 215), background,
                              {{splash, CRect(90, 0, 604, 215), 0, 0}}));

    // Meanwhile the mouse reaches only the picture, and a changing value
    // under it does not draw over it.
    frame()->onMouseDown(CPoint(40, 100), kLButton);
    EXPECT_FALSE(frame()->onWheel(CPoint(130, 60), 1.0f, 0));
    EXPECT_EQ(about->getValue(), 1.0f);
    knob->setValue(0.9f);
    frame()->idle();
    EXPECT_TRUE(pixels::shows(frame()->getOffscreen(), CRect(90, 0, 604, 215), background,
                              {{splash, CRect(90, 0, 604, 215), 0, 0}}));

    frame()->onMouseDown(CPoint(130, 95), kLButton);  // on the picture, over the switch
    EXPECT_EQ(about->getValue(), 0.0f);
    EXPECT_EQ(sw->getValue(), 0.0f);
    EXPECT_EQ(frame()->getModalView(), nullptr);
    EXPECT_EQ(about->getViewSize(), CRect(0, 85, 90, 125));
    frame()->idle();
    EXPECT_TRUE(pixels::showsStripImage(frame()->getOffscreen(), knob->getViewSize(), background, knobStrip, 36, 38));
    EXPECT_TRUE(pixels::shows(frame()->getOffscreen(), CRect(300, 0, 360, 40), background, {}));
    background->forget();

    EXPECT_EQ(recorder.events, (Events{"value 99", "value 99"}));
    EXPECT_EQ(hostCalls(audioMasterBeginEdit), 0u);
    EXPECT_EQ(hostCalls(audioMasterAutomate), 0u);
}

TEST_F(Gestures, EditorBaseHandsOutItsRectAndGuardsIdleInsideDoIdleStuff)
{
    ERect* r = nullptr;
    EXPECT_EQ(editor->getRect(&r), 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(editor->getRect(nullptr), 0);
    // The host calls idle back from audioMasterIdle: the guard makes that a no-op.
    knob->setValue(0.3f);
    frame()->idle();
    knob->setValue(0.8f);
    host.clear();
    editor->doIdleStuff();
    EXPECT_EQ(host.count(audioMasterIdle), 1u);
    EXPECT_EQ(frame()->idle(), 1);  // the knob was still waiting: the inner idle did nothing
}

}  // namespace

// The panel offscreen, on a real effect: its size before opening, what every
// control shows, how parameter changes reach it, the meters and the MIDI
// indicator, the about picture and the user's gestures as the host sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "editor/tarnwell_editor.h"
#include "effect/tarnwell.h"
#include "tests/host/test_host.h"
#include "tests/toolkit/pixels.h"
#include "toolkit/canimknob.h"
#include "toolkit/cbitmap.h"
#include "toolkit/cframe.h"
#include "toolkit/chorizontalslider.h"
#include "toolkit/cmoviebitmap.h"
#include "toolkit/cmoviebutton.h"
#include "toolkit/csplashscreen.h"
#include "toolkit/cvumeter.h"

namespace {

class Editor : public ::testing::Test {
protected:
    Editor() : effect(new Tarnwell(host.callback())), editor(static_cast<TarnwellEditor*>(effect->getEditor())) {}
    ~Editor() override
    {
        delete effect;
        for (CBitmap* b : strips)
            b->forget();
    }
    void open()
    {
        ASSERT_EQ(editor->open(nullptr), 1);
        editor->idle();
        editor->idle();
    }
    CFrame* frame() const { return editor->getFrame(); }
    CBitmap* bitmap(int number)
    {
        strips.push_back(new CBitmap(number));
        return strips.back();
    }
    // The host's automation messages, without its idle calls.
    std::vector<testhost::HostCall> gestures() const
    {
        std::vector<testhost::HostCall> out;
        for (const auto& c : host.calls())
            if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterAutomate ||
                c.opcode == audioMasterEndEdit)
                out.push_back(c);
        return out;
    }
    void feed(float left, VstInt32 frames = 64)
    {
        std::vector<float> l(frames, left), r(frames, 0.0f), ol(frames), orr(frames);
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {ol.data(), orr.data()};
        effect->processReplacing(in, out, frames);
    }

    testhost::RecordingHost host;
    Tarnwell* effect;
    TarnwellEditor* editor;
    std::vector<CBitmap*> strips;
};

TEST_F(Editor, TheEffectHasThePanelAndItsSizeBeforeAnyOpen)
{
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(effect->getAeffect()->flags, 25);
    ERect* r = nullptr;
    EXPECT_EQ(editor->getRect(&r), 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->top, 0);
    EXPECT_EQ(r->left, 0);
    EXPECT_EQ(r->bottom, 215);
    EXPECT_EQ(r->right, 604);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_FALSE(editor->isOpen());
}

TEST_F(Editor, AfterOpenEveryControlShowsItsParameter)
{
    const float values[kNumParams] = {0.3f, 1, 0.6f, 0, 0.8f, 0.1f, 0.45f, 0.9f, 1, 0.7f, 0, 0.2f, 1, 0.55f, 0, 1, 0, 1};
    for (VstInt32 i = 0; i < kNumParams; ++i)
        effect->setParameter(i, values[i]);
    open();
    ASSERT_EQ(frame()->getNbViews(), 27);
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        ASSERT_NE(editor->getParameterControl(i), nullptr) << i;
        EXPECT_EQ(editor->getParameterControl(i)->getValue(), effect->getParameter(i)) << i;
        EXPECT_EQ(editor->getParameterControl(i)->getTag(), i);
    }
    EXPECT_EQ(editor->getRoomDisplay()->getValue(), effect->getParameter(kRoomSize));
    for (int m = 0; m < TarnwellEditor::kNumMeters; ++m)
        EXPECT_EQ(editor->getMeter(m)->litSegments(), 0);
    EXPECT_EQ(editor->getSplash()->getValue(), 0.0f);

    cairo_surface_t* s = frame()->getOffscreen();
    CBitmap* bg = bitmap(10001);
    CBitmap* knob = bitmap(10002);
    CBitmap* sw = bitmap(10003);
    CBitmap* room = bitmap(10009);
    CBitmap* handle = bitmap(10005);
    CBitmap* hpBack = bitmap(10010);
    CBitmap* lpBack = bitmap(10011);
    // pre-delay 0.3 -> image 12; room size 0.6 -> knob 24, display round(21.6) = 22
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(110, 40, 150, 78), bg, knob, 12, 38));
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(173, 40, 213, 78), bg, knob, 24, 38));
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(309, 40, 349, 78), bg, knob, 36, 38));
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(128, 132, 193, 192), bg, room, 22, 60));
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(118, 82, 143, 112), bg, sw, 1, 30));   // pre-delay on
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(413, 175, 438, 205), bg, sw, 0, 30));  // mode off
    EXPECT_TRUE(pixels::showsStripImage(s, CRect(458, 175, 483, 205), bg, sw, 0, 30));  // input off
    // high-pass 0.1 from the left: 10 of 96; low-pass 0.8 from the right: 19 of 96
    const int travel = 109 - handle->getWidth();
    const int hp = 255 + static_cast<int>(std::lround(0.1f * travel));
    const int lp = 255 + static_cast<int>(std::lround((1.0f - 0.8f) * travel));
    EXPECT_TRUE(pixels::shows(s, CRect(255, 122, 364, 159), bg,
                              {{hpBack, CRect(255, 122, 364, 159), 0, 0},
                               {handle, CRect(hp, 122, hp + handle->getWidth(), 159), 0, 0}}));
    EXPECT_TRUE(pixels::shows(s, CRect(255, 162, 364, 199), bg,
                              {{lpBack, CRect(255, 162, 364, 199), 0, 0},
                               {handle, CRect(lp, 162, lp + handle->getWidth(), 199), 0, 0}}));
}

TEST_F(Editor, SetParameterWhileOpenUpdatesExactlyItsControls)
{
    open();
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        const float v = effect->getParameter(i) == 0.25f ? 0.75f : 0.25f;
        effect->setParameter(i, v);
        EXPECT_EQ(editor->getParameterControl(i)->getValue(), effect->getParameter(i)) << i;
        EXPECT_EQ(frame()->idle(), i == kRoomSize ? 2 : 1) << i;
    }
    EXPECT_EQ(editor->getRoomDisplay()->getValue(), effect->getParameter(kRoomSize));
    for (VstInt32 index : {-1, 18, 1000}) {
        effect->setParameter(index, 0.5f);
        EXPECT_EQ(frame()->idle(), 0) << index;
    }
}

TEST_F(Editor, TenChangesThenOneIdleRedrawOnce)
{
    open();
    for (int i = 0; i < 10; ++i)
        effect->setParameter(kPreDelay, 0.05f * i);
    editor->idle();  // consumes the update and redraws the knob once
    EXPECT_EQ(frame()->idle(), 0);
    CBitmap* bg = bitmap(10001);
    EXPECT_TRUE(pixels::showsStripImage(frame()->getOffscreen(), CRect(110, 40, 150, 78), bg, bitmap(10002), 18, 38));
}

TEST_F(Editor, ClosedPanelIgnoresChangesAndReopensWithCurrentValues)
{
    editor->setParameter(kPreDelay, 0.5f);  // before any open: nothing to update
    editor->idle();
    open();
    editor->close();
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getParameterControl(kPreDelay), nullptr);
    effect->setParameter(kPreDelay, 0.65f);
    effect->setParameter(kRoomSize, 0.9f);
    editor->idle();  // reads the display values, touches nothing
    editor->close(); // closing twice is harmless
    open();
    EXPECT_EQ(editor->getParameterControl(kPreDelay)->getValue(), 0.65f);
    EXPECT_EQ(editor->getRoomDisplay()->getValue(), 0.9f);
}

TEST_F(Editor, MetersShowTwoAndAHalfTimesThePeaksAndFallByTheStep)
{
    open();
    struct Case {
        float peak, meter;
    };
    for (const Case& c : {Case{0.2f, 0.5f}, Case{0.4f, 1.0f}, Case{0.6f, 1.5f}}) {
        feed(c.peak);
        float inL, inR, dryL, dryR, wetL, wetR;
        int midi;
        effect->getDisplayValues(inL, inR, dryL, dryR, wetL, wetR, midi);
        ASSERT_EQ(inL, c.peak);
        editor->idle();
        EXPECT_EQ(editor->getMeter(0)->getValue(), static_cast<float>(2.5 * c.peak)) << c.peak;
        EXPECT_EQ(editor->getMeter(0)->getValue(), c.meter) << c.peak;
        EXPECT_EQ(editor->getMeter(1)->getValue(), 0.0f);
    }
    // From 1.5 down to 1.0 takes its 25 redraws too.
    for (int i = 0; i < 30; ++i) {
        feed(0.4f);
        editor->idle();
    }
    EXPECT_EQ(editor->getMeter(0)->getShownValue(), 1.0f);
    EXPECT_EQ(editor->getMeter(0)->litSegments(), 9);
    feed(0.0f);
    editor->idle();  // sets 0; each later idle redraws one step of the fall
    for (int i = 1; i < 50; ++i) {
        editor->idle();
        EXPECT_NEAR(editor->getMeter(0)->getShownValue(), 1.0f - 0.02f * i, 1e-5f) << i;
    }
    editor->idle();
    EXPECT_EQ(editor->getMeter(0)->getShownValue(), 0.0f);
}

TEST_F(Editor, MidiIndicatorFollowsTheActivityFlag)
{
    open();  // a new effect counts as active until 8820 samples have passed
    EXPECT_EQ(editor->getMidiIndicator()->getValue(), 1.0f);
    CBitmap* bg = bitmap(10001);
    CBitmap* led = bitmap(10004);
    EXPECT_TRUE(pixels::showsStripImage(frame()->getOffscreen(), CRect(416, 7, 433, 20), bg, led, 1, 13));
    feed(0.0f, 9000);
    editor->idle();
    EXPECT_EQ(editor->getMidiIndicator()->getValue(), 0.0f);
    editor->idle();
    EXPECT_TRUE(pixels::showsStripImage(frame()->getOffscreen(), CRect(416, 7, 433, 20), bg, led, 0, 13));
}

TEST_F(Editor, SplashShowsModallyAndHidesOnTheNextClickChangingNoParameter)
{
    open();
    std::vector<float> before;
    for (VstInt32 i = 0; i < kNumParams; ++i)
        before.push_back(effect->getParameter(i));
    host.clear();
    frame()->onMouseDown(CPoint(45, 105), kLButton);
    frame()->onMouseUp(CPoint(45, 105), 0);
    EXPECT_EQ(frame()->getModalView(), editor->getSplash());
    EXPECT_EQ(editor->getSplash()->getViewSize(), CRect(90, 0, 604, 215));
    editor->idle();
    CBitmap* bg = bitmap(10001);
    EXPECT_TRUE(pixels::shows(frame()->getOffscreen(), CRect(90, 0, 604, 215), bg,
                              {{bitmap(10006), CRect(90, 0, 604, 215), 0, 0}}));
    frame()->onMouseDown(CPoint(130, 95), kLButton);  // on the picture, over the pre-delay switch
    frame()->onMouseUp(CPoint(130, 95), 0);
    EXPECT_EQ(frame()->getModalView(), nullptr);
    EXPECT_EQ(editor->getSplash()->getValue(), 0.0f);
    for (VstInt32 i = 0; i < kNumParams; ++i)
        EXPECT_EQ(effect->getParameter(i), before[i]) << i;
    EXPECT_TRUE(gestures().empty());
}

struct Gesture {
    const char* what;
    VstInt32 tag;
    CPoint press, drag;
    float value;
};

TEST_F(Editor, GesturesReachTheHostAsBeginAutomateEnd)
{
    open();
    effect->setParameter(kPreDelay, 0.2f);
    effect->setParameter(kHPFilter, 0.2f);
    const Gesture cases[] = {
        {"knob", kPreDelay, {130, 60}, {130, 20}, 0.4f},         // up 40 of 200
        {"switch", kBitRotSw, {330, 95}, {330, 95}, 1.0f},       // off -> on
        {"slider", kHPFilter, {300, 140}, {255 + 6 + 48, 140}, 0.5f},
    };
    for (const Gesture& g : cases) {
        host.clear();
        frame()->onMouseDown(g.press, kLButton);
        frame()->onMouseMoved(g.drag, kLButton);
        frame()->onMouseUp(g.drag, 0);
        const auto calls = gestures();
        ASSERT_GE(calls.size(), 3u) << g.what;
        EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit) << g.what;
        EXPECT_EQ(calls.front().index, g.tag) << g.what;
        EXPECT_EQ(calls.back().opcode, audioMasterEndEdit) << g.what;
        EXPECT_EQ(calls.back().index, g.tag) << g.what;
        for (size_t i = 1; i + 1 < calls.size(); ++i) {
            EXPECT_EQ(calls[i].opcode, audioMasterAutomate) << g.what;
            EXPECT_EQ(calls[i].index, g.tag) << g.what;
        }
        EXPECT_NEAR(calls[calls.size() - 2].opt, g.value, 1e-6f) << g.what;
        EXPECT_NEAR(effect->getParameter(g.tag), g.value, 1e-6f) << g.what;
        EXPECT_EQ(editor->getParameterControl(g.tag)->getValue(), effect->getParameter(g.tag)) << g.what;
    }
}

TEST_F(Editor, SwitchTogglesOneThenZero)
{
    open();
    host.clear();
    for (int i = 0; i < 2; ++i) {
        frame()->onMouseDown(CPoint(425, 45), kLButton);  // MIDI hold
        frame()->onMouseUp(CPoint(425, 45), 0);
    }
    const auto calls = gestures();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[1].index, kMHoldSw);
    EXPECT_EQ(calls[1].opt, 1.0f);
    EXPECT_EQ(calls[4].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[4].opt, 0.0f);
    EXPECT_EQ(effect->getParameter(kMHoldSw), 0.0f);
}

TEST_F(Editor, ProgramChangeMovesEveryControlMidiMovesNone)
{
    open();
    effect->setProgram(3);
    for (VstInt32 i = 0; i < kNumParams; ++i)
        EXPECT_EQ(editor->getParameterControl(i)->getValue(), effect->getParameter(i)) << i;
    EXPECT_EQ(editor->getRoomDisplay()->getValue(), effect->getParameter(kRoomSize));
}

}  // namespace

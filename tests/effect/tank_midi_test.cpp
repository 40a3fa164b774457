// Tank control (room size, hold, clearing) and MIDI control.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/effect/probe.h"

namespace {

std::string modeDisplay(TarnwellProbe& effect)
{
    char text[64] = {};
    effect.getParameterDisplay(kMode, text);
    return text;
}

void expectCombs(TarnwellProbe& effect, float feedback, float damp)
{
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(effect.leftCombs[i].getfeedback(), feedback);
        EXPECT_EQ(effect.rightCombs[i].getfeedback(), feedback);
        EXPECT_EQ(effect.leftCombs[i].getdamp(), damp);
        EXPECT_EQ(effect.rightCombs[i].getdamp(), damp);
    }
}

TEST(Tank, ModeThresholdAndHeldSettings)
{
    TarnwellProbe effect(nullptr);
    effect.setmode(0.49f);
    EXPECT_EQ(effect.getmode(), 0.0f);
    effect.setmode(0.5f);
    EXPECT_EQ(effect.getmode(), 1.0f);
    EXPECT_EQ(effect.tankGain, 0.0f);
    expectCombs(effect, 1.0f, 0.0f);

    effect.setroomsize(1.0f);  // waits for the hold to end
    expectCombs(effect, 1.0f, 0.0f);
    effect.setmode(0.0f);
    EXPECT_EQ(effect.tankGain, 0.015f);
    expectCombs(effect, 0.98f, 0.4f);
    effect.setroomsize(0.0f);
    expectCombs(effect, 0.7f, 0.4f);
}

TEST(Tank, RoomSizeReadsBack)
{
    TarnwellProbe effect(nullptr);
    for (float v : {0.0f, 0.25f, 0.6f, 1.0f}) {
        effect.setroomsize(v);
        EXPECT_NEAR(effect.getroomsize(), v, 1e-6f);
    }
}

TEST(Tank, MuteClearsOnlyAFreeTank)
{
    TarnwellProbe effect(nullptr);
    render(effect, noise(3000));
    effect.setmode(1.0f);
    effect.mute();
    EXPECT_FALSE(effect.tankSilent());
    effect.setmode(0.0f);
    effect.mute();
    EXPECT_TRUE(effect.tankSilent());
}

// With the dry path off and the tank held, what comes out is the held tail:
// new input does not reach the tank.
TEST(Tank, HeldTailIgnoresNewInput)
{
    TarnwellProbe fed(nullptr), silent(nullptr);
    for (TarnwellProbe* e : {&fed, &silent}) {
        e->setParameter(kDrySw, 0.0f);
        render(*e, noise(5000, 2));
        e->setParameter(kMode, 1.0f);
    }
    const Stereo tailFed = render(fed, noise(4096, 9));
    const Stereo tailSilent = render(silent, Stereo(4096));
    EXPECT_TRUE(sameBits(tailFed.left, tailSilent.left));
    EXPECT_TRUE(sameBits(tailFed.right, tailSilent.right));
    EXPECT_NE(*std::max_element(tailSilent.left.begin(), tailSilent.left.end()), 0.0f);
}

// A host's MIDI block with its events.
struct Midi {
    std::vector<VstMidiEvent> events;
    std::vector<VstEvent*> pointers;
    std::vector<char> block;

    Midi& add(int status, int data1, int data2)
    {
        VstMidiEvent e{};
        e.type = kVstMidiType;
        e.byteSize = sizeof(VstMidiEvent);
        e.midiData[0] = static_cast<char>(status);
        e.midiData[1] = static_cast<char>(data1);
        e.midiData[2] = static_cast<char>(data2);
        events.push_back(e);
        return *this;
    }
    VstEvents* get()
    {
        pointers.clear();
        for (VstMidiEvent& e : events)
            pointers.push_back(reinterpret_cast<VstEvent*>(&e));
        block.assign(sizeof(VstEvents) + pointers.size() * sizeof(VstEvent*), 0);
        auto* ev = reinterpret_cast<VstEvents*>(block.data());
        ev->numEvents = static_cast<VstInt32>(pointers.size());
        std::copy(pointers.begin(), pointers.end(), ev->events);
        return ev;
    }
};

VstIntPtr send(TarnwellProbe& effect, Midi midi)
{
    return effect.dispatch(effProcessEvents, 0, 0, midi.get());
}

TEST(MidiControl, NotesHoldTheTank)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kMHoldSw, 1.0f);
    send(effect, Midi().add(0x90, 60, 100));
    EXPECT_EQ(effect.getmode(), 1.0f);
    send(effect, Midi().add(0x90, 60, 0));
    EXPECT_EQ(effect.getmode(), 0.0f);

    // A note-off for another note is a note-on of that note.
    send(effect, Midi().add(0x90, 60, 100).add(0x90, 64, 100).add(0x80, 60, 0));
    EXPECT_EQ(effect.getmode(), 1.0f);
    EXPECT_EQ(effect.lastNote, 60);
    send(effect, Midi().add(0x80, 60, 64));
    EXPECT_EQ(effect.getmode(), 0.0f);

    send(effect, Midi().add(0x99, 60, 100));  // channel 10 acts alike
    EXPECT_EQ(effect.getmode(), 1.0f);
    EXPECT_EQ(modeDisplay(effect), "Hold");
    EXPECT_EQ(effect.getParameter(kMode), 0.0f);
}

TEST(MidiControl, ControllersEndTheNote)
{
    for (int controller : {123, 126}) {
        TarnwellProbe effect(nullptr);
        effect.setParameter(kMHoldSw, 1.0f);
        send(effect, Midi().add(0x90, 60, 100));
        send(effect, Midi().add(0xB3, controller, 0));
        EXPECT_EQ(effect.getmode(), 0.0f) << controller;
        EXPECT_EQ(effect.midiLevel, 0.0f);
    }
}

TEST(MidiControl, WheelSetsTheRoomSize)
{
    TarnwellProbe effect(nullptr);
    send(effect, Midi().add(0xB0, 1, 127));  // switch off: nothing
    EXPECT_EQ(effect.roomFeedback, 0.25f * 0.28f + 0.7f);
    effect.setParameter(kMSizeSw, 1.0f);
    effect.midiActivity = 0;
    send(effect, Midi().add(0xB0, 1, 127));
    EXPECT_EQ(effect.roomFeedback, 0.98f);
    EXPECT_EQ(effect.midiActivity, 8820);
    EXPECT_EQ(effect.getParameter(kRoomSize), 0.25f);
    send(effect, Midi().add(0xB0, 1, 0));
    EXPECT_EQ(effect.roomFeedback, 0.7f);
}

TEST(MidiControl, NotesGateTheWetSignal)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kMLevelSw, 1.0f);
    send(effect, Midi().add(0x90, 60, 100).add(0x80, 60, 0));
    EXPECT_EQ(effect.midiLevel, 0.0f);
    render(effect, noise(3000));
    float p[6];
    int flag;
    effect.getDisplayValues(p[0], p[1], p[2], p[3], p[4], p[5], flag);
    EXPECT_EQ(p[4], 0.0f);
    EXPECT_EQ(p[5], 0.0f);
    EXPECT_GT(p[2], 0.0f);
    EXPECT_FALSE(effect.tankSilent());  // the tank keeps running
    send(effect, Midi().add(0x90, 62, 1));
    EXPECT_EQ(effect.midiLevel, 1.0f);
}

TEST(MidiControl, WithEverySwitchOffNotesOnlyTrackAndLight)
{
    TarnwellProbe effect(nullptr);
    effect.midiActivity = 0;
    send(effect, Midi().add(0x90, 50, 90));
    EXPECT_EQ(effect.lastNote, 50);
    EXPECT_EQ(effect.midiActivity, 8820);
    EXPECT_EQ(effect.getmode(), 0.0f);
    send(effect, Midi().add(0x80, 50, 0));
    EXPECT_EQ(effect.midiLevel, 0.0f);
}

TEST(MidiControl, OtherMessagesChangeNothing)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kMHoldSw, 1.0f);
    effect.setParameter(kMSizeSw, 1.0f);
    effect.midiActivity = 0;
    send(effect, Midi()
                     .add(0xE0, 0, 64)    // pitch bend
                     .add(0xC0, 5, 0)     // program change
                     .add(0xD0, 70, 0)    // channel aftertouch
                     .add(0xA0, 60, 70)   // key aftertouch
                     .add(0xB0, 7, 100)   // volume
                     .add(0xB0, 129, 0)   // not a controller number
                     .add(0xF8, 0, 0));   // clock
    EXPECT_EQ(effect.midiActivity, 0);
    EXPECT_EQ(effect.getmode(), 0.0f);
    EXPECT_EQ(effect.roomFeedback, 0.25f * 0.28f + 0.7f);
}

TEST(MidiControl, MalformedBlocksAreSkipped)
{
    TarnwellProbe effect(nullptr);
    effect.setParameter(kMHoldSw, 1.0f);
    effect.midiActivity = 0;
    effect.dispatch(effProcessEvents, 0, 0, nullptr);
    EXPECT_EQ(effect.processEvents(nullptr), 1);

    Midi empty;
    EXPECT_EQ(send(effect, empty), 1);

    Midi negative;
    negative.add(0x90, 60, 100);
    VstEvents* ev = negative.get();
    ev->numEvents = -5;
    EXPECT_EQ(effect.processEvents(ev), 1);

    Midi withNull;
    withNull.add(0x90, 60, 100).add(0x90, 61, 100);
    ev = withNull.get();
    ev->events[0] = nullptr;
    EXPECT_EQ(effect.processEvents(ev), 1);
    EXPECT_EQ(effect.lastNote, 61);

    Midi notMidi;
    notMidi.add(0x90, 62, 100);
    notMidi.events[0].type = 6;  // a SysEx event
    send(effect, notMidi);
    EXPECT_EQ(effect.lastNote, 61);
}

}  // namespace

// MIDI: notes hold the tank and gate the wet signal, the wheel sets the room size.
#include "effect/tarnwell.h"

namespace {

constexpr int kNoteOn = 0x90;
constexpr int kNoteOff = 0x80;
constexpr int kControlChange = 0xB0;
constexpr int kModWheel = 1;
constexpr int kAllNotesOff = 123;
constexpr int kMonoModeOn = 126;

}  // namespace

VstInt32 Tarnwell::processEvents(VstEvents* events)
{
    if (!events)
        return 1;
    // The record declares two entries; hosts allocate as many as numEvents says.
    VstEvent* const* list = events->events;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = list[i];
        if (!event || event->type != kVstMidiType)
            continue;
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
        const auto* data = reinterpret_cast<const unsigned char*>(midi->midiData);
        const int status = data[0] & 0xF0;  // every channel alike
        if (status == kNoteOn || status == kNoteOff) {
            const int note = data[1] & 0x7F;
            const int velocity = status == kNoteOff ? 0 : data[2] & 0x7F;
            if (velocity == 0 && note == lastNote)
                noteOff();
            else
                noteOn(note, velocity, midi->deltaFrames);
        } else if (status == kControlChange) {
            const int controller = data[1];
            if (controller == kAllNotesOff || controller == kMonoModeOn)
                noteOff();
            if (controller == kModWheel)
                modWheel(data[2] & 0x7F);
        }
    }
    return 1;
}

void Tarnwell::noteOn(VstInt32 note, VstInt32 /*velocity*/, VstInt32 /*delta*/)
{
    lastNote = note;
    if (parameterValues[kMHoldSw] != 0.0f)
        setmode(1.0f);
    midiActivity = midiActivityHold;
    if (parameterValues[kMLevelSw] != 0.0f)
        midiLevel = 1.0f;
}

void Tarnwell::noteOff()
{
    midiActivity = midiActivityHold;
    midiLevel = 0.0f;
    if (parameterValues[kMHoldSw] != 0.0f)
        setmode(0.0f);
}

void Tarnwell::modWheel(VstInt32 value)
{
    if (parameterValues[kMSizeSw] == 0.0f)
        return;
    setroomsize(static_cast<float>(static_cast<double>(value) / 127.0));
    midiActivity = midiActivityHold;
}

#include "tests/reliability/random_host.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr VstInt32 kNumParams = 18;
constexpr VstInt32 kNumPrograms = 10;
constexpr int kMaxMidi = 4;

// The block a host hands to effProcessEvents: the VstEvents header with room
// for kMaxMidi pointers.
struct MidiBlock {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[kMaxMidi];
};
static_assert(offsetof(MidiBlock, events) == offsetof(VstEvents, events));

MidiBlock midiBlock;
VstMidiEvent midiEvents[kMaxMidi];

}  // namespace

RandomHost::RandomHost(uint32_t seed_)
    : seed(seed_), inL(kMaxBlock), inR(kMaxBlock), outL(kMaxBlock), outR(kMaxBlock) {
    inputPointers[0] = inL.data();
    inputPointers[1] = inR.data();
    outputPointers[0] = outL.data();
    outputPointers[1] = outR.data();
    restart();
}

void RandomHost::restart() {
    rng.seed(seed);
    noise = seed | 1;
    segmentLeft = 0;
    amplitude = 0;
}

float RandomHost::parameterValue() {
    static const float special[] = {
        std::numeric_limits<float>::quiet_NaN(),
        -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        -0.0f,
        std::numeric_limits<float>::denorm_min(),
        0.0f,
        1.0f,
    };
    if (chance(0.1)) return special[below(sizeof special / sizeof special[0])];
    return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
}

void RandomHost::betweenBlocks(LoadedPlugin& plugin, HostActivity& activity, LoadedPlugin* twin) {
    auto dispatch = [&](VstInt32 opcode, VstIntPtr value) {
        plugin.dispatch(opcode, 0, value);
        if (twin) twin->dispatch(opcode, 0, value);
    };
    const int changes = chance(0.3) ? 1 + below(4) : 0;
    for (int i = 0; i < changes; ++i) {
        const VstInt32 index = below(kNumParams);
        const float value = parameterValue();
        plugin.setParameter(index, value);
        if (twin) twin->setParameter(index, value);
        ++activity.parameterChanges;
    }
    if (chance(0.02)) {
        // Mostly valid programs; the dispatcher must ignore the others.
        const VstIntPtr program = chance(0.9) ? VstIntPtr(below(kNumPrograms))
                                              : (chance(0.5) ? -1 : kNumPrograms);
        dispatch(effSetProgram, program);
        ++activity.programChanges;
    }
    if (chance(0.1)) sendMidi(plugin, activity, twin);
    if (chance(0.01)) {
        dispatch(effMainsChanged, 0);
        dispatch(effMainsChanged, 1);
        ++activity.suspends;
    }
}

void RandomHost::sendMidi(LoadedPlugin& plugin, HostActivity& activity, LoadedPlugin* twin) {
    static const unsigned char statuses[] = {0x90, 0x80, 0xB0, 0xE0, 0xC0, 0xD0};
    const int count = 1 + below(kMaxMidi);
    for (int i = 0; i < count; ++i) {
        VstMidiEvent& event = midiEvents[i];
        std::memset(&event, 0, sizeof event);
        event.type = kVstMidiType;
        event.byteSize = sizeof event;
        event.deltaFrames = below(512);
        const unsigned char status = statuses[below(sizeof statuses)] | below(16);
        unsigned char data1 = below(128), data2 = below(128);
        if ((status & 0xF0) == 0xB0) {
            static const unsigned char controllers[] = {1, 1, 123, 126, 7, 64};
            data1 = controllers[below(sizeof controllers)];
        }
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        midiBlock.events[i] = reinterpret_cast<VstEvent*>(&event);
    }
    midiBlock.numEvents = count;
    midiBlock.reserved = 0;
    plugin.dispatch(effProcessEvents, 0, 0, &midiBlock);
    if (twin) twin->dispatch(effProcessEvents, 0, 0, &midiBlock);
    activity.midiEvents += count;
}

void RandomHost::nextBlock() {
    static const int edges[] = {0, 1, 2, 64, 4095, 4096};
    blockFrames = chance(0.05) ? edges[below(sizeof edges / sizeof edges[0])]
                               : static_cast<int>(below(kMaxBlock + 1));
    replacingMode = chance(0.8);
    for (int i = 0; i < blockFrames; ++i) {
        if (segmentLeft-- <= 0) {
            // Alternate noise and silence, 0.1 to 5 seconds each.
            segmentLeft = 4410 + below(44100 * 5);
            amplitude = amplitude > 0 ? 0.0f : std::uniform_real_distribution<float>(0.01f, 1.0f)(rng);
        }
        noise = noise * 1664525u + 1013904223u;
        const float white = static_cast<float>(static_cast<int32_t>(noise)) * (1.0f / 2147483648.0f);
        inL[i] = amplitude * white;
        inR[i] = amplitude * (i & 64 ? white : -white);
    }
}

void RandomHost::clearOutputs() {
    std::memset(outL.data(), 0, sizeof(float) * blockFrames);
    std::memset(outR.data(), 0, sizeof(float) * blockFrames);
}

bool RandomHost::outputFinite() const {
    for (int i = 0; i < blockFrames; ++i)
        if (!std::isfinite(outL[i]) || !std::isfinite(outR[i])) return false;
    return true;
}

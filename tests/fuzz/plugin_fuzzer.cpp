// libFuzzer target: the fuzzer's bytes drive a fresh plug-in instance through
// its binary interface, as a careless host would. Every buffer handed over is
// allocated at exactly the size a host gives, so the sanitizer sees any write
// beyond it. After each sequence the instance gets ordinary parameters,
// suspend/resume and one second of ordinary input, which must come out finite;
// then it is closed, so leaks show too.
//
// Input format: a sequence of actions, each an action byte followed by its
// arguments (little-endian); a missing byte reads as 0.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "frame/aeffect.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback hostCallback);

namespace {

constexpr int kMaxBlock = 4096;
constexpr int kMaxActions = 256;
constexpr long kMaxFramesPerInput = 44100;
constexpr int kNumParams = 18;
constexpr int kLastOpcode = 80;

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data(data), size(size) {}
    bool empty() const { return at >= size; }
    uint8_t u8() { return at < size ? data[at++] : 0; }
    uint16_t u16() { return uint16_t(u8() | (u8() << 8)); }
    uint32_t u32() { return uint32_t(u16()) | (uint32_t(u16()) << 16); }
    uint64_t u64() { return uint64_t(u32()) | (uint64_t(u32()) << 32); }
    float f32() {
        const uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    void fill(void* target, size_t count) {
        auto* out = static_cast<uint8_t*>(target);
        for (size_t i = 0; i < count; ++i) out[i] = u8();
    }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterGetSampleRate: return 44100;
    case audioMasterGetBlockSize: return 512;
    default: return 0;
    }
}

// A heap block of exactly `size` bytes, zero-filled: the sanitizer's red zones
// sit right behind it.
struct Block {
    explicit Block(size_t size) : size(size), bytes(new uint8_t[size ? size : 1]()) {}
    uint8_t* get() { return bytes.get(); }
    size_t size;
    std::unique_ptr<uint8_t[]> bytes;
};

// A text the effect writes must be terminated inside the buffer it was given.
void requireTerminated(Block& text) {
    if (text.size && !std::memchr(text.get(), 0, text.size)) std::abort();
}

// Output text buffers as hosts size them (the interface's maximum lengths).
size_t textOutSize(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName:
    case effGetProgramNameIndexed: return 24;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName: return 9;
    case effGetEffectName: return 32;
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin: return 64;
    case effGetErrorText: return 256;
    default: return 0;
    }
}

// A NUL-terminated text of any bytes in a bounded buffer: often longer than any
// name field, or filled right up to its terminator.
Block inputText(Bytes& in) {
    static const char* const known[] = {"receiveVstMidiEvent", "2in2out", "plugAsSend", "bypass",
                                        "receiveVstEvents", "1in1out", "2in2outx", ""};
    const uint8_t kind = in.u8();
    if (kind < 32) {
        const char* text = known[kind % (sizeof known / sizeof known[0])];
        Block block(std::strlen(text) + 1);
        std::memcpy(block.get(), text, block.size);
        return block;
    }
    const size_t length = in.u8() + (kind & 1 ? 256 : 0);
    Block block(length + 1);
    for (size_t i = 0; i < length; ++i) {
        const uint8_t c = in.u8();
        block.get()[i] = c ? c : 'x';
    }
    return block;
}

// A VstEvents block with exactly `count` event pointers, each event of the
// size its type has; MIDI bytes and counts from the input.
struct EventsBlock {
    Block header;
    std::vector<Block> events;
    explicit EventsBlock(Bytes& in)
        : header(offsetof(VstEvents, events) + sizeof(VstEvent*) * (in.u8() % 33)) {
        const int count = int((header.size - offsetof(VstEvents, events)) / sizeof(VstEvent*));
        auto* list = reinterpret_cast<VstEvents*>(header.get());
        list->numEvents = count;
        // The host's block holds `count` pointers, more than the declared two.
        auto** slots = reinterpret_cast<VstEvent**>(header.get() + offsetof(VstEvents, events));
        events.reserve(count);
        for (int i = 0; i < count; ++i) {
            events.emplace_back(sizeof(VstMidiEvent));
            auto* event = reinterpret_cast<VstMidiEvent*>(events.back().get());
            const uint8_t kind = in.u8();
            event->type = kind < 224 ? kVstMidiType : VstInt32(in.u32());
            event->byteSize = kind & 1 ? VstInt32(in.u32()) : VstInt32(sizeof(VstMidiEvent));
            event->deltaFrames = kind & 2 ? VstInt32(in.u32()) : in.u8();
            in.fill(event->midiData, 4);
            slots[i] = reinterpret_cast<VstEvent*>(event);
        }
    }
    void* get() { return header.get(); }
};

// A speaker arrangement allocated for its real channel count.
Block speakerArrangement(Bytes& in) {
    const int channels = in.u8() % 9;
    Block block(offsetof(VstSpeakerArrangement, speakers) + sizeof(VstSpeakerProperties) * channels);
    auto* arrangement = reinterpret_cast<VstSpeakerArrangement*>(block.get());
    arrangement->type = VstInt32(in.u32());
    arrangement->numChannels = channels;
    return block;
}

class Session {
public:
    Session(AEffect* effect, Bytes& in) : effect(effect), in(in) {}

    void run() {
        for (int action = 0; action < kMaxActions && !in.empty(); ++action) {
            switch (in.u8() % 8) {
            case 0: dispatchAny(); break;
            case 1: effect->setParameter(effect, parameterIndex(), in.f32()); break;
            case 2: (void)effect->getParameter(effect, parameterIndex()); break;
            case 3: dispatch(effSetProgram, 0, VstInt32(in.u32()) % 12 - 1); break;
            case 4: rename(); break;
            case 5: processBlock(); break;
            case 6: {
                EventsBlock events(in);
                dispatch(effProcessEvents, 0, 0, events.get());
                break;
            }
            case 7:
                dispatch(effMainsChanged, 0, in.u8() & 1);
                break;
            }
        }
    }

    // Ordinary settings and input afterwards: the output must be finite.
    void recover() {
        static const float ordinary[kNumParams] = {0,   0, 0.25f, 0, 0.5f, 0.2f, 0, 0, 0,
                                                   1,   1, 1,     1, 1,    1,    0, 0, 0};
        for (int i = 0; i < kNumParams; ++i) effect->setParameter(effect, i, ordinary[i]);
        dispatch(effMainsChanged, 0, 0);
        dispatch(effMainsChanged, 0, 1);
        std::vector<float> inL(512), inR(512), outL(512), outR(512);
        float* inputs[] = {inL.data(), inR.data()};
        float* outputs[] = {outL.data(), outR.data()};
        uint32_t noise = 1;
        for (int block = 0; block * 512 < 44100; ++block) {
            for (int i = 0; i < 512; ++i) {
                noise = noise * 1664525u + 1013904223u;
                inL[i] = inR[i] = float(int32_t(noise)) * (0.5f / 2147483648.0f);
            }
            effect->processReplacing(effect, inputs, outputs, 512);
            for (int i = 0; i < 512; ++i)
                if (!std::isfinite(outL[i]) || !std::isfinite(outR[i])) std::abort();
        }
    }

private:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    // Mostly the real range, sometimes any index at all.
    VstInt32 parameterIndex() {
        const uint8_t kind = in.u8();
        return kind < 200 ? kind % (kNumParams + 2) - 1 : VstInt32(in.u32());
    }

    void rename() {
        Block name = inputText(in);
        dispatch(effSetProgramName, 0, 0, name.get());
        Block back(24);
        dispatch(effGetProgramName, 0, 0, back.get());
        requireTerminated(back);
    }

    void processBlock() {
        const int frames = in.u16() % (kMaxBlock + 1);
        if (processed + frames > kMaxFramesPerInput) return;
        processed += frames;
        const uint8_t mode = in.u8();
        Block inL(sizeof(float) * frames), inR(sizeof(float) * frames);
        Block outL(sizeof(float) * frames), outR(sizeof(float) * frames);
        fillSamples(reinterpret_cast<float*>(inL.get()), frames);
        fillSamples(reinterpret_cast<float*>(inR.get()), frames);
        float* inputs[] = {reinterpret_cast<float*>(inL.get()), reinterpret_cast<float*>(inR.get())};
        float* outputs[] = {reinterpret_cast<float*>(outL.get()), reinterpret_cast<float*>(outR.get())};
        // Some hosts process in place.
        float** out = mode & 2 ? inputs : outputs;
        if (mode & 1)
            effect->processReplacing(effect, inputs, out, frames);
        else
            effect->process(effect, inputs, out, frames);
    }

    // Silence, noise of any level, or one sample value of any bits repeated,
    // with single samples of any bits mixed in.
    void fillSamples(float* samples, int frames) {
        const uint8_t kind = in.u8();
        const float value = in.f32();
        uint32_t noise = in.u32() | 1;
        for (int i = 0; i < frames; ++i) {
            noise = noise * 1664525u + 1013904223u;
            switch (kind % 3) {
            case 0: samples[i] = 0; break;
            case 1: samples[i] = float(int32_t(noise)) * (1.0f / 2147483648.0f) * value; break;
            case 2: samples[i] = value; break;
            }
        }
        for (int spikes = in.u8() % 4; spikes > 0 && frames > 0; --spikes)
            samples[in.u16() % frames] = in.f32();
    }

    // Any opcode from 0 to 80 with any index, value and opt, and for the
    // opcodes that take one either null or a pointer of the kind expected.
    void dispatchAny() {
        const VstInt32 opcode = in.u8() % (kLastOpcode + 1);
        const VstInt32 index = VstInt32(in.u32());
        VstIntPtr value = VstIntPtr(in.u64());
        const float opt = in.f32();
        const bool null = in.u8() < 32;
        // effClose ends the session; effEditOpen needs a real window.
        if (opcode == effClose || opcode == effEditOpen) return;
        if (null) {
            dispatch(opcode, index, opcode == effSetChunk ? 0 : value, nullptr, opt);
            return;
        }
        if (const size_t size = textOutSize(opcode)) {
            Block text(size);
            dispatch(opcode, index, value, text.get(), opt);
            requireTerminated(text);
            return;
        }
        switch (opcode) {
        case effSetProgramName:
        case effString2Parameter:
        case effCanDo: {
            Block text = inputText(in);
            dispatch(opcode, index, value, text.get(), opt);
            return;
        }
        case effEditGetRect: {
            ERect* rect = nullptr;
            dispatch(opcode, index, value, &rect, opt);
            if (rect) {
                volatile VstInt16 corner = rect->right;
                (void)corner;
            }
            return;
        }
        case effEditDraw: {
            ERect rect = {VstInt16(in.u16()), VstInt16(in.u16()), VstInt16(in.u16()), VstInt16(in.u16())};
            dispatch(opcode, index, value, &rect, opt);
            return;
        }
        case effGetChunk: {
            void* data = nullptr;
            dispatch(opcode, index, value, &data, opt);
            return;
        }
        case effSetChunk: {
            Block data(in.u16() % 1025);
            in.fill(data.get(), data.size);
            dispatch(opcode, index, VstIntPtr(data.size), data.get(), opt);
            return;
        }
        case effProcessEvents: {
            EventsBlock events(in);
            dispatch(opcode, index, value, events.get(), opt);
            return;
        }
        case effSetSpeakerArrangement: {
            Block input = speakerArrangement(in), output = speakerArrangement(in);
            dispatch(opcode, index, reinterpret_cast<VstIntPtr>(input.get()), output.get(), opt);
            return;
        }
        case effGetSpeakerArrangement: {
            VstSpeakerArrangement* input = nullptr;
            VstSpeakerArrangement* output = nullptr;
            dispatch(opcode, index, reinterpret_cast<VstIntPtr>(&input), &output, opt);
            return;
        }
        default: {
            // Records the effect only passes through or fills (pin and
            // parameter properties, MIDI names, offline tasks, patch info).
            Block record(256);
            in.fill(record.get(), record.size);
            dispatch(opcode, index, value, record.get(), opt);
            return;
        }
        }
    }

    AEffect* effect;
    Bytes& in;
    long processed = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AEffect* effect = VSTPluginMain(hostCallback);
    if (!effect) std::abort();
    Bytes in(data, size);
    Session session(effect, in);
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0);
    session.run();
    session.recover();
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
    return 0;
}

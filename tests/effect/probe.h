// Test access to a Tarnwell: its inner state, a recording host, and helpers to
// drive it through its effect record as a host does.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "effect/tarnwell.h"

struct TarnwellProbe : Tarnwell {
    using Tarnwell::Tarnwell;

    using Tarnwell::bitRotL;
    using Tarnwell::bitRotR;
    using Tarnwell::bufAllpassR4;
    using Tarnwell::bufCombL1;
    using Tarnwell::currentProgram;
    using Tarnwell::dampingInForce;
    using Tarnwell::dryGain;
    using Tarnwell::editor;
    using Tarnwell::hpCutoff;
    using Tarnwell::hpFilterL;
    using Tarnwell::hpFilterR;
    using Tarnwell::inputGain;
    using Tarnwell::lastNote;
    using Tarnwell::leftAllpasses;
    using Tarnwell::leftCombs;
    using Tarnwell::lpCutoff;
    using Tarnwell::lpFilterL;
    using Tarnwell::lpFilterR;
    using Tarnwell::midiActivity;
    using Tarnwell::midiLevel;
    using Tarnwell::preDelayL;
    using Tarnwell::preDelayR;
    using Tarnwell::programs;
    using Tarnwell::rightAllpasses;
    using Tarnwell::rightCombs;
    using Tarnwell::roomFeedback;
    using Tarnwell::roomSize;
    using Tarnwell::tankGain;
    using Tarnwell::tankMode;
    using Tarnwell::wetGain;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f)
    {
        AEffect* e = getAeffect();
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }

    // Every tank buffer holds only zeros (the 24 buffers lie one after another).
    bool tankSilent() const
    {
        for (const float* p = bufCombL1; p < bufAllpassR4 + 248; ++p)
            if (std::bit_cast<std::uint32_t>(*p) != 0)
                return false;
        return true;
    }
};

// A host that answers the version query and records the opcodes it was sent.
struct RecordingHost {
    static std::vector<VstInt32>& calls()
    {
        static std::vector<VstInt32> recorded;
        return recorded;
    }
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
    {
        calls().push_back(opcode);
        return opcode == audioMasterVersion ? 2400 : 0;
    }
};

inline std::uint32_t bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

// Stereo audio in two channel vectors, handed to the effect as channel pointers.
struct Stereo {
    std::vector<float> left, right;
    explicit Stereo(size_t frames, float fill = 0.0f) : left(frames, fill), right(frames, fill) {}
    float* channels[2] = {};
    float** ptrs()
    {
        channels[0] = left.data();
        channels[1] = right.data();
        return channels;
    }
    size_t frames() const { return left.size(); }
};

// Reproducible noise in -1..1.
inline Stereo noise(size_t frames, std::uint32_t seed = 1)
{
    Stereo s(frames);
    std::uint32_t state = seed;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<std::int32_t>(state)) / 2147483648.0f;
    };
    for (size_t i = 0; i < frames; ++i) {
        s.left[i] = next();
        s.right[i] = next();
    }
    return s;
}

// Runs a whole signal through processReplacing in blocks.
inline Stereo render(Tarnwell& effect, Stereo input, VstInt32 block = 256)
{
    Stereo output(input.frames());
    for (size_t start = 0; start < input.frames(); start += block) {
        const VstInt32 n =
            static_cast<VstInt32>(std::min<size_t>(block, input.frames() - start));
        float* in[2] = {input.left.data() + start, input.right.data() + start};
        float* out[2] = {output.left.data() + start, output.right.data() + start};
        effect.processReplacing(in, out, n);
    }
    return output;
}

inline bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

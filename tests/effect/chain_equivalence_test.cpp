// The plug-in's chain against the per-sample oracle, to the bit, over a table
// of scenarios: programs, block sizes, parameter changes between blocks, MIDI,
// suspend and resume, adding and replacing, in-place buffers, non-finite input.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/effect/oracle.h"

namespace {

enum class Call { replacing, adding, replacingInPlace, addingInPlace };

// Two effects driven alike; every block's outputs and read-out compared by bits.
class Pair {
public:
    Pair() : fast(nullptr), oracle(nullptr) {}

    void both(const std::function<void(Tarnwell&)>& f)
    {
        f(fast);
        f(oracle);
    }

    // One block of fresh noise; scale > 1 drives the tank towards overflow.
    void block(VstInt32 n, Call call, float scale = 1.0f, bool nanInput = false)
    {
        Stereo in = noise(static_cast<size_t>(n), ++seed);
        for (size_t i = 0; i < in.frames(); ++i) {
            in.left[i] *= scale;
            in.right[i] *= scale;
        }
        if (nanInput && n > 0)
            in.left[static_cast<size_t>(n) / 2] = std::numeric_limits<float>::quiet_NaN();
        Stereo a = runOne(fast, in, call), b = runOne(oracle, in, call);
        ASSERT_TRUE(sameBits(a.left, b.left)) << where(n);
        ASSERT_TRUE(sameBits(a.right, b.right)) << where(n);
        float fa[6], fb[6];
        int ma = 0, mb = 0;
        fast.getDisplayValues(fa[0], fa[1], fa[2], fa[3], fa[4], fa[5], ma);
        oracle.getDisplayValues(fb[0], fb[1], fb[2], fb[3], fb[4], fb[5], mb);
        for (int i = 0; i < 6; ++i)
            ASSERT_EQ(bits(fa[i]), bits(fb[i])) << where(n) << " read-out " << i;
        ASSERT_EQ(ma, mb) << where(n);
        ++blocks;
    }

    std::string where(VstInt32 n) const
    {
        return "block " + std::to_string(blocks) + " of " + std::to_string(n) + " frames";
    }

private:
    static Stereo runOne(Tarnwell& effect, Stereo in, Call call)
    {
        // The adding calls start from a non-silent output.
        Stereo out = noise(in.frames(), 99);
        switch (call) {
        case Call::replacing:
            effect.processReplacing(in.ptrs(), out.ptrs(), static_cast<VstInt32>(in.frames()));
            return out;
        case Call::adding:
            effect.process(in.ptrs(), out.ptrs(), static_cast<VstInt32>(in.frames()));
            return out;
        case Call::replacingInPlace:
            effect.processReplacing(in.ptrs(), in.ptrs(), static_cast<VstInt32>(in.frames()));
            return in;
        case Call::addingInPlace:
            effect.process(in.ptrs(), in.ptrs(), static_cast<VstInt32>(in.frames()));
            return in;
        }
        return out;
    }

    TarnwellProbe fast;
    TarnwellOracle oracle;
    std::uint32_t seed = 0;
    int blocks = 0;
};

void midi(Tarnwell& effect, int status, int data1, int data2)
{
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof(VstMidiEvent);
    e.midiData[0] = static_cast<char>(status);
    e.midiData[1] = static_cast<char>(data1);
    e.midiData[2] = static_cast<char>(data2);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&e);
    effect.processEvents(&events);
}

TEST(ChainEquivalence, EveryProgramAndBlockSize)
{
    const std::vector<std::vector<VstInt32>> sequences = {
        {1}, {2}, {7}, {31}, {64}, {511}, {512}, {4096}, {0, 300, 1, 0, 4097, 17, 2, 513, 0, 226}};
    for (VstInt32 program = 0; program < kNumPrograms; ++program) {
        for (const auto& sizes : sequences) {
            SCOPED_TRACE("program " + std::to_string(program) + ", first block " +
                         std::to_string(sizes[0]));
            Pair pair;
            pair.both([program](Tarnwell& e) { e.setProgram(program); });
            VstInt32 total = 0;
            for (size_t i = 0; total < 5000; ++i) {
                const VstInt32 n = sizes[i % sizes.size()];
                pair.block(n, i % 2 ? Call::adding : Call::replacing);
                total += n + 1;
            }
        }
    }
}

// Each parameter stepped through values between blocks, on top of program 0
// and of program 6, with every calling form.
TEST(ChainEquivalence, ParametersChangedBetweenBlocks)
{
    const float values[] = {0.0f, 1.0f, 0.5f, 0.49999997f, -0.0f, 0.25f,
                            -0.5f, 1.5f, 0.75f, 0.0f, 0.9f, 1.0f};
    const Call calls[] = {Call::replacing, Call::adding, Call::replacingInPlace,
                          Call::addingInPlace};
    for (VstInt32 program : {0, 6}) {
        for (VstInt32 index = 0; index < kNumParams; ++index) {
            SCOPED_TRACE("program " + std::to_string(program) + ", parameter " +
                         std::to_string(index));
            Pair pair;
            pair.both([program](Tarnwell& e) { e.setProgram(program); });
            int k = 0;
            for (float v : values) {
                pair.both([index, v](Tarnwell& e) { e.setParameter(index, v); });
                pair.block(k % 3 == 0 ? 300 : 97, calls[k % 4]);
                ++k;
            }
        }
    }
}

// Pre-delay, Bit Rot and hold switched mid-stream with the MIDI switches on,
// notes, the mod wheel, all-notes-off, suspend and resume between blocks.
TEST(ChainEquivalence, SwitchesMidiAndLifecycleBetweenBlocks)
{
    using Step = std::function<void(Tarnwell&)>;
    const Step steps[] = {
        [](Tarnwell& e) { e.setParameter(kPreDelaySw, 1.0f); },
        [](Tarnwell& e) { e.setParameter(kBitRotSw, 1.0f); },
        [](Tarnwell& e) { e.setParameter(kPreDelay, 0.3f); },
        [](Tarnwell& e) { e.setParameter(kBitRot, 0.6f); },
        [](Tarnwell& e) { e.setParameter(kMode, 1.0f); },
        [](Tarnwell& e) { e.setParameter(kPreDelaySw, 0.0f); },
        [](Tarnwell& e) { e.setParameter(kMode, 0.0f); },
        [](Tarnwell& e) { e.setParameter(kBitRotSw, 0.0f); },
        [](Tarnwell& e) {
            e.setParameter(kMHoldSw, 1.0f);
            e.setParameter(kMSizeSw, 1.0f);
            e.setParameter(kMLevelSw, 1.0f);
        },
        [](Tarnwell& e) { midi(e, 0x90, 60, 100); },
        [](Tarnwell& e) { midi(e, 0xB0, 1, 30); },
        [](Tarnwell& e) { midi(e, 0x80, 60, 0); },
        [](Tarnwell& e) { midi(e, 0x91, 64, 90); },
        [](Tarnwell& e) { e.setParameter(kPreDelaySw, 1.0f); },
        [](Tarnwell& e) { midi(e, 0xB0, 123, 0); },
        [](Tarnwell& e) { e.suspend(); },
        [](Tarnwell& e) { e.resume(); },
        [](Tarnwell& e) { e.setParameter(kBitRotSw, 1.0f); },
        [](Tarnwell& e) { e.suspend(); e.resume(); },
        [](Tarnwell& e) { e.setProgram(3); },
    };
    Pair pair;
    int k = 0;
    for (const Step& step : steps) {
        pair.both(step);
        pair.block(k % 2 ? 513 : 64, k % 3 ? Call::replacing : Call::addingInPlace);
        pair.block(1, Call::adding);
        ++k;
    }
}

// A non-finite input and an overflowing one: both chains start the wet path
// again from silence after the same block.
TEST(ChainEquivalence, RecoveryFromNonFiniteSignals)
{
    Pair pair;
    pair.both([](Tarnwell& e) { e.setParameter(kPreDelaySw, 1.0f); });
    pair.block(512, Call::replacing);
    pair.block(512, Call::replacing, 1.0f, true);
    pair.block(512, Call::replacing);
    pair.block(300, Call::adding, 3e38f);
    pair.block(512, Call::adding);
}

}  // namespace

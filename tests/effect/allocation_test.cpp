// Nothing on the audio path, nor in parameter changes and the display read-out,
// allocates: every allocation function of this binary is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/effect/probe.h"

#ifndef TARNWELL_SANITIZED

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocationCalls{0};

void count()
{
    if (counting.load(std::memory_order_relaxed))
        allocationCalls.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);

void* malloc(size_t size)
{
    count();
    return __libc_malloc(size);
}
void* calloc(size_t n, size_t size)
{
    count();
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t size)
{
    count();
    return __libc_realloc(p, size);
}
void free(void* p)
{
    if (p)
        count();
    __libc_free(p);
}
}

void* operator new(size_t size)
{
    count();
    if (void* p = __libc_malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void operator delete(void* p) noexcept
{
    if (p)
        count();
    __libc_free(p);
}
void operator delete[](void* p) noexcept
{
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept
{
    operator delete(p);
}

#endif

namespace {

TEST(Allocation, NoneWhileProcessingOrChangingParameters)
{
#ifdef TARNWELL_SANITIZED
    GTEST_SKIP() << "the sanitizer owns malloc in this build";
#else
    TarnwellProbe effect(nullptr);
    Stereo in = noise(4096, 3);
    Stereo out(4096);
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.midiData[0] = static_cast<char>(0x90);
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&note);
    float p[6];
    int flag;

    // Counting works at all.
    counting = true;
    delete new int(1);
    counting = false;
    ASSERT_EQ(allocationCalls.exchange(0), 2);

    counting = true;
    for (VstInt32 program : {0, 6}) {
        for (VstInt32 index = 0; index < kNumParams; ++index)
            effect.setParameter(index, kFactoryPrograms[program].values[index]);
        effect.setParameter(kMHoldSw, 1.0f);
        effect.setParameter(kMSizeSw, 1.0f);
        for (VstInt32 block : {1, 64, 512, 4096}) {
            effect.processEvents(&events);
            effect.processReplacing(in.ptrs(), out.ptrs(), block);
            effect.process(in.ptrs(), out.ptrs(), block);
            effect.getDisplayValues(p[0], p[1], p[2], p[3], p[4], p[5], flag);
        }
    }
    in.left[7] = std::numeric_limits<float>::quiet_NaN();  // the recovery path too
    effect.processReplacing(in.ptrs(), out.ptrs(), 512);
    counting = false;
    EXPECT_EQ(allocationCalls.load(), 0);
#endif
}

}  // namespace

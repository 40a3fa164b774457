// Flush-to-zero and denormals-are-zero for the length of a processing call.
// A decaying tail takes the double-precision filter state through subnormal
// values, which x86 computes many times slower; results for signals clear of
// subnormals are unchanged. The host's mode is restored on return.
#pragma once

#if defined(__SSE2__) || defined(__x86_64__)
#include <xmmintrin.h>

class DenormalsOff {
public:
    DenormalsOff() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~DenormalsOff() { _mm_setcsr(saved); }
    DenormalsOff(const DenormalsOff&) = delete;
    DenormalsOff& operator=(const DenormalsOff&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved;
};
#else
// Other processors: the tank's own flush rule still holds.
class DenormalsOff {};
#endif

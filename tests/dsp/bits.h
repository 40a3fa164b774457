// Bit-pattern helpers for exact float comparisons in the tests.
#ifndef TARNWELL_TESTS_DSP_BITS_H
#define TARNWELL_TESTS_DSP_BITS_H

#include <bit>
#include <cstdint>

inline std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }
inline float from_bits(std::uint32_t b) { return std::bit_cast<float>(b); }

#endif

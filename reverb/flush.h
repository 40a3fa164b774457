// Zero and subnormal samples become +0.0 so that a decaying tank never runs on
// subnormal arithmetic. Decided on the exponent bits, not on the magnitude.
#ifndef TARNWELL_REVERB_FLUSH_H
#define TARNWELL_REVERB_FLUSH_H

#include <bit>
#include <cstdint>

inline float reverb_flush(float value)
{
    return (std::bit_cast<std::uint32_t>(value) & 0x7F800000u) != 0 ? value : 0.0f;
}

#endif

// Float-to-integer truncation toward zero, defined for every input:
// not-a-number gives 0, values beyond the 32-bit range saturate at its ends.
#ifndef TARNWELL_DSP_TRUNCATE_H
#define TARNWELL_DSP_TRUNCATE_H

#include <cstdint>
#include <limits>

inline std::int32_t csd_truncate_saturating(double value)
{
    if (value != value)
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

#endif

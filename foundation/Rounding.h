#pragma once
// The three ways the program turns a floating value into an integer.
//  - Round: nearest integer, ties to even (the processor's default conversion).
//  - Trunc: towards zero.
//  - MulDiv: a * b / c rounded half away from zero, -1 when c is 0
//    (MulDiv64: the same without the 32-bit limit of the result).
// Never use std::round for coordinates: it rounds ties away from zero.
// Every conversion is defined for any value: beyond the integer's range
// (damaged data, extreme coordinates) it stops at the range's ends, and NaN
// gives 0.

#include <cmath>
#include <cstdint>
#include <cstdlib>

inline int32_t Round(long double x) {
    if (!(x == x)) return 0;
    if (x >= 2147483647.0L) return INT32_MAX;
    if (x <= -2147483648.0L) return INT32_MIN;
    return static_cast<int32_t>(std::llrint(x));  // default rounding mode: ties to even
}

inline int64_t Round64(long double x) {
    if (!(x == x)) return 0;
    if (x >= 9223372036854775807.0L) return INT64_MAX;
    if (x <= -9223372036854775808.0L) return INT64_MIN;
    return static_cast<int64_t>(std::llrint(x));
}

inline int32_t Trunc(long double x) {
    if (!(x == x)) return 0;
    if (x >= 2147483647.0L) return INT32_MAX;
    if (x <= -2147483648.0L) return INT32_MIN;
    return static_cast<int32_t>(x);
}

// The product a * b must fit in 64 bits.
inline int64_t MulDiv64(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return -1;
    const int64_t product = a * b;
    int64_t quotient = product / c;
    const int64_t remainder = product % c;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (remainder != 0 && 2 * std::llabs(remainder) >= std::llabs(c)) {
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    }
    return quotient;
}

inline int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    return static_cast<int32_t>(MulDiv64(a, b, c));
}

// A count or size kept in 16 bits: values outside 0..65535 stop at its ends.
inline uint16_t ClampToUint16(int64_t v) {
    return static_cast<uint16_t>(v < 0 ? 0 : (v > 65535 ? 65535 : v));
}

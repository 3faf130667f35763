// SPDX-License-Identifier: MIT
// Packed doubles (GCC vector extensions) and the sine and cosine kernels the
// engine's sums share: two lanes with SSE2, four with AVX2. The kernels are
// inlined into functions compiled for one instruction set or the other, so that
// each gets its own code; vectors pass by reference, as a 32-byte vector by
// value raises an ABI question in code not compiled for AVX.
#pragma once

#include <cstddef>
#include <cstdint>

namespace helune::packed {

typedef double Double2 __attribute__((vector_size(16)));
typedef double Double4 __attribute__((vector_size(32)));
typedef int64_t Int2 __attribute__((vector_size(16)));
typedef int64_t Int4 __attribute__((vector_size(32)));

template <class D>
inline constexpr int kLanes = sizeof(D) / sizeof(double);

// The int64_t lanes of the width of D, as a comparison of two D yields them.
template <class D>
using IntLanes = decltype(D{} < D{});

// The kernels write x = q·pi + t, q = round(x/pi), |t| <= pi/2, so that
// cos x = (-1)^q cos t and sin x = (-1)^q sin t. pi is split into a 30-bit head
// and the rest, so that q·kPiHi is exact for |q| < 2^23 and x - q·kPiHi is exact
// as well (Sterbenz): t carries only the rounding of its last subtraction.
// |x| <= 2^24 keeps |q| < 2^23; larger arguments are left to std::sin and std::cos.
inline constexpr double kMaxFastArgument = 0x1p24;
inline constexpr double kInvPi = 0x1.45f306dc9c883p-2;
inline constexpr double kPiHi = 0x1.921fb548p+1;
inline constexpr double kPiLo = -0x1.de973dcb3b39ap-30;  // pi - kPiHi
// Adding 1.5·2^52 rounds to an integer and leaves it in the low bits.
inline constexpr double kRoundingShift = 0x1.8p52;
inline constexpr int64_t kMagnitudeBits = 0x7fff'ffff'ffff'ffff;

// cos t = 1 + z·(c1 + z·(c2 + ... + z·c8)), z = t^2, |t| <= pi/2: the Taylor
// series of cos to z^23, economised with Chebyshev polynomials on
// [0, (pi/2)^2] down to z^8 in exact rational arithmetic. Error below 4e-17;
// cos 0 comes out exactly 1, as the constant terms of a series (C = 0, B = 0
// or pi) need.
inline constexpr double kCos[] = {
    -0.4999999999999997,    0.04166666666666388,   -0.0013888888888773081, 2.4801587277429444e-05,
    -2.755731639228085e-07, 2.087656190004232e-09, -1.1462903400770852e-11, 4.608992189914223e-14,
};

// sin t = t·(1 + z·(s1 + z·(s2 + ... + z·s8))), z = t^2, |t| <= pi/2: the
// Taylor series of sin t / t to z^23, economised in the same way. Relative
// error below 3e-17; sin 0 comes out exactly 0.
inline constexpr double kSin[] = {
    -0.16666666666666666,  0.008333333333333316,   -0.00019841269841254988, 2.755731921916633e-06,
    -2.5052107617354543e-08, 1.605897733376295e-10, -7.643970924523278e-13,  2.7314520351307035e-15,
};

// All lanes of `inRange` stay set only where |x| <= kMaxFastArgument (never for NaN).
template <class D>
[[gnu::always_inline]] inline void KeepInRange(const D& x, IntLanes<D>& inRange) {
    using Int = IntLanes<D>;
    const D magnitude = __builtin_bit_cast(D, __builtin_bit_cast(Int, x) & kMagnitudeBits);
    inRange &= magnitude <= kMaxFastArgument;
}

// The sum of the lanes, from the first to the last.
template <class D>
[[gnu::always_inline]] inline double SumOfLanes(const D& x) {
    double sum = 0.0;
    for (int lane = 0; lane < kLanes<D>; ++lane) {
        sum += x[lane];
    }
    return sum;
}

// The reduction x = q·pi + t: t, and the sign bit (-1)^q in the sign position.
template <class D>
[[gnu::always_inline]] inline void Reduce(const D& x, D& t, IntLanes<D>& sign) {
    using Int = IntLanes<D>;
    const D shifted = x * kInvPi + kRoundingShift;
    const D q = shifted - kRoundingShift;
    t = x - q * kPiHi;
    t = t - q * kPiLo;
    sign = __builtin_bit_cast(Int, shifted) << 63;  // q odd
}

// p = c[0] + c[1]·z + ... + c[7]·z^7 in Estrin's order: the pairs first, then
// the pairs of pairs, so that the chain of dependent operations is three
// products long rather than seven.
template <class D>
[[gnu::always_inline]] inline void Estrin(const double (&c)[8], const D& z, D& p) {
    const D z2 = z * z;
    const D z4 = z2 * z2;
    const D low = (c[0] + c[1] * z) + (c[2] + c[3] * z) * z2;
    const D high = (c[4] + c[5] * z) + (c[6] + c[7] * z) * z2;
    p = low + high * z4;
}

template <class D>
[[gnu::always_inline]] inline void FlipSign(D& value, const IntLanes<D>& sign) {
    using Int = IntLanes<D>;
    value = __builtin_bit_cast(D, __builtin_bit_cast(Int, value) ^ sign);
}

// Replaces each lane by its cosine, |x| <= kMaxFastArgument, within 4e-16 of
// std::cos. In AVX2 code the compiler fuses products and sums into FMAs (GCC
// contracts by default); the reduction is exact either way.
template <class D>
[[gnu::always_inline]] inline void CosInPlace(D& x) {
    D t;
    IntLanes<D> sign;
    Reduce(x, t, sign);
    const D z = t * t;
    D p;
    Estrin(kCos, z, p);
    x = p * z + 1.0;
    FlipSign(x, sign);
}

// The sine and the cosine of each lane, |x| <= kMaxFastArgument, from one reduction.
template <class D>
[[gnu::always_inline]] inline void SinCos(const D& x, D& sine, D& cosine) {
    D t;
    IntLanes<D> sign;
    Reduce(x, t, sign);
    const D z = t * t;
    D p;
    Estrin(kSin, z, p);
    sine = t + t * (p * z);
    FlipSign(sine, sign);
    Estrin(kCos, z, p);
    cosine = p * z + 1.0;
    FlipSign(cosine, sign);
}

}  // namespace helune::packed

// SPDX-License-Identifier: MIT
// Sines and cosines computed two (SSE2) or four (AVX2 with FMA) at a time: of
// a few angles, and in sums of periodic terms a·sin x and b·cos x (the
// nutation's and the Moon's).
#pragma once

#include <cstdint>
#include <vector>

// The packed paths are built where GCC compiles for x86-64 (they use its
// vector extensions and x86 instructions); elsewhere the scalar path, the
// library's std::sin and std::cos, is the only one.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define HELUNE_PACKED_PATHS 1
#else
#define HELUNE_PACKED_PATHS 0
#endif

namespace helune {

// The paths of the engine's sums: Scalar, a term at a time through std::sin and
// std::cos in order; Sse2, two at a time; Avx2, four at a time, where the
// processor has AVX2 and FMA.
enum class SimdPath : int8_t { Scalar, Sse2, Avx2 };

// The path this processor runs fastest, asked of the processor once.
SimdPath FastestSimdPath();

// The paths this build can run on this processor, Scalar first.
std::vector<SimdPath> AvailableSimdPaths();

// sines[i] = sin x[i] and cosines[i] = cos x[i] for i in [0, n), on the fastest
// path: for a few angles at once. Within 4e-16 of std::sin and std::cos for
// |x| <= 2^24; a group of lanes with a larger or non-finite argument takes
// std::sin and std::cos.
void SinCos(const double* x, int n, double* sines, double* cosines);

// The same on the path named, one of AvailableSimdPaths().
void SinCosOn(SimdPath path, const double* x, int n, double* sines, double* cosines);

struct SineCosineSums {
    double sines;    // Σ a[i]·sin x[i]
    double cosines;  // Σ b[i]·cos x[i]
};

// Both sums over i in [0, n), on the fastest path. The sines and cosines are
// within 4e-16 of std::sin and std::cos for |x| <= 2^24; when an argument is
// larger or not finite, all of them are taken from std::sin and std::cos. The
// terms are added in lanes, not in the order of i, which moves a sum by a few
// units in the last place of its largest partial sum: a sum whose roundings
// matter (see VSOPEarD.cpp) cannot be made here.
SineCosineSums SumSinCos(const double* x, const double* a, const double* b, int n);

// The same on the path named, one of AvailableSimdPaths().
SineCosineSums SumSinCosOn(SimdPath path, const double* x, const double* a, const double* b, int n);

}  // namespace helune

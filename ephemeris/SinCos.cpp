// SPDX-License-Identifier: MIT
#include "SinCos.h"

#include <algorithm>
#include <cmath>

#if HELUNE_PACKED_PATHS
#include "Packed.h"
#endif

namespace helune {

namespace {

void SinCosScalar(const double* x, int n, double* sines, double* cosines) {
    for (int i = 0; i < n; ++i) {
        sines[i] = std::sin(x[i]);
        cosines[i] = std::cos(x[i]);
    }
}

// Every term through std::sin and std::cos, in order; also for arguments
// beyond the packed kernel.
[[gnu::noinline]] SineCosineSums SumSinCosScalar(const double* x, const double* a, const double* b, int n) {
    SineCosineSums sums{0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        sums.sines += a[i] * std::sin(x[i]);
        sums.cosines += b[i] * std::cos(x[i]);
    }
    return sums;
}

using SinCosRoutine = void (*)(const double* x, int n, double* sines, double* cosines);
using SumRoutine = SineCosineSums (*)(const double* x, const double* a, const double* b, int n);

#if HELUNE_PACKED_PATHS
using namespace packed;

// Adds the terms of one group of kLanes<D> to the sums; clears the lanes of
// inRange whose argument the kernel cannot take.
template <class D>
[[gnu::always_inline]] inline void AddGroup(const double* x, const double* a, const double* b, D& sines,
                                            D& cosines, IntLanes<D>& inRange) {
    D arguments, sineAmplitudes, cosineAmplitudes, s, c;
    __builtin_memcpy(&arguments, x, sizeof arguments);
    __builtin_memcpy(&sineAmplitudes, a, sizeof sineAmplitudes);
    __builtin_memcpy(&cosineAmplitudes, b, sizeof cosineAmplitudes);
    KeepInRange(arguments, inRange);
    packed::SinCos(arguments, s, c);
    sines += sineAmplitudes * s;
    cosines += cosineAmplitudes * c;
}

// The sines and cosines of one group of kLanes<D> arguments; a group with an
// argument beyond the kernel's range takes the library's functions.
template <class D>
[[gnu::always_inline]] inline void SinCosGroup(const double* x, double* sines, double* cosines) {
    D arguments, s, c;
    __builtin_memcpy(&arguments, x, sizeof arguments);
    IntLanes<D> inRange = ~IntLanes<D>{};
    KeepInRange(arguments, inRange);
    for (int lane = 0; lane < kLanes<D>; ++lane) {
        if (!inRange[lane]) return SinCosScalar(x, kLanes<D>, sines, cosines);
    }
    packed::SinCos(arguments, s, c);
    __builtin_memcpy(sines, &s, sizeof s);
    __builtin_memcpy(cosines, &c, sizeof c);
}

template <class D>
[[gnu::always_inline]] inline void SinCosPacked(const double* x, int n, double* sines, double* cosines) {
    constexpr int kGroup = kLanes<D>;
    int i = 0;
    for (; i + kGroup <= n; i += kGroup) {
        SinCosGroup<D>(x + i, sines + i, cosines + i);
    }
    if (i < n) {  // the last few, padded with zeros
        double padded[kGroup] = {}, s[kGroup], c[kGroup];
        std::copy(x + i, x + n, padded);
        SinCosGroup<D>(padded, s, c);
        std::copy(s, s + (n - i), sines + i);
        std::copy(c, c + (n - i), cosines + i);
    }
}

template <class D>
[[gnu::always_inline]] inline SineCosineSums SumPacked(const double* x, const double* a, const double* b, int n) {
    constexpr int kGroup = kLanes<D>;
    D sines{}, cosines{};
    IntLanes<D> inRange = ~IntLanes<D>{};
    int i = 0;
    for (; i + kGroup <= n; i += kGroup) {
        AddGroup(x + i, a + i, b + i, sines, cosines, inRange);
    }
    if (i < n) {  // the last few, padded with zero terms
        double paddedX[kGroup] = {}, paddedA[kGroup] = {}, paddedB[kGroup] = {};
        std::copy(x + i, x + n, paddedX);
        std::copy(a + i, a + n, paddedA);
        std::copy(b + i, b + n, paddedB);
        AddGroup(paddedX, paddedA, paddedB, sines, cosines, inRange);
    }
    for (int lane = 0; lane < kGroup; ++lane) {
        if (!inRange[lane]) return SumSinCosScalar(x, a, b, n);
    }
    return {SumOfLanes(sines), SumOfLanes(cosines)};
}

void SinCosSse2(const double* x, int n, double* sines, double* cosines) {
    SinCosPacked<Double2>(x, n, sines, cosines);
}

[[gnu::target("avx2,fma")]] void SinCosAvx2(const double* x, int n, double* sines, double* cosines) {
    SinCosPacked<Double4>(x, n, sines, cosines);
}


SineCosineSums SumSinCosSse2(const double* x, const double* a, const double* b, int n) {
    return SumPacked<Double2>(x, a, b, n);
}

[[gnu::target("avx2,fma")]] SineCosineSums SumSinCosAvx2(const double* x, const double* a, const double* b,
                                                         int n) {
    return SumPacked<Double4>(x, a, b, n);
}

bool ProcessorHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}
#endif

SinCosRoutine SinCosRoutineFor(SimdPath path) {
#if HELUNE_PACKED_PATHS
    if (path == SimdPath::Avx2) return SinCosAvx2;
    if (path == SimdPath::Sse2) return SinCosSse2;
#endif
    (void)path;
    return SinCosScalar;
}

SumRoutine SumRoutineFor(SimdPath path) {
#if HELUNE_PACKED_PATHS
    if (path == SimdPath::Avx2) return SumSinCosAvx2;
    if (path == SimdPath::Sse2) return SumSinCosSse2;
#endif
    (void)path;
    return SumSinCosScalar;
}

}  // namespace

SimdPath FastestSimdPath() {
#if HELUNE_PACKED_PATHS
    static const SimdPath fastest = ProcessorHasAvx2() ? SimdPath::Avx2 : SimdPath::Sse2;
    return fastest;
#else
    return SimdPath::Scalar;
#endif
}

std::vector<SimdPath> AvailableSimdPaths() {
    std::vector<SimdPath> paths = {SimdPath::Scalar};
#if HELUNE_PACKED_PATHS
    paths.push_back(SimdPath::Sse2);
    if (FastestSimdPath() == SimdPath::Avx2) paths.push_back(SimdPath::Avx2);
#endif
    return paths;
}

void SinCos(const double* x, int n, double* sines, double* cosines) {
    static const SinCosRoutine routine = SinCosRoutineFor(FastestSimdPath());
    routine(x, n, sines, cosines);
}

void SinCosOn(SimdPath path, const double* x, int n, double* sines, double* cosines) {
    SinCosRoutineFor(path)(x, n, sines, cosines);
}

SineCosineSums SumSinCos(const double* x, const double* a, const double* b, int n) {
    static const SumRoutine routine = SumRoutineFor(FastestSimdPath());
    return routine(x, a, b, n);
}

SineCosineSums SumSinCosOn(SimdPath path, const double* x, const double* a, const double* b, int n) {
    return SumRoutineFor(path)(x, a, b, n);
}

}  // namespace helune

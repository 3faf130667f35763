#include "SinCos.h"

#include <algorithm>
#include <cmath>

#include "Packed.h"

namespace helune {

namespace {

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
        if (!inRange[lane]) {
            for (int i = 0; i < kLanes<D>; ++i) {
                sines[i] = std::sin(x[i]);
                cosines[i] = std::cos(x[i]);
            }
            return;
        }
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

// Every term through std::sin and std::cos, for arguments beyond the kernel.
[[gnu::noinline]] SineCosineSums SumSinCosPlain(const double* x, const double* a, const double* b, int n) {
    SineCosineSums sums{0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        sums.sines += a[i] * std::sin(x[i]);
        sums.cosines += b[i] * std::cos(x[i]);
    }
    return sums;
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
        if (!inRange[lane]) return SumSinCosPlain(x, a, b, n);
    }
    return {SumOfLanes(sines), SumOfLanes(cosines)};
}

void SinCosSse2(const double* x, int n, double* sines, double* cosines) {
    SinCosPacked<Double2>(x, n, sines, cosines);
}

[[gnu::target("avx2,fma")]] void SinCosAvx2(const double* x, int n, double* sines, double* cosines) {
    SinCosPacked<Double4>(x, n, sines, cosines);
}

using SinCosRoutine = void (*)(const double* x, int n, double* sines, double* cosines);

SinCosRoutine SinCosRoutineFor(SimdPath path) { return path == SimdPath::Avx2 ? SinCosAvx2 : SinCosSse2; }

SineCosineSums SumSinCosSse2(const double* x, const double* a, const double* b, int n) {
    return SumPacked<Double2>(x, a, b, n);
}

[[gnu::target("avx2,fma")]] SineCosineSums SumSinCosAvx2(const double* x, const double* a, const double* b,
                                                         int n) {
    return SumPacked<Double4>(x, a, b, n);
}

using SumRoutine = SineCosineSums (*)(const double* x, const double* a, const double* b, int n);

SumRoutine SumRoutineFor(SimdPath path) { return path == SimdPath::Avx2 ? SumSinCosAvx2 : SumSinCosSse2; }

}  // namespace

SimdPath FastestSimdPath() {
    static const SimdPath fastest = [] {
        __builtin_cpu_init();
        const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
        return avx2 ? SimdPath::Avx2 : SimdPath::Sse2;
    }();
    return fastest;
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

// SPDX-License-Identifier: MIT
// Sums of the VSOP87 series.
//
// A series must come out as the plain loop  s += A·cos(B + C·tau)  over its
// terms in file order makes it, to 1e-12. That fixes more than it seems: L1
// opens with a term of 6283 rad against which every later term is rounded, so
// adding in any other order (in lanes, pairwise) moves L by up to 3e-11 rad at
// |tau| = 3, and so would rounding B + C·tau or A·cos(...) differently (as an
// FMA would). The additions therefore stay one after the other in file order,
// with the plain loop's roundings; what is fast is the cosines, two (SSE2) or
// four (AVX2 with FMA) at a time, written to a short buffer the additions read.
#include "VSOPEarD.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#if HELUNE_PACKED_PATHS
#include "Packed.h"
#endif

namespace helune {

namespace {

// The plain loop itself: the scalar path, and the packed paths' for |tau|
// beyond their range (about 51) or a tau that is not a number. Not inlined,
// so that it is never compiled with FMA.
[[gnu::noinline]] double SumSeriesPlain(const VsopTerm* terms, int n, double tau) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        sum += terms[i].A * std::cos(terms[i].B + terms[i].C * tau);
    }
    return sum;
}

void SumCoordinatePlain(const VsopTerm* const* series, const int16_t* counts, double tau, double* sums) {
    for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
        sums[alpha] = counts[alpha] > 0 ? SumSeriesPlain(series[alpha], counts[alpha], tau) : 0.0;
    }
}

using CoordinateSum = void (*)(const VsopTerm* const* series, const int16_t* counts, double tau,
                               double* sums);

#if HELUNE_PACKED_PATHS
using namespace packed;

// Terms per piece of a series: the products of one piece are computed while
// the additions of the one before still run.
constexpr int kPiece = 16;

// The A, B and C of the kLanes terms from `terms` on, one lane per term.
template <class D>
[[gnu::always_inline]] inline void LoadTerms(const VsopTerm* terms, D& a, D& b, D& c) {
    D t0, t1, t2;
    const double* raw = &terms[0].A;
    __builtin_memcpy(&t0, raw, sizeof t0);
    __builtin_memcpy(&t1, raw + kLanes<D>, sizeof t1);
    __builtin_memcpy(&t2, raw + 2 * kLanes<D>, sizeof t2);
    if constexpr (kLanes<D> == 4) {
        // t0 = A0 B0 C0 A1, t1 = B1 C1 A2 B2, t2 = C2 A3 B3 C3
        const D a0b0a2b2 = __builtin_shuffle(t0, t1, Int4{0, 1, 6, 7});
        const D c0a1c2a3 = __builtin_shuffle(t0, t2, Int4{2, 3, 4, 5});
        const D b1c1b3c3 = __builtin_shuffle(t1, t2, Int4{0, 1, 6, 7});
        a = __builtin_shuffle(a0b0a2b2, c0a1c2a3, Int4{0, 5, 2, 7});
        b = __builtin_shuffle(a0b0a2b2, b1c1b3c3, Int4{1, 4, 3, 6});
        c = __builtin_shuffle(c0a1c2a3, b1c1b3c3, Int4{0, 5, 2, 7});
    } else {
        // t0 = A0 B0, t1 = C0 A1, t2 = B1 C1
        a = __builtin_shuffle(t0, t1, Int2{0, 3});
        b = __builtin_shuffle(t0, t2, Int2{1, 2});
        c = __builtin_shuffle(t1, t2, Int2{0, 3});
    }
}

// The largest |tau| at which every argument B + C·tau of the series lies
// within the kernel's range: B is in [0, 2pi), |C| at most the fastest frequency.
constexpr double kMaxPackedTau = (kMaxFastArgument - 2.0 * std::numbers::pi) / kVsopFastestFrequency;

// A·cos(B + C·tau) of kLanes terms into out.
template <class D>
[[gnu::always_inline]] inline void GroupProducts(const VsopTerm* terms, double tau, double* out) {
    D a, b, c;
    LoadTerms(terms, a, b, c);
    // The empty asm statement hides C·tau from the compiler, which would fuse
    // it with the addition into an FMA: the argument must be rounded twice,
    // as in the plain loop.
    D scaled = c * tau;
    asm("" : "+x"(scaled));
    D x = b + scaled;
    CosInPlace(x);
    const D product = a * x;
    __builtin_memcpy(out, &product, sizeof product);
}

// A·cos(B + C·tau) of terms[0, n) into out[0, n); out has room for
// max(n, kLanes) values. No term outside [0, n) is read.
template <class D>
[[gnu::always_inline]] inline void Products(const VsopTerm* terms, int n, double tau, double* out) {
    constexpr int kGroup = kLanes<D>;
    if (n < kGroup) {  // a series shorter than a group: pad it with zero terms
        VsopTerm padded[kGroup] = {};
        std::copy(terms, terms + n, padded);
        GroupProducts<D>(padded, tau, out);
        return;
    }
    int i = 0;
    for (; i + kGroup <= n; i += kGroup) {
        GroupProducts<D>(terms + i, tau, out + i);
    }
    if (i < n) {  // the last kGroup terms, overlapping the group before
        GroupProducts<D>(terms + n - kGroup, tau, out + n - kGroup);
    }
}

template <class D>
[[gnu::always_inline]] inline double SumSeries(const VsopTerm* terms, int n, double tau) {
    alignas(32) double products[kPiece + kLanes<D>];
    double sum = 0.0;
    for (int start = 0, length = 0; start < n; start += length) {
        // The last piece takes the few terms past a whole one, so that no
        // piece is shorter than a group unless the series is.
        length = n - start < kPiece + kLanes<D> ? n - start : kPiece;
        Products<D>(terms + start, length, tau, products);
        for (int i = 0; i < length; ++i) {
            sum += products[i];
        }
    }
    return sum;
}

// The sum of each series alpha of one coordinate into sums[alpha].
template <class D>
[[gnu::always_inline]] inline void SumCoordinate(const VsopTerm* const* series, const int16_t* counts,
                                                 double tau, double* sums) {
    for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
        sums[alpha] = counts[alpha] > 0 ? SumSeries<D>(series[alpha], counts[alpha], tau) : 0.0;
    }
}

void SumCoordinateSse2(const VsopTerm* const* series, const int16_t* counts, double tau, double* sums) {
    SumCoordinate<Double2>(series, counts, tau, sums);
}

[[gnu::target("avx2,fma")]] void SumCoordinateAvx2(const VsopTerm* const* series, const int16_t* counts,
                                                   double tau, double* sums) {
    SumCoordinate<Double4>(series, counts, tau, sums);
}

// The packed paths take the plain loop beyond this |tau|.
constexpr double kPlainBeyondTau = kMaxPackedTau;
#else
constexpr double kPlainBeyondTau = 0.0;
#endif

CoordinateSum CoordinateSumFor(VsopPath path) {
#if HELUNE_PACKED_PATHS
    if (path == VsopPath::Avx2) return SumCoordinateAvx2;
    if (path == VsopPath::Sse2) return SumCoordinateSse2;
#endif
    (void)path;
    return SumCoordinatePlain;
}

double Evaluate(CoordinateSum sumCoordinate, Row body, Element set, double tau) {
    const int row = RowIndex(body);
    if (row < 0 || row >= kVsopRows) {
        return 0.0;
    }
    const VsopTerm* const* series;
    const int16_t* counts;
    switch (set) {
        case kVsopSetL: series = VsopSeriesL[row]; counts = VsopCountL[row]; break;
        case kVsopSetB: series = VsopSeriesB[row]; counts = VsopCountB[row]; break;
        case kVsopSetR: series = VsopSeriesR[row]; counts = VsopCountR[row]; break;
        default: return 0.0;
    }
    double sums[kVsopPowers];
    const bool inRange = std::fabs(tau) <= kPlainBeyondTau;  // false for NaN too
    (inRange ? sumCoordinate : SumCoordinatePlain)(series, counts, tau, sums);
    double total = 0.0;
    double power = 1.0;  // tau^alpha
    for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
        if (counts[alpha] > 0) {
            total += sums[alpha] * power;
        }
        power *= tau;
    }
    return total;
}

}  // namespace

double EvalVSOP(Row row, Element set, double tau) {
    static const CoordinateSum sumCoordinate = CoordinateSumFor(FastestSimdPath());
    return Evaluate(sumCoordinate, row, set, tau);
}

double EvalVSOPOn(VsopPath path, Row row, Element set, double tau) {
    return Evaluate(CoordinateSumFor(path), row, set, tau);
}

}  // namespace helune

// SPDX-License-Identifier: MIT
#include <algorithm>
#include <iterator>

#include "Positions.h"
#include "SinCos.h"

namespace helune {

namespace {

constexpr double kMeanDistanceKm = 385000.56;

// The arguments of the theory at one instant: radians, but for the mean
// longitude in degrees and the eccentricity factor E.
struct Arguments {
    double meanLongitude;
    double E;
    double Lp, D, M, Mp, F;
    double A1, A2, A3;  // from Venus, Jupiter and the flattening of the Earth
};

Arguments ArgumentsAt(JulianDay jd) {
    const double T = JulianCenturies(jd);
    Arguments a{};
    a.meanLongitude = LunaArg(MeanArgument::MeanLongitude, jd);
    a.E = 1.0 - 0.002516 * T - 0.0000074 * T * T;
    a.Lp = DegToRad(a.meanLongitude);
    a.D = DegToRad(LunaArg(MeanArgument::Elongation, jd));
    a.M = DegToRad(LunaArg(MeanArgument::SunAnomaly, jd));
    a.Mp = DegToRad(LunaArg(MeanArgument::MoonAnomaly, jd));
    a.F = DegToRad(LunaArg(MeanArgument::Latitude, jd));
    a.A1 = DegToRad(ReduceAngle(119.75 + 131.849 * T, 360.0));
    a.A2 = DegToRad(ReduceAngle(53.09 + 479264.29 * T, 360.0));
    a.A3 = DegToRad(ReduceAngle(313.45 + 481266.484 * T, 360.0));
    return a;
}

// The multiples -4·x ... 4·x of an argument x. The multipliers of tables 47.A
// and 47.B lie within ±4, so that the argument of a term is the sum of four
// such multiples: the very products a multiplication by the multiplier gives,
// without converting it.
constexpr int kMaxMultiplier = 4;
struct Multiples {
    double of[2 * kMaxMultiplier + 1];
    explicit Multiples(double x) {
        for (int m = -kMaxMultiplier; m <= kMaxMultiplier; ++m) of[m + kMaxMultiplier] = m * x;
    }
    double operator[](int16_t m) const { return of[m + kMaxMultiplier]; }
};

// The argument m0·D + m1·M + m2·M′ + m3·F of a term with multipliers m.
struct TermArguments {
    Multiples D, M, Mp, F;
    explicit TermArguments(const Arguments& a) : D(a.D), M(a.M), Mp(a.Mp), F(a.F) {}
    double operator()(const int16_t (&m)[4]) const { return D[m[0]] + M[m[1]] + Mp[m[2]] + F[m[3]]; }
};

// E^|m| for the multiplier m = -2 ... 2 of the Sun's anomaly M: the eccentricity
// factor of the terms that depend on it.
struct EccentricityFactors {
    double of[5];
    explicit EccentricityFactors(double E) : of{E * E, E, 1.0, E, E * E} {}
    double operator()(int16_t m) const { return of[m + 2]; }
};

// Σ of the terms of table 47.A and the three additive terms of the longitude:
// in sines the longitude (degrees), in cosines the distance (km) less its mean.
SineCosineSums LongitudeAndDistance(const Arguments& a) {
    constexpr int kCount = kLunaTerms + 3;
    const TermArguments argument(a);
    const EccentricityFactors e(a.E);
    double x[kCount], longitude[kCount], distance[kCount];
    for (int i = 0; i < kLunaTerms; ++i) {
        x[i] = argument(LunaTermsLR[i]);
        longitude[i] = LunaAmplitudesLR[i][0] * e(LunaTermsLR[i][1]);
        distance[i] = LunaAmplitudesLR[i][1] * e(LunaTermsLR[i][1]);
    }
    const double additiveX[] = {a.A1, a.A2, a.Lp - a.F};
    const double additiveLongitude[] = {0.003958, 0.000318, 0.001962};
    std::copy(std::begin(additiveX), std::end(additiveX), x + kLunaTerms);
    std::copy(std::begin(additiveLongitude), std::end(additiveLongitude), longitude + kLunaTerms);
    std::fill_n(distance + kLunaTerms, kCount - kLunaTerms, 0.0);
    return SumSinCos(x, longitude, distance, kCount);
}

// Σ of the terms of table 47.B and the six additive terms: the latitude, degrees.
double Latitude(const Arguments& a) {
    constexpr int kCount = kLunaTerms + 6;
    const TermArguments argument(a);
    const EccentricityFactors e(a.E);
    static constexpr double kNoCosines[kCount] = {};
    double x[kCount], latitude[kCount];
    for (int i = 0; i < kLunaTerms; ++i) {
        x[i] = argument(LunaTermsB[i]);
        latitude[i] = LunaAmplitudesB[i] * e(LunaTermsB[i][1]);
    }
    const double additiveX[] = {a.Lp, a.A3, a.A1 - a.F, a.A1 + a.F, a.Lp - a.Mp, a.Lp + a.Mp};
    const double additiveLatitude[] = {-0.002235, 0.000382, 0.000175, 0.000175, 0.000127, -0.000115};
    std::copy(std::begin(additiveX), std::end(additiveX), x + kLunaTerms);
    std::copy(std::begin(additiveLatitude), std::end(additiveLatitude), latitude + kLunaTerms);
    return SumSinCos(x, latitude, kNoCosines, kCount).sines;
}

// λ in degrees, [0, 360], mean equinox of date, from the sum of the longitude terms.
double LongitudeOf(const Arguments& a, double sum) { return ReduceAngle(a.meanLongitude + sum, 360.0); }

}  // namespace

// Meeus, Astronomical Algorithms, 2nd ed., ch. 47, with the mean arguments of
// LunaArgs. Geocentric, mean equinox of date, no light time or aberration.
EclipticPosition LunaEcliptic(int16_t flags, JulianDay jd, double nutationInLongitude) {
    const Arguments a = ArgumentsAt(jd);
    const SineCosineSums lr = LongitudeAndDistance(a);
    double lambda = LongitudeOf(a, lr.sines);
    if (flags & efNutation) lambda = ReduceAngle(lambda + nutationInLongitude, 360.0);
    return {lambda, Latitude(a), (kMeanDistanceKm + lr.cosines) / kLunaKmPerAU};
}

EclipticPosition LunaEcliptic(int16_t flags, JulianDay jd) {
    return LunaEcliptic(flags, jd, flags & efNutation ? NutationAt(jd).longitude : 0.0);
}

double LunaLongitude(JulianDay jd) {
    const Arguments a = ArgumentsAt(jd);
    return LongitudeOf(a, LongitudeAndDistance(a).sines);
}

double CalcLuna(Quantity quantity, int16_t flags, double longitude, double latitude, JulianDay jd) {
    if (quantity < Quantity::EclipticLongitude || quantity > Quantity::Azimuth) return 0.0;
    // The elongation always takes the nutated longitude.
    const int16_t positionFlags = quantity == Quantity::Elongation ? static_cast<int16_t>(flags | efNutation) : flags;
    const EarthOrientation orientation = EarthOrientationAt(jd, ReadsNutation(quantity, positionFlags));
    const EclipticPosition p = LunaEcliptic(positionFlags, jd, orientation.nutation.longitude);
    return GeocentricQuantity(quantity, flags, p, longitude, latitude, orientation, jd);
}

double CalcLuna(MeanArgument argument, JulianDay jd) { return LunaArg(argument, jd); }

}  // namespace helune

#include <cmath>
#include <cstdlib>

#include "Positions.h"

namespace helune {

namespace {

constexpr double kMeanDistanceKm = 385000.56;
// The kilometres per astronomical unit of the Moon's distance; not the IAU value.
constexpr double kKmPerAU = 149504201.0;

// E^|m|: the eccentricity factor for the terms that depend on the Sun's anomaly.
double EccentricityFactor(double E, int16_t m) {
    switch (std::abs(m)) {
        case 0: return 1.0;
        case 1: return E;
        default: return E * E;
    }
}

double Argument(const int16_t (&multipliers)[4], double D, double M, double Mp, double F) {
    return multipliers[0] * D + multipliers[1] * M + multipliers[2] * Mp + multipliers[3] * F;
}

}  // namespace

// Meeus, Astronomical Algorithms, 2nd ed., ch. 47, with the mean arguments of
// LunaArgs. Geocentric, mean equinox of date, no light time or aberration.
EclipticPosition LunaEcliptic(int16_t flags, JulianDay jd) {
    const double T = JulianCenturies(jd);
    const double A1 = DegToRad(ReduceAngle(119.75 + 131.849 * T, 360.0));
    const double A2 = DegToRad(ReduceAngle(53.09 + 479264.29 * T, 360.0));
    const double A3 = DegToRad(ReduceAngle(313.45 + 481266.484 * T, 360.0));
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T * T;
    const double meanLongitude = LunaArg(0, jd);
    const double Lp = DegToRad(meanLongitude);
    const double D = DegToRad(LunaArg(1, jd));
    const double M = DegToRad(LunaArg(2, jd));
    const double Mp = DegToRad(LunaArg(3, jd));
    const double F = DegToRad(LunaArg(4, jd));

    double sumL = 0.0, sumR = 0.0, sumB = 0.0;
    for (int i = 0; i < kLunaTerms; ++i) {
        const double argument = Argument(LunaTermsLR[i], D, M, Mp, F);
        const double e = EccentricityFactor(E, LunaTermsLR[i][1]);
        sumL += LunaAmplitudesLR[i][0] * e * std::sin(argument);
        sumR += LunaAmplitudesLR[i][1] * e * std::cos(argument);
        const double argumentB = Argument(LunaTermsB[i], D, M, Mp, F);
        sumB += LunaAmplitudesB[i] * EccentricityFactor(E, LunaTermsB[i][1]) * std::sin(argumentB);
    }
    // Additive terms: A1 from Venus, A2 from Jupiter, L′ − F from the flattening
    // of the Earth.
    sumL += 0.003958 * std::sin(A1) + 0.000318 * std::sin(A2) + 0.001962 * std::sin(Lp - F);
    sumB += -0.002235 * std::sin(Lp) + 0.000382 * std::sin(A3) + 0.000175 * std::sin(A1 - F) +
            0.000175 * std::sin(A1 + F) + 0.000127 * std::sin(Lp - Mp) - 0.000115 * std::sin(Lp + Mp);

    double lambda = ReduceAngle(meanLongitude + sumL, 360.0);
    if (flags & efNutation) lambda = ReduceAngle(lambda + Nutation(0, jd), 360.0);
    return {lambda, sumB, (kMeanDistanceKm + sumR) / kKmPerAU};
}

double CalcLuna(int16_t index, int16_t flags, double longitude, double latitude, JulianDay jd) {
    if (index >= 0 && index < kLunaArgCount) return LunaArg(index, jd);
    if (index < 9 || index > 17) return 0.0;
    // The elongation always takes the nutated longitude.
    const int16_t positionFlags = index == 15 ? static_cast<int16_t>(flags | efNutation) : flags;
    return GeocentricQuantity(index, flags, LunaEcliptic(positionFlags, jd), longitude, latitude, jd);
}

}  // namespace helune

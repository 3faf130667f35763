// SPDX-License-Identifier: MIT
#include "Frames.h"

#include <cmath>
#include <limits>

#include "Polynomial.h"
#include "SinCos.h"

namespace helune {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// A magnitude up to which ReduceAngle walks whole turns one by one, as its
// definition does; beyond it the exact remainder gives the same answer without
// the walk (see ReduceAngle).
constexpr double kTurnsWalked = 64.0;


// Mean obliquity after Laskar (1986), arcseconds per power of U = T/100.
constexpr double kObliquityCoefficients[] = {
    84381.448, -4680.93, -1.55, 1999.25, -51.38, -249.67, -39.05, 7.12, 27.87, 5.79, 2.45,
};

// Mean sidereal time at Greenwich: degrees per power of T, and the daily rate.
constexpr double kSiderealCoefficients[] = {280.46061837, 0.0, 0.000387933, -2.583312e-8};

}  // namespace

// One multiplication by a factor held in extended precision, rather than a
// multiplication and a division: the conversions are on every path.
constexpr long double kDegreesPerRadian = 180.0L / kPi;
constexpr long double kRadiansPerDegree = kPi / 180.0L;
constexpr long double kHoursPerRadian = 12.0L / kPi;

double RadToDeg(double x) { return static_cast<double>(x * kDegreesPerRadian); }
double DegToRad(double x) { return static_cast<double>(x * kRadiansPerDegree); }
double RadToHours(double x) { return static_cast<double>(x * kHoursPerRadian); }
double DegToHours(double x) { return x * 24.0 / 360.0; }
double HoursToDeg(double x) { return x * 360.0 / 24.0; }

double JulianCenturies(JulianDay jd) {
    if (jd == kJ2000) return 1e-9;
    return (jd - kJ2000) / 36525.0;
}

// Near the range the turns are walked one by one, as the definition says, so
// every bit of the answer is the definition's. Further out std::fmod gives the
// exact remainder in constant time: for the integer moduli (360, 180, 24, 1)
// every subtraction of the walk is exact as well, so the two agree to the bit;
// for 2π, whose walk rounds, the exact remainder is the better of the two. Only
// the boundaries need care: a positive multiple stays at the modulus, a negative
// one ends at 0, and a non-finite value, on which the walk would never end, is
// answered with NaN.
double ReduceAngle(double value, double modulus) {
    if (!std::isfinite(value) || !std::isfinite(modulus) || !(modulus > 0.0))
        return std::numeric_limits<double>::quiet_NaN();

    if (std::fabs(value) <= kTurnsWalked * modulus) {
        while (value > modulus) value -= modulus;
        while (value < 0.0) value += modulus;
        return value;
    }
    const double remainder = std::fmod(value, modulus);  // exact, sign of value
    if (value > 0.0) return remainder == 0.0 ? modulus : remainder;
    return remainder == 0.0 ? 0.0 : remainder + modulus;
}

double MeanObliquity(JulianDay jd) {
    const double U = JulianCenturies(jd) / 100.0;
    return ReduceAngle(Polynomial(kObliquityCoefficients, U) / 3600.0, 360.0);
}

// Mean arguments of the Moon's motion, degrees per power of T.
const double LunaArgs[kLunaArgCount][5] = {
    {218.3164591, 481267.88134236, -0.0013268, 1.855835e-06, -1.5339e-08},        // L′
    {297.8502042, 445267.1115168, -0.00163, 1.83194472e-06, -8.84447e-09},        // D
    {357.5291092, 35999.0502909, -0.0001536, 4.0833e-08, 0},                      // M
    {134.9634114, 477198.8676313, 0.008997, 1.434740814e-05, -6.797172e-08},      // M′
    {93.2720993, 483202.0175273, -0.0034029, -2.8360748e-07, 1.15833e-09},        // F
    {125.044555, -1934.1361849, 0.0020762, 6.66666666e-06, -1.649729e-08},        // Ω
    {83.353243, 4069.0137111, -0.0103238, -1.249172423e-05, 5.263435e-08},        // perigee
};

double LunaArg(MeanArgument argument, JulianDay jd) {
    const int index = static_cast<int>(argument);
    if (index < 0 || index >= kLunaArgCount) return 0.0;
    return ReduceAngle(Polynomial(LunaArgs[index], JulianCenturies(jd)), 360.0);
}

// IAU 1980 nutation: multipliers of D, M, M′, F, Ω; Δψ ″ and rate; Δε ″ and rate.
constexpr NutationTerm NutationTable[kNutationTerms] = {
    {0, 0, 0, 0, 1, -17.1996, -174.2, 9.2025, 8.9},   // 1
    {-2, 0, 0, 2, 2, -1.3187, -1.6, 0.5736, -3.1},    // 2
    {0, 0, 0, 2, 2, -0.2274, -0.2, 0.0977, -0.5},     // 3
    {0, 0, 0, 0, 2, 0.2062, 0.2, -0.0895, 0.5},       // 4
    {0, 1, 0, 0, 0, 0.1426, -3.4, 0.0054, -0.1},      // 5
    {0, 0, 1, 0, 0, 0.0712, 0.1, -0.0007, 0},         // 6
    {-2, 1, 0, 2, 2, -0.0517, 1.2, 0.0224, -0.6},     // 7
    {0, 0, 0, 2, 1, -0.0386, -0.4, 0.02, 0},          // 8
    {0, 0, 1, 2, 2, -0.0301, 0, 0.0129, -0.1},        // 9
    {-2, -1, 0, 2, 2, 0.0217, -0.5, -0.0095, 0.3},    // 10
    {-2, 0, 1, 0, 0, -0.0158, 0, 0, 0},               // 11
    {-2, 0, 0, 2, 1, 0.0129, 0.1, -0.007, 0},         // 12
    {0, 0, -1, 2, 2, 0.0123, 0, -0.0053, 0},          // 13
    {2, 0, 0, 0, 0, 0.0063, 0, 0, 0},                 // 14
    {0, 0, 1, 0, 1, 0.0063, 0.1, -0.0033, 0},         // 15
    {2, 0, -1, 2, 2, -0.0059, 0, 0.0026, 0},          // 16
    {0, 0, -1, 0, 1, -0.0058, -0.1, 0.0032, 0},       // 17
    {0, 0, 1, 2, 1, -0.0051, 0, 0.0027, 0},           // 18
    {-2, 0, 2, 0, 0, 0.0048, 0, 0, 0},                // 19
    {0, 0, -2, 2, 1, 0.0046, 0, -0.0024, 0},          // 20
    {2, 0, 0, 2, 2, -0.0038, 0, 0.0016, 0},           // 21
    {0, 0, 2, 2, 2, -0.0031, 0, 0.0013, 0},           // 22
    {0, 0, 2, 0, 0, 0.0029, 0, 0, 0},                 // 23
    {-2, 0, 1, 2, 2, 0.0029, 0, -0.0012, 0},          // 24
    {0, 0, 0, 2, 0, 0.0026, 0, 0, 0},                 // 25
    {-2, 0, 0, 2, 0, -0.0022, 0, 0, 0},               // 26
    {0, 0, -1, 2, 1, 0.0021, 0, -0.001, 0},           // 27
    {0, 2, 0, 0, 0, 0.0017, -0.1, 0, 0},              // 28
    {2, 0, -1, 0, 1, 0.0016, 0, -0.0008, 0},          // 29
    {-2, 2, 0, 2, 2, -0.0016, 0.1, 0.0007, 0},        // 30
    {0, 1, 0, 0, 1, -0.0015, 0, 0.0009, 0},           // 31
    {-2, 0, 1, 0, 1, -0.0013, 0, 0.0007, 0},          // 32
    {0, -1, 0, 0, 1, -0.0012, 0, 0.0006, 0},          // 33
    {0, 0, 2, -2, 0, 0.0011, 0, 0, 0},                // 34
    {2, 0, -1, 2, 1, -0.001, 0, 0.0005, 0},           // 35
    {2, 0, 1, 2, 2, -0.0008, 0, 0.0003, 0},           // 36
    {0, 1, 0, 2, 2, 0.0007, 0, -0.0003, 0},           // 37
    {-2, 1, 1, 0, 0, -0.0007, 0, 0, 0},               // 38
    {0, -1, 0, 2, 2, -0.0007, 0, 0.0003, 0},          // 39
    {2, 0, 0, 2, 1, -0.0007, 0, 0.0003, 0},           // 40
    {2, 0, 1, 0, 0, 0.0006, 0, 0, 0},                 // 41
    {-2, 0, 2, 2, 2, 0.0006, 0, -0.0003, 0},          // 42
    {-2, 0, 1, 2, 1, 0.0006, 0, -0.0003, 0},          // 43
    {2, 0, -2, 0, 1, -0.0006, 0, 0.0003, 0},          // 44
    {2, 0, 0, 0, 1, -0.0006, 0, 0.0003, 0},           // 45
    {0, -1, 1, 0, 0, 0.0005, 0, 0, 0},                // 46
    {-2, -1, 0, 2, 1, -0.0005, 0, 0.0003, 0},         // 47
    {-2, 0, 0, 0, 1, -0.0005, 0, 0.0003, 0},          // 48
    {0, 0, 2, 2, 1, -0.0005, 0, 0.0003, 0},           // 49
    {-2, 0, 2, 0, 1, 0.0004, 0, 0, 0},                // 50
    {-2, 1, 0, 2, 1, 0.0004, 0, 0, 0},                // 51
    {0, 0, 1, -2, 0, 0.0004, 0, 0, 0},                // 52
    {-1, 0, 1, 0, 0, -0.0004, 0, 0, 0},               // 53
    {-2, 1, 0, 0, 0, -0.0004, 0, 0, 0},               // 54
    {1, 0, 0, 0, 0, -0.0004, 0, 0, 0},                // 55
    {0, 0, 1, 2, 0, 0.0003, 0, 0, 0},                 // 56
    {0, 0, -2, 2, 2, -0.0003, 0, 0, 0},               // 57
    {-1, -1, 1, 0, 0, -0.0003, 0, 0, 0},              // 58
    {0, 1, 1, 0, 0, -0.0003, 0, 0, 0},                // 59
    {0, -1, 1, 2, 2, -0.0003, 0, 0, 0},               // 60
    {0, -1, -1, 2, 2, -0.0003, 0, 0, 0},              // 61
    {0, 0, 3, 2, 2, -0.0003, 0, 0, 0},                // 62
    {2, -1, 0, 2, 2, -0.0003, 0, 0, 0},               // 63
};

namespace {

// The table as columns of doubles, padded with zero terms to a whole number of
// packed groups, so that the loops of NutationAt run in lanes.
constexpr int kNutationColumns = 64;
struct NutationColumns {
    double D[kNutationColumns], M[kNutationColumns], Mp[kNutationColumns], F[kNutationColumns],
        Omega[kNutationColumns];
    double psi[kNutationColumns], psiRate[kNutationColumns], eps[kNutationColumns], epsRate[kNutationColumns];
};

constexpr NutationColumns ColumnsOf(const NutationTerm (&table)[kNutationTerms]) {
    NutationColumns c{};
    for (int i = 0; i < kNutationTerms; ++i) {
        const NutationTerm& n = table[i];
        c.D[i] = n.D;
        c.M[i] = n.M;
        c.Mp[i] = n.Mp;
        c.F[i] = n.F;
        c.Omega[i] = n.Omega;
        c.psi[i] = n.psi;
        c.psiRate[i] = n.psiRate;
        c.eps[i] = n.eps;
        c.epsRate[i] = n.epsRate;
    }
    return c;
}

constexpr NutationColumns kNutation = ColumnsOf(NutationTable);

}  // namespace

NutationAngles NutationAt(JulianDay jd) {
    const double T = JulianCenturies(jd);
    const double D = DegToRad(LunaArg(MeanArgument::Elongation, jd)), M = DegToRad(LunaArg(MeanArgument::SunAnomaly, jd)),
                 Mp = DegToRad(LunaArg(MeanArgument::MoonAnomaly, jd)), F = DegToRad(LunaArg(MeanArgument::Latitude, jd)),
                 Omega = DegToRad(LunaArg(MeanArgument::Node, jd));
    const NutationColumns& c = kNutation;
    double arguments[kNutationColumns], psi[kNutationColumns], eps[kNutationColumns];
    for (int i = 0; i < kNutationColumns; ++i) {
        arguments[i] = c.D[i] * D + c.M[i] * M + c.Mp[i] * Mp + c.F[i] * F + c.Omega[i] * Omega;
        psi[i] = c.psi[i] + c.psiRate[i] * T * 0.0001;
        eps[i] = c.eps[i] + c.epsRate[i] * T * 0.0001;
    }
    const SineCosineSums sums = SumSinCos(arguments, psi, eps, kNutationColumns);
    return {sums.sines / 3600.0, sums.cosines / 3600.0};
}

double Nutation(NutationKind kind, JulianDay jd) {
    if (kind == NutationKind::Longitude) return NutationAt(jd).longitude;
    if (kind == NutationKind::Obliquity) return NutationAt(jd).obliquity;
    return 0.0;
}

// Meeus, Astronomical Algorithms, ch. 12.
double MeanSiderealDegrees(JulianDay jd) {
    const double T = JulianCenturies(jd);
    return ReduceAngle(Polynomial(kSiderealCoefficients, T) + kSiderealDegreesPerDay * (jd - kJ2000), 360.0);
}

// The equation of the equinoxes Δψ·cos ε turns the mean into the apparent
// sidereal time.
EarthOrientation EarthOrientationAt(JulianDay jd, bool withNutation) {
    const double mean = MeanSiderealDegrees(jd);
    EarthOrientation o{MeanObliquity(jd), {0.0, 0.0}, 0.0};
    if (withNutation) o.nutation = NutationAt(jd);
    const double trueObliquity = o.meanObliquity + o.nutation.obliquity;
    const double apparent = mean + o.nutation.longitude * std::cos(DegToRad(trueObliquity));
    o.siderealTime = ReduceAngle(apparent / 15.0, 24.0);
    return o;
}

EarthOrientation EarthOrientationAt(DynamicalTime dynamical, UniversalTime universal) {
    EarthOrientation o{MeanObliquity(dynamical.jd), NutationAt(dynamical.jd), 0.0};
    const double trueObliquity = o.meanObliquity + o.nutation.obliquity;
    const double apparent = MeanSiderealDegrees(universal.jd) + o.nutation.longitude * std::cos(DegToRad(trueObliquity));
    o.siderealTime = ReduceAngle(apparent / 15.0, 24.0);
    return o;
}

double SiderealTime(JulianDay jd) { return EarthOrientationAt(jd).siderealTime; }

double Obliquity(const EarthOrientation& orientation, int16_t flags) {
    if (flags & efNutation) return orientation.meanObliquity + orientation.nutation.obliquity;
    return orientation.meanObliquity;
}

// The three sines and cosines go through the packed kernel together.
EquatorialPosition EquatorialOf(double lambda, double beta, double obliquity) {
    const double angles[] = {DegToRad(lambda), DegToRad(beta), DegToRad(obliquity)};
    double sine[3], cosine[3];
    SinCos(angles, 3, sine, cosine);
    const double sinL = sine[0], cosL = cosine[0], sinB = sine[1], cosB = cosine[1], sinE = sine[2],
                 cosE = cosine[2];
    const double delta = std::asin(sinB * cosE + cosB * sinE * sinL);
    const double alpha = std::atan2(sinL * cosE - sinB / cosB * sinE, cosL);
    return {ReduceAngle(RadToDeg(alpha), 360.0), RadToDeg(delta)};
}

double HourAngle(double siderealTime, double longitude, double alpha) {
    return ReduceAngle(siderealTime - DegToHours(longitude) - DegToHours(alpha), 24.0);
}

double EclipticToEquatorial(Quantity kind, int16_t flags, double lambda, double beta,
                            double longitude, double /*latitude*/, JulianDay jd) {
    if (kind != Quantity::RightAscension && kind != Quantity::HourAngle && kind != Quantity::Declination) return 0.0;
    const EarthOrientation o = EarthOrientationAt(jd, (flags & efNutation) || kind == Quantity::HourAngle);
    const EquatorialPosition p = EquatorialOf(lambda, beta, Obliquity(o, flags));
    if (kind == Quantity::Declination) return p.delta;
    if (kind == Quantity::RightAscension) return p.alpha;
    return HourAngle(o.siderealTime, longitude, p.alpha);
}

double ParallacticAngle(double hourAngle, double delta, double latitude) {
    const double h = DegToRad(hourAngle * 15.0), d = DegToRad(delta), phi = DegToRad(latitude);
    return RadToDeg(std::atan2(std::sin(h), std::tan(phi) * std::cos(d) - std::sin(d) * std::cos(h)));
}

double BrightLimbAngle(const EquatorialPosition& sun, const EquatorialPosition& moon) {
    const double a0 = DegToRad(sun.alpha), d0 = DegToRad(sun.delta);
    const double a = DegToRad(moon.alpha), d = DegToRad(moon.delta);
    const double chi = std::atan2(std::cos(d0) * std::sin(a0 - a),
                                  std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(a0 - a));
    return ReduceAngle(RadToDeg(chi), 360.0);
}

// Meeus, Astronomical Algorithms, ch. 13: azimuth from the South, positive West.
double HorizontalOf(Quantity kind, double alpha, double delta, double longitude, double latitude,
                    double siderealTime) {
    if (kind != Quantity::Altitude && kind != Quantity::Azimuth) return 0.0;
    const double H = DegToRad(ReduceAngle(HoursToDeg(siderealTime) - longitude - alpha, 360.0));
    const double d = DegToRad(delta);
    const double phi = DegToRad(latitude);
    if (kind == Quantity::Azimuth)
        return RadToDeg(std::atan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(d) * std::cos(phi)));
    return RadToDeg(std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(H)));
}

double EquatorialToHorizontal(Quantity kind, double alpha, double delta, double longitude,
                              double latitude, JulianDay jd) {
    if (kind != Quantity::Altitude && kind != Quantity::Azimuth) return 0.0;
    return HorizontalOf(kind, alpha, delta, longitude, latitude, SiderealTime(jd));
}

}  // namespace helune

// SPDX-License-Identifier: MIT
#include <cmath>

#include "Positions.h"
#include "VSOPEarD.h"

namespace helune {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Light time for one astronomical unit, days.
constexpr double kLightTimePerAU = 0.0057755183;

// The constant of aberration, 20.49552″, in degrees.
constexpr double kAberrationConstant = 0.0056932;

// Heliocentric spherical coordinates: L and B in radians, R in AU.
struct Heliocentric {
    double L, B, R;
};

// Which of a row's heliocentric coordinates to sum, each a series of its own.
struct Coordinates {
    bool L, B, R;
};
constexpr Coordinates kAllCoordinates{true, true, true};

// The coordinates asked for; the others are left at L = B = 0 and R = 1, a
// unit distance that keeps the direction of what is computed from them.
Heliocentric HeliocentricAt(Row row, JulianDay jd, Coordinates wanted = kAllCoordinates) {
    return {wanted.L ? DegToRad(HelioElement(row, kVsopSetL, jd)) : 0.0,
            wanted.B ? DegToRad(HelioElement(row, kVsopSetB, jd)) : 0.0,
            wanted.R ? HelioElement(row, kVsopSetR, jd) : 1.0};
}

// The corrections of flags on the geocentric β, λ (radians) and Δ, and the
// position in degrees with only the parts asked for.
EclipticPosition Corrected(int16_t flags, JulianDay jd, double beta, double lambda, double delta,
                           double sunLongitude, double nutationInLongitude, PositionParts parts) {
    if (flags & efAberration) Aberration(beta, lambda, jd, sunLongitude);
    if (flags & efFK5) FK5Correction(beta, lambda, jd);
    if (flags & efNutation) lambda += DegToRad(nutationInLongitude);
    return {ReduceAngle(RadToDeg(lambda), 360.0), parts == PositionParts::Longitude ? 0.0 : RadToDeg(beta),
            parts == PositionParts::Full ? delta : 0.0};
}

// Within 50 millennia of J2000 the series keep R above 0.74 AU and |B| below
// 0.0012 rad (sampled every 0.25 year), so that the direction of the Sun does
// not depend on R, nor its longitude on B; further out R turns negative.
constexpr double kWithinSpanDays = 50.0 * 365250.0;

// The Earth's mean motion in longitude, radians per day (table 31.A: 36000.7698231°
// per Julian century).
constexpr double kEarthMeanMotion = 36000.7698231 / 36525.0 * kPi / 180.0;

// The Sun, at the origin of the Earth's heliocentric coordinates. A series that
// no part asked for reads is not summed, which moves λ and β by rounding only;
// far outside the theory's span, where R or cos B may turn negative and flip
// the direction, every series is summed.
//
// With the light-time step the Earth's coordinates at jd serve only the
// distance that gives the light time τ, and the aberration's solar longitude:
// that is taken from the Earth's longitude at jd − τ moved on by its mean
// motion over τ. The true motion differs from the mean by at most 2e, 3.4%, of
// the 1e-4 rad the Earth moves in τ; the aberration reads the solar longitude
// through κ·cos(⊙ − λ) with ⊙ − λ itself about 1e-4 rad, so the error of 3.4e-6
// rad moves λ by less than 1e-13 rad.
EclipticPosition SunEcliptic(int16_t flags, JulianDay jd, double nutationInLongitude, PositionParts parts) {
    const bool lightTime = flags & efLightTime;
    const bool withinSpan = std::fabs(jd - kJ2000) <= kWithinSpanDays;
    // The aberration and the FK5 correction read β.
    const bool latitude = parts != PositionParts::Longitude || !withinSpan || (flags & (efAberration | efFK5));
    const bool distance = parts == PositionParts::Full || !withinSpan;
    // At jd: the direction without the light-time step, the distance that gives
    // the light time with it, and the solar longitude outside the span.
    const Coordinates atJd{!lightTime || !withinSpan, !lightTime && latitude, lightTime || distance};
    Heliocentric earth = HeliocentricAt(kEarthRow, jd, atJd);
    double sunLongitude = ReduceAngle(earth.L - kPi, 2.0 * kPi);
    double beta = 0.0, lambda = 0.0, delta = 0.0;
    GeocentricFromHelio(LightTime::Ignored, kEarthRow, beta, lambda, delta, jd, earth.B, earth.L, earth.R);
    if (lightTime) {
        const double tau = kLightTimePerAU * delta;
        earth = HeliocentricAt(kEarthRow, jd - tau, {true, latitude, distance});
        if (withinSpan) sunLongitude = ReduceAngle(earth.L + kEarthMeanMotion * tau - kPi, 2.0 * kPi);
        beta = lambda = delta = 0.0;
        GeocentricFromHelio(LightTime::Ignored, kEarthRow, beta, lambda, delta, jd, earth.B, earth.L, earth.R);
    }
    return Corrected(flags, jd, beta, lambda, delta, sunLongitude, nutationInLongitude, parts);
}

}  // namespace

double GeocentricFromHelio(LightTime lightTime, Row row, double& beta, double& lambda, double& delta, JulianDay jd,
                           double B0, double L0, double R0) {
    double tau = 0.0;
    if (lightTime == LightTime::OneStep) {
        tau = kLightTimePerAU * delta;
        const Heliocentric body = HeliocentricAt(row, jd - tau);
        delta = body.R;
        beta = body.B;
        lambda = body.L;
        if (row == kEarthRow) {
            // The Sun stays at the origin; it is the Earth that is taken earlier.
            L0 = lambda;
            B0 = beta;
            R0 = delta;
            lambda = beta = delta = 0.0;
        }
    }
    const double x = delta * std::cos(beta) * std::cos(lambda) - R0 * std::cos(B0) * std::cos(L0);
    const double y = delta * std::cos(beta) * std::sin(lambda) - R0 * std::cos(B0) * std::sin(L0);
    const double z = delta * std::sin(beta) - R0 * std::sin(B0);
    delta = std::sqrt(x * x + y * y + z * z);
    beta = std::atan2(z, std::sqrt(x * x + y * y));
    lambda = std::atan2(y, x);
    return tau;
}

void Aberration(double& beta, double& lambda, JulianDay jd, double sunLongitude) {
    const double kappa = DegToRad(kAberrationConstant);
    const double e = HelioElement(kEarthRow, Element::Eccentricity, jd);
    const double perihelion = DegToRad(HelioElement(kEarthRow, Element::Perihelion, jd));
    const double dBeta = -kappa * std::sin(beta) * (std::sin(sunLongitude - lambda) - e * std::sin(perihelion - lambda));
    const double dLambda =
        (-kappa * std::cos(sunLongitude - lambda) + e * kappa * std::cos(perihelion - lambda)) / std::cos(beta);
    beta += dBeta;
    lambda += dLambda;
}

void FK5Correction(double& beta, double& lambda, JulianDay jd) {
    const double T = JulianCenturies(jd);
    const double l = lambda - DegToRad(1.397 * T + 0.00031 * T * T);
    // 0.03916″ and −0.09033″ in degrees.
    const double dLambda = DegToRad(0.000010877778 * std::tan(beta) * (std::cos(l) + std::sin(l)) - 0.00002509167);
    const double dBeta = DegToRad(0.000010877778 * (std::cos(l) - std::sin(l)));
    beta += dBeta;
    lambda += dLambda;
}

EclipticPosition PlanetEcliptic(Row row, int16_t flags, JulianDay jd, double nutationInLongitude,
                                PositionParts parts) {
    if (!HasHeliocentricSeries(row)) return {0.0, 0.0, 0.0};
    if (row == kEarthRow) return SunEcliptic(flags, jd, nutationInLongitude, parts);
    const Heliocentric body = HeliocentricAt(row, jd);
    const Heliocentric earth = HeliocentricAt(kEarthRow, jd);
    const double sunLongitude = ReduceAngle(earth.L - kPi, 2.0 * kPi);
    double beta = body.B, lambda = body.L, delta = body.R;
    GeocentricFromHelio(LightTime::Ignored, row, beta, lambda, delta, jd, earth.B, earth.L, earth.R);
    if (flags & efLightTime)
        GeocentricFromHelio(LightTime::OneStep, row, beta, lambda, delta, jd, earth.B, earth.L, earth.R);
    return Corrected(flags, jd, beta, lambda, delta, sunLongitude, nutationInLongitude, parts);
}

EclipticPosition PlanetEcliptic(Row row, int16_t flags, JulianDay jd) {
    const double nutation = flags & efNutation ? NutationAt(jd).longitude : 0.0;
    return PlanetEcliptic(row, flags, jd, nutation, PositionParts::Full);
}

PositionParts PartsFor(Quantity quantity) {
    return quantity == Quantity::Distance ? PositionParts::Full : PositionParts::Direction;
}

bool ReadsNutation(Quantity quantity, int16_t flags) {
    return (flags & efNutation) || quantity == Quantity::HourAngle || quantity == Quantity::Altitude ||
           quantity == Quantity::Azimuth;
}

double GeocentricQuantity(Quantity quantity, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, const EarthOrientation& orientation, JulianDay jd) {
    switch (quantity) {
        case Quantity::EclipticLongitude: return p.lambda;
        case Quantity::EclipticLatitude: return p.beta;
        case Quantity::Distance: return p.distance;
        case Quantity::Elongation: {
            // Measured from the Sun with the light-time step alone.
            const double sun =
                DegToRad(PlanetEcliptic(kEarthRow, efLightTime, jd, 0.0, PositionParts::Longitude).lambda);
            const double elongation =
                std::acos(std::cos(DegToRad(p.beta)) * std::cos(DegToRad(p.lambda) - sun));
            return ReduceAngle(RadToDeg(elongation), 360.0);
        }
        case Quantity::RightAscension:
        case Quantity::HourAngle:
        case Quantity::Declination:
        case Quantity::Altitude:
        case Quantity::Azimuth: break;
        default: return 0.0;
    }
    const EquatorialPosition q = EquatorialOf(p.lambda, p.beta, Obliquity(orientation, flags));
    switch (quantity) {
        case Quantity::RightAscension: return q.alpha;
        case Quantity::HourAngle: return HourAngle(orientation.siderealTime, longitude, q.alpha);
        case Quantity::Declination: return q.delta;
        default: return HorizontalOf(quantity, q.alpha, q.delta, longitude, latitude, orientation.siderealTime);
    }
}

double GeocentricQuantity(Quantity quantity, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, JulianDay jd) {
    const EarthOrientation orientation = EarthOrientationAt(jd, ReadsNutation(quantity, flags));
    return GeocentricQuantity(quantity, flags, p, longitude, latitude, orientation, jd);
}

double PlanetPosition(Row row, Quantity quantity, int16_t flags, double longitude, double latitude, JulianDay jd) {
    if (quantity < Quantity::EclipticLongitude || quantity > Quantity::Azimuth || !HasHeliocentricSeries(row))
        return 0.0;
    const EarthOrientation orientation = EarthOrientationAt(jd, ReadsNutation(quantity, flags));
    const EclipticPosition p = PlanetEcliptic(row, flags, jd, orientation.nutation.longitude, PartsFor(quantity));
    return GeocentricQuantity(quantity, flags, p, longitude, latitude, orientation, jd);
}

}  // namespace helune

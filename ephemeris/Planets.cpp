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

Heliocentric HeliocentricAt(int16_t row, JulianDay jd) {
    return {DegToRad(HelioElement(row, kVsopSetL, jd)), DegToRad(HelioElement(row, kVsopSetB, jd)),
            HelioElement(row, kVsopSetR, jd)};
}

}  // namespace

double GeocentricFromHelio(int16_t row, double& beta, double& lambda, double& delta, JulianDay jd,
                           double B0, double L0, double R0) {
    double tau = 0.0;
    if (row >= 0) {
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
    const double e = HelioElement(kEarthRow, 2, jd);
    const double perihelion = DegToRad(HelioElement(kEarthRow, 5, jd));
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

EclipticPosition PlanetEcliptic(int16_t row, int16_t flags, JulianDay jd) {
    if (!HasHeliocentricSeries(row)) return {0.0, 0.0, 0.0};
    Heliocentric body = HeliocentricAt(row, jd);
    Heliocentric earth{};
    if (row == kEarthRow) {
        earth = body;
        body = {0.0, 0.0, 0.0};  // the Sun, at the heliocentric origin
    } else {
        earth = HeliocentricAt(kEarthRow, jd);
    }
    const double sunLongitude = ReduceAngle(earth.L - kPi, 2.0 * kPi);

    double beta = body.B, lambda = body.L, delta = body.R;
    GeocentricFromHelio(-1, beta, lambda, delta, jd, earth.B, earth.L, earth.R);
    if (flags & efLightTime) GeocentricFromHelio(row, beta, lambda, delta, jd, earth.B, earth.L, earth.R);
    if (flags & efAberration) Aberration(beta, lambda, jd, sunLongitude);
    if (flags & efFK5) FK5Correction(beta, lambda, jd);
    if (flags & efNutation) lambda += DegToRad(Nutation(0, jd));
    return {ReduceAngle(RadToDeg(lambda), 360.0), RadToDeg(beta), delta};
}

double GeocentricQuantity(int16_t code, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, JulianDay jd) {
    switch (code) {
        case 9: return p.lambda;
        case 10: return p.beta;
        case 11: return p.distance;
        case 12: return EclipticToEquatorial(kRightAscension, flags, p.lambda, p.beta, longitude, latitude, jd);
        case 13: return EclipticToEquatorial(kHourAngle, flags, p.lambda, p.beta, longitude, latitude, jd);
        case 14: return EclipticToEquatorial(kDeclination, flags, p.lambda, p.beta, longitude, latitude, jd);
        case 15: {
            // Measured from the Sun with the light-time step alone.
            const double sun = DegToRad(PlanetPosition(kEarthRow, 9, efLightTime, longitude, latitude, jd));
            const double elongation =
                std::acos(std::cos(DegToRad(p.beta)) * std::cos(DegToRad(p.lambda) - sun));
            return ReduceAngle(RadToDeg(elongation), 360.0);
        }
        case 16:
        case 17: {
            const double delta = EclipticToEquatorial(kDeclination, flags, p.lambda, p.beta, longitude, latitude, jd);
            const double alpha = EclipticToEquatorial(kRightAscension, flags, p.lambda, p.beta, longitude, latitude, jd);
            return EquatorialToHorizontal(code == 16 ? kAltitude : kAzimuth, alpha, delta, longitude, latitude, jd);
        }
        default: return 0.0;
    }
}

double PlanetPosition(int16_t row, int16_t code, int16_t flags, double longitude, double latitude,
                      JulianDay jd) {
    if (code < 9 || code > 17 || !HasHeliocentricSeries(row)) return 0.0;
    return GeocentricQuantity(code, flags, PlanetEcliptic(row, flags, jd), longitude, latitude, jd);
}

}  // namespace helune

// SPDX-License-Identifier: MIT
// Where the Sun or the Moon crosses an altitude or the meridian at one place, in
// universal instants.
//
// The model: the body's apparent altitude and local hour angle (every correction
// of the position, flags 15), the position taken at the dynamical time of the
// universal instant (TT = UT + ΔT), the Earth's rotation at the universal
// instant itself. A rising is an
// instant at which the model's altitude passes the asked one while increasing,
// a setting the same while decreasing; an altitude touched without being passed
// is no crossing. A culmination is an instant at which the hour angle passes 0h
// (upper) or 12h (lower).
//
// The search follows a guide: the altitude and hour angle interpolated in
// positions without corrections tabulated a day apart, with the mean sidereal
// time. The guide stays within kGuideAltitudeError of the model; where it comes
// nearer than that to the asked altitude the model decides, and every instant
// answered is the model's own, found by the root finder (RootFinder.h) with
// the guide's rates.
// Degrees; longitude positive West, latitude positive North.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "Calendar.h"
#include "Codes.h"
#include "Frames.h"
#include "TimeScales.h"

namespace helune {

// How far the guide's altitude may stray from the model's, degrees: the
// corrections it leaves out (light time, aberration and nutation, 0.03° at most)
// and the interpolation in the Moon's positions a day apart (0.01°).
inline constexpr double kGuideAltitudeError = 0.05;

// How closely an instant is placed, days (about 0.02 s).
inline constexpr double kInstantTolerance = 2e-7;

// A position that guides the search: right ascension and declination without
// corrections (flags 0) at the dynamical time of a universal instant.
struct TabulatedPosition {
    UniversalTime universal;
    double alpha;  // degrees, continuous from one position to the next
    double delta;  // degrees
};

// Right ascension and declination, flags 0, of the body of a row (the Earth's:
// the Sun; the Moon) at the theories' instant.
EquatorialPosition EquatorialAt(Row row, DynamicalTime dynamical);

// Adds whole turns to the right ascensions of positions a day apart so that
// each differs from the one before by less than half a turn.
void MakeContinuous(std::span<TabulatedPosition> positions);

// count positions of the body one day apart from first on, made continuous.
std::vector<TabulatedPosition> TabulatePositions(Row row, UniversalTime first, int count);

// The path of the Sun (the Earth's row) or the Moon across one observer's sky.
class SkyTrack {
public:
    // positions: three or more, one day apart and continuous, covering the
    // instants asked for with a day to spare (the guide extrapolates beyond
    // them, less well). The track reads them; they must outlive it.
    SkyTrack(Row row, double longitude, double latitude, std::span<const TabulatedPosition> positions);

    // The model at a universal instant.
    double Altitude(UniversalTime t) const;   // degrees
    double HourAngle(UniversalTime t) const;  // hours, [0, 24]

    // The guide at jd: sin of the altitude and the hour angle, with their rates.
    struct Guide {
        double sinAltitude;
        double sinAltitudeRate;  // per day
        double hourAngle;        // degrees, continuous along the track
        double hourAngleRate;    // degrees per day
    };
    Guide GuideAt(UniversalTime t) const;

    // A bound on the second derivative of the guide's sin altitude, per day².
    double CurvatureBound() const { return curvatureBound_; }

private:
    double Apparent(Quantity quantity, UniversalTime t) const;

    Row row_;
    double longitude_, latitude_;
    double sinLatitude_, cosLatitude_;
    std::span<const TabulatedPosition> positions_;
    UniversalTime siderealEpoch_;
    double siderealAtEpoch_;  // mean sidereal time at Greenwich, degrees
    double curvatureBound_;
};

// A crossing of an altitude placed between two instants: the model's altitude
// is on one side of it at lo and on the other at hi, and passes it once between.
struct CrossingBracket {
    UniversalTime lo, hi;
    bool rising;  // below the altitude at lo, above it at hi
};

// An instant a search placed, and whether it settled within its tolerance.
struct Placed {
    UniversalTime at;
    bool settled;
};

// The guide's turning points over [from, to] and the model's altitude at those
// of them where the guide alone cannot tell the side of an asked altitude.
// Brackets every crossing of an altitude by the model within [from, to]; the
// turning points are found once for every altitude asked of the span.
class TrackSpan {
public:
    TrackSpan(const SkyTrack& track, UniversalTime from, UniversalTime to);

    // The crossings of altitude (degrees) in [from, to], in time order.
    std::vector<CrossingBracket> Brackets(double altitude);

    const SkyTrack& Track() const { return track_; }

private:
    struct Point {
        UniversalTime t;
        double sinAltitude;  // the guide's
        int turn;            // +1 a maximum, −1 a minimum, 0 an end of the span
        std::optional<double> altitude;  // the model's, once asked
    };
    bool Above(Point& point, double altitude);

    const SkyTrack& track_;
    std::vector<Point> points_;
};

// The model's crossing within the bracket, to kInstantTolerance, from start
// (inside it); altitudeAtStart is the model's altitude at start when known.
Placed PolishCrossing(const SkyTrack& track, double altitude, CrossingBracket bracket, UniversalTime start,
                      std::optional<double> altitudeAtStart = std::nullopt);

// The crossing of altitude that one step from the instant at, where the model
// stands at altitudeAt, predicts; and a bound on the distance of the model's
// crossing from it, days, that holds while the two lie within the same bracket.
struct CrossingEstimate {
    UniversalTime instant;
    Days error;
};
CrossingEstimate EstimateCrossing(const SkyTrack& track, double altitude, UniversalTime at, double altitudeAt);

// Where the guide crosses altitude within the bracket (or its middle, where the
// guide does not cross): a start for PolishCrossing.
UniversalTime GuideCrossing(const SkyTrack& track, double altitude, const CrossingBracket& bracket);

struct Culmination {
    UniversalTime universal;
    bool upper;  // hour angle 0h; the lower passes 12h
};

// The guide's culminations in [from, to], in time order.
std::vector<Culmination> GuideCulminations(const SkyTrack& track, UniversalTime from, UniversalTime to);

// The model's culmination near the guide's, to kInstantTolerance.
Placed PolishCulmination(const SkyTrack& track, const Culmination& guide);

}  // namespace helune

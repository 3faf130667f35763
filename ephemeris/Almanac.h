// SPDX-License-Identifier: MIT
// The sky of one place between two universal instants: when the Sun and the
// Moon cross an altitude or the meridian, where they stand, and when the
// Moon's principal phases, the equinoxes and the solstices fall. For programs
// that think in universal instants; the query (Efemerides.h) answers one local
// date at a time with the same machinery.
//
// Units and conventions, as everywhere in the engine: instants are universal
// time (UT), UniversalTime of TimeScales.h, which no dynamical instant passes
// for; angles are degrees; longitude is positive West of Greenwich, latitude
// positive North. An interval [from, to) includes from and excludes to; an
// interval that is empty, reversed or not finite holds nothing.
//
// The span: every answer lies between 1 January −4000 and 1 January +8001
// (kFirstInstant, kEndInstant; proleptic Gregorian, universal time), over
// which the theories (VSOP87, ELP-2000/82, IAU 1980 nutation) and the ΔT
// model are used and the engine is tested; an interval reaching beyond it is
// answered for its part within, and one longer than kLongestInterval (10 000
// years) holds nothing, so that no call runs without end. A position asked
// outside the span is not a number.
//
// The model of the events: the body's apparent altitude and hour angle (light
// time, aberration, FK5 and nutation), the position at the dynamical time of
// the instant (TT = UT + ΔT), the Earth turned as at the universal instant;
// the altitude is geocentric, without refraction (the standard altitudes below
// include it). A crossing is an instant at which the altitude passes the asked
// one (touching it without passing is none); instants are placed to about
// 0.02 s of the model. Every search says whether it settled within its
// tolerance (settled); one that did not answers its best estimate.
//
// Nothing here throws or keeps state; work grows with the length of the interval.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Calendar.h"
#include "Events.h"
#include "HeluneApi.h"
#include "PhaseCodes.h"
#include "TimeScales.h"

namespace helune {

enum class SunOrMoon : int8_t { Sun, Moon };

inline constexpr UniversalTime kFirstInstant{260089.5};  // −4000-01-01 00:00 UT
inline constexpr UniversalTime kEndInstant{4643365.5};   // +8001-01-01 00:00 UT
inline constexpr Days kLongestInterval{3652425.0};       // 10 000 Gregorian years

// The altitudes of rising, setting and twilight are those of Events.h
// (kSunStandardAltitude, kMoonStandardAltitude, kCivilTwilightAltitude …). Other
// altitudes of the Sun's centre that people ask for, degrees: the photographers'
// blue hour runs from −6° to −4°, the golden hour from −4° to +6°.
inline constexpr double kBlueHourBegins = -6.0;
inline constexpr double kGoldenHourBegins = -4.0;
inline constexpr double kGoldenHourEnds = 6.0;

struct Crossing {
    UniversalTime universal;
    bool rising;  // the altitude increasing through the asked one; false: a setting
    bool settled = true;
};

// An observer: where on the Earth (degrees, longitude positive West, latitude
// positive North) and how high above the sea (metres).
struct Site {
    double longitude;
    double latitude;
    double height = 0.0;
};

// The dip of the horizon seen from a height above the sea, degrees: 1.76′ √h
// for h metres (the Nautical Almanac's dip of the sea horizon, the terrestrial
// refraction included); nothing for a height at or below the sea's.
HELUNE_API double HorizonDip(double height);

// Every rising and setting of the body through an altitude measured from the
// horizon (the standard altitudes of rising and setting, the twilights'), as
// an observer at the site sees it: the altitude lowered by the dip of the
// site's horizon. At sea level, FindCrossings at the altitude itself.
HELUNE_API std::vector<Crossing> FindHorizonCrossings(SunOrMoon body, double altitude, UniversalTime from,
                                                      UniversalTime to, const Site& site);

// Every crossing of altitude by the body in [from, to), in time order.
HELUNE_API std::vector<Crossing> FindCrossings(SunOrMoon body, double altitude, UniversalTime from, UniversalTime to,
                                               double longitude, double latitude);

// The same for several altitudes in one search: one list for each altitude.
HELUNE_API std::vector<std::vector<Crossing>> FindCrossings(SunOrMoon body, std::span<const double> altitudes,
                                                            UniversalTime from, UniversalTime to, double longitude,
                                                            double latitude);

struct Transit {
    UniversalTime universal;
    bool upper;       // hour angle 0h, the body on the meridian; false: 12h, below the pole
    double altitude;  // the body's apparent altitude there, degrees
    bool settled = true;
};

// Every upper and lower transit of the body in [from, to), in time order.
HELUNE_API std::vector<Transit> FindTransits(SunOrMoon body, UniversalTime from, UniversalTime to, double longitude,
                                             double latitude);

struct BodyPosition {
    double altitude;             // apparent, degrees
    double azimuth;              // degrees from North towards East, [0, 360)
    double distance;             // from the Earth's centre, kilometres
    double illuminatedFraction;  // of the disc, 0 (new) to 1 (full); the Sun's is 1
    double phaseAngle;           // Sun−body−Earth, degrees, 0 (full) to 180 (new); the Sun's is 0
    // The position angle of the zenith on the body's disc (Meeus eq. 14.1) and
    // of the midpoint of the Moon's bright limb (eq. 48.5), degrees from the
    // disc's North point towards the East; the Sun's bright limb is 0. Their
    // difference turns the lit side as the observer sees it with the zenith up:
    // brightLimb − parallactic counterclockwise from the top (about 270°, the
    // right, for a waxing Moon seen from the North; about 90° from the South).
    double parallactic;  // (−180, 180]
    double brightLimb;   // [0, 360)
};

// Where the body stands at the universal instant.
HELUNE_API BodyPosition FindPosition(SunOrMoon body, UniversalTime universal, double longitude, double latitude);

// Phase codes of PhaseCodes.h: 1 last quarter, 2 full moon, 3 first quarter, 4 new moon.
struct PrincipalPhase {
    int16_t code;
    UniversalTime universal;
    bool settled = true;
};

// Every principal phase in [from, to), in time order: instants at which the
// Sun's and the Moon's geometric geocentric longitudes differ by a multiple of
// 90° (the convention of FindFase), each found by its own search from the mean
// lunation, on dynamical time, then turned into universal time.
HELUNE_API std::vector<PrincipalPhase> FindPhases(UniversalTime from, UniversalTime to);

enum class Season : int8_t { MarchEquinox, JuneSolstice, SeptemberEquinox, DecemberSolstice };

struct SeasonStart {
    Season season;
    UniversalTime universal;
    bool settled = true;
};

// Every equinox and solstice in [from, to), in time order: the instants at which
// the Sun's apparent longitude (aberration, FK5 and nutation) is a multiple of
// 90°, on dynamical time, then turned into universal time.
HELUNE_API std::vector<SeasonStart> FindSeasons(UniversalTime from, UniversalTime to);

// The events of one local date in universal instants, each as the query's
// quantities 19, 20 and 21 answer them (Events.h: the tabulated methods where
// they lie within 10 s of the model, the model's otherwise). The date runs
// from localMidnight (the Julian day of its 0h on the local clock) for one day;
// zone is universal minus local time, degrees (15 per hour, positive West).
struct DateEvents {
    std::optional<UniversalTime> rising, transit, setting;
};
// Flags of EventsOnDate.
inline constexpr unsigned kTransitAlways = 1;  // the transit also on a date on which the body neither rises nor sets

HELUNE_API DateEvents EventsOnDate(SunOrMoon body, JulianDay localMidnight, double zone, double longitude, double latitude,
                        unsigned flags = 0);

}  // namespace helune

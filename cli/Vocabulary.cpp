// SPDX-License-Identifier: MIT
#include "Vocabulary.h"

namespace helune::cli {

std::span<const Key* const> DocumentKeys() {
    using namespace keys;
    static constexpr const Key* kAll[] = {
        &kSchema,   &kPlace,         &kClock,      &kDays,         &kEvents,         &kTimes,
        &kEvent,    &kDate,          &kUtcOffset,  &kClockChange,  &kSun,            &kMoon,
        &kTwilight, &kAltitudes,     &kPhases,     &kDayLength,    &kDayLengthChange, &kIlluminatedAtNoon,
        &kAgeAtNoon, &kTime,         &kUtc,        &kReason,       &kAltitude,       &kAzimuth,
        &kMorning,  &kEvening,       &kBegin,      &kEnd,          &kUp,             &kNextRising,
        &kNextSetting, &kDistance,   &kMoonPhase,  &kWaxing,       &kLight,          &kInterval,
        &kState,    &kStore,         &kKept,
    };
    return kAll;
}

std::span<const Term* const> ReasonTerms() {
    using namespace terms;
    static constexpr const Term* kAll[] = {&kPolarDay, &kPolarNight, &kStaysAbove, &kStaysBelow, &kNoneOnDate};
    return kAll;
}

std::span<const Term* const> LightTerms() {
    using namespace terms;
    static constexpr const Term* kAll[] = {&kDay,   &kCivilTwilight, &kNauticalTwilight, &kAstronomicalTwilight,
                                           &kNight, &kInside,        &kOutside};
    return kAll;
}

std::span<const Term* const> SourceTerms() {
    using namespace terms;
    static constexpr const Term* kAll[] = {&kGiven,         &kNamed,  &kStored,    &kZoneCity,
                                           &kWindowDefault, &kSystem, &kWindowRule};
    return kAll;
}

}  // namespace helune::cli

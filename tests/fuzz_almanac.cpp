// SPDX-License-Identifier: MIT
// libFuzzer's target for the interval interface (tools/fuzz_almanac.sh): any
// instants, intervals, altitudes and places, as finite or not as the bytes
// make them. Every answer must come at once (an interval of at most a year
// and a half, or one too long that holds nothing), lie in time order within
// the asked interval and the span, and be a number; a position within the
// span is one, outside it not.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

#include "Almanac.h"

namespace {

using namespace helune;

void Require(bool condition) {
    if (!condition) std::abort();
}

// An instant anywhere: mostly within a few thousand years of now, sometimes far
// beyond the span or not a number.
UniversalTime AnyInstant(FuzzedDataProvider& bytes) {
    switch (bytes.ConsumeIntegralInRange(0, 7)) {
        case 0: return {NAN};
        case 1: return {bytes.ConsumeFloatingPointInRange(-1e9, 1e9)};
        case 2: return {bytes.ConsumeFloatingPoint<double>()};
        default:
            return {bytes.ConsumeFloatingPointInRange(kFirstInstant.jd - 1000.0, kEndInstant.jd + 1000.0)};
    }
}

template <class Answer>
void RequireWithin(const std::vector<Answer>& answers, UniversalTime from, UniversalTime to) {
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const UniversalTime t = answers[i].universal;
        Require(std::isfinite(t.jd) && t >= from && t < to && t >= kFirstInstant && t < kEndInstant);
        if (i > 0) Require(answers[i - 1].universal <= t);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider bytes(data, size);
    const UniversalTime from = AnyInstant(bytes);
    // Short enough to answer at once, or too long to be answered at all.
    const Days length{bytes.ConsumeBool() ? bytes.ConsumeFloatingPointInRange(-2.0, 550.0)
                                          : kLongestInterval.count + bytes.ConsumeFloatingPointInRange(1.0, 1e7)};
    const UniversalTime to = from + length;
    const SunOrMoon body = bytes.ConsumeBool() ? SunOrMoon::Sun : SunOrMoon::Moon;
    const double longitude = bytes.ConsumeFloatingPointInRange(-400.0, 400.0);
    const double latitude = bytes.ConsumeFloatingPointInRange(-100.0, 100.0);
    const double altitude = bytes.ConsumeFloatingPointInRange(-100.0, 100.0);
    switch (bytes.ConsumeIntegralInRange(0, 4)) {
        case 0: RequireWithin(FindCrossings(body, altitude, from, to, longitude, latitude), from, to); break;
        case 1: RequireWithin(FindTransits(body, from, to, longitude, latitude), from, to); break;
        case 2: {
            const std::vector<PrincipalPhase> phases = FindPhases(from, to);
            RequireWithin(phases, from, to);
            for (const PrincipalPhase& p : phases) Require(p.code >= 1 && p.code <= 4);
            break;
        }
        case 3: RequireWithin(FindSeasons(from, to), from, to); break;
        default: {
            const BodyPosition p = FindPosition(body, from, longitude, latitude);
            const bool inSpan = from >= kFirstInstant && from < kEndInstant;
            Require(std::isnan(p.altitude) != inSpan || !std::isfinite(longitude + latitude));
            if (inSpan) Require(p.distance > 0.0 && p.illuminatedFraction >= 0.0 && p.illuminatedFraction <= 1.0);
        }
    }
    return 0;
}

// SPDX-License-Identifier: MIT
// The records of the console's answers, made from what the reports computed:
// a date's, the sky of an instant's, the light's, and a listed event's.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "Records.h"
#include "Report.h"

namespace helune::cli {

// The heading of a document: the place (where the answer depends on it) and the clock.
Record Heading(const Observer& observer, bool withPlace = true);

// A date's record: its offsets, the Sun's, the Moon's and twilight's events and
// quantities, what --altitude asked, and (withPhases) the window's phase lines.
Record DayRecord(const DayReport& report, const Observer& observer, bool withPhases);

// A date's record without its phases as the questions shape it, its events
// and quantities unknown: the columns a range can have.
Record DayShape(const DayQuestions& questions);

// The keys a record holds, its groups' and their members'.
std::set<std::string> KeysOf(const Record& record);

// The sky of an instant.
Record NowRecord(const SkyNow& now);

// Day or night at an instant, and whether the Sun stands within a band.
Record LightRecord(JulianDay universal, const Word& light, const std::optional<SunBand>& band, bool inside);

// An event at an instant: its time, its code and prose, its universal time.
Record ListedRecord(JulianDay universal, const Word& event);

// A band's span: its time (the beginning), whether morning or evening, its end.
Record SpanRecord(const BandSpan& span, const SunBand& band);

// The principal phases and the seasons of an interval, in time order.
std::vector<Record> AlmanacRecords(const std::vector<PrincipalPhase>& phases, const std::vector<SeasonStart>& seasons);

}  // namespace helune::cli

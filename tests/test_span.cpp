// SPDX-License-Identifier: MIT
// The interval interface over its whole span, years −4000 to +8000: the
// equinoxes and solstices follow each other in order, each 88 to 95 days
// after the last (the tropical year's quarters, shortened and lengthened by
// the Earth's eccentric orbit), and the principal phases likewise, each
// lunation from new moon to new moon 29.26 to 29.84 days (Meeus ch. 49: the
// true lunations vary by about seven hours about the mean 29.53). Outside the
// span, and for an interval too long, nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "Almanac.h"

namespace helune {
namespace {

constexpr double kShortestSeason = 88.0, kLongestSeason = 95.0;
// The Earth's orbit was more eccentric 6 000 years ago (0.0187, against 0.0167
// now): the shortest lunations of the span's first centuries fall a few
// minutes below today's 29.27 days.
constexpr double kShortestLunation = 29.26, kLongestLunation = 29.84;
constexpr Days kThousandYears{365242.5};

TEST(Span, SeasonsInOrderAndEvenlySpacedFromMinus4000ToPlus8000) {
    std::optional<SeasonStart> before;
    int count = 0;
    for (UniversalTime from = kFirstInstant; from < kEndInstant; from = from + kThousandYears) {
        for (const SeasonStart& s : FindSeasons(from, std::min(from + kThousandYears, kEndInstant))) {
            ++count;
            EXPECT_TRUE(s.settled) << s.universal.jd;
            if (before) {
                EXPECT_EQ(static_cast<int>(s.season), (static_cast<int>(before->season) + 1) % 4) << s.universal.jd;
                const double gap = (s.universal - before->universal).count;
                EXPECT_TRUE(gap >= kShortestSeason && gap <= kLongestSeason) << gap << " days at " << s.universal.jd;
            }
            before = s;
        }
    }
    EXPECT_GT(count, 4 * 12000 - 4);
}

// Two years of phases every fifty years of the span.
TEST(Span, PhasesInOrderAndEvenlySpacedFromMinus4000ToPlus8000) {
    constexpr Days kFiftyYears{18262.125}, kTwoYears{730.485};
    for (UniversalTime from = kFirstInstant; from < kEndInstant; from = from + kFiftyYears) {
        const UniversalTime to = std::min(from + kTwoYears, kEndInstant);
        const std::vector<PrincipalPhase> phases = FindPhases(from, to);
        ASSERT_GE(phases.size(), static_cast<std::size_t>((to - from).count / 8.0)) << from.jd;
        for (std::size_t i = 1; i < phases.size(); ++i) {
            EXPECT_TRUE(phases[i].settled);
            // 4 new moon, 3 first quarter, 2 full moon, 1 last quarter, then new again.
            EXPECT_EQ(phases[i].code, phases[i - 1].code == 1 ? 4 : phases[i - 1].code - 1) << phases[i].universal.jd;
            if (i >= 4 && phases[i].code == kNewMoon) {
                const double lunation = (phases[i].universal - phases[i - 4].universal).count;
                EXPECT_TRUE(lunation >= kShortestLunation && lunation <= kLongestLunation)
                    << lunation << " days at " << phases[i].universal.jd;
            }
        }
    }
}

TEST(Span, NothingOutsideItNorForAnIntervalTooLong) {
    const UniversalTime before = kFirstInstant - Days{1000.0}, after = kEndInstant + Days{1000.0};
    EXPECT_TRUE(FindPhases(before - Days{100.0}, before).empty());
    EXPECT_TRUE(FindSeasons(after, after + Days{400.0}).empty());
    EXPECT_TRUE(FindCrossings(SunOrMoon::Sun, kSunStandardAltitude, after, after + Days{2.0}, 0.0, 40.0).empty());
    EXPECT_TRUE(std::isnan(FindPosition(SunOrMoon::Moon, before, 0.0, 40.0).altitude));
    EXPECT_FALSE(EventsOnDate(SunOrMoon::Sun, after.jd, 0.0, 0.0, 40.0).rising);
    // Reaching beyond the span: answered within it alone.
    const std::vector<PrincipalPhase> edge = FindPhases(kEndInstant - Days{60.0}, after);
    ASSERT_FALSE(edge.empty());
    EXPECT_LT(edge.back().universal, kEndInstant);
    // Longer than 10 000 years: nothing, at once.
    EXPECT_TRUE(FindSeasons(kFirstInstant, kFirstInstant + kLongestInterval + Days{1.0}).empty());
}

}  // namespace
}  // namespace helune

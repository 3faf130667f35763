// SPDX-License-Identifier: MIT
// The one root finder: it settles to the tolerance its caller asks, whatever
// its rate, and says when it cannot.
#include <gtest/gtest.h>

#include <cmath>

#include "RootFinder.h"

namespace helune {
namespace {

// cos t = 1/2 at t = π/3 on [0, 2], where cos t − 1/2 falls through zero.
const auto kOffset = [](double t) { return std::cos(t) - 0.5; };
constexpr Bracket kFalling{0.0, 2.0, false};
constexpr double kTolerance = 1e-12;

TEST(RootFinder, SettlesWithTheExactRateTheSecantsOrNone) {
    const Root newton = FindRoot(kOffset, [](double t, double) { return -std::sin(t); }, kFalling, 1.5, kTolerance);
    EXPECT_TRUE(newton.settled);
    EXPECT_NEAR(newton.at, M_PI / 3.0, kTolerance);

    const Root secant = FindRoot(kOffset, SecantRate(-1.0), kFalling, 0.1, kTolerance);
    EXPECT_TRUE(secant.settled);
    EXPECT_NEAR(secant.at, M_PI / 3.0, kTolerance);

    // A rate of the wrong sign or none at all: the bracket is halved instead.
    for (const double wrong : {0.0, 1.0}) {
        const Root halved = FindRoot(kOffset, [wrong](double, double) { return wrong; }, kFalling, 1.9, kTolerance);
        EXPECT_TRUE(halved.settled) << wrong;
        EXPECT_NEAR(halved.at, M_PI / 3.0, kTolerance) << wrong;
    }
}

// A start outside the bracket is brought into it; a step that the caller
// bounds as small enough ends the search without another evaluation.
TEST(RootFinder, KeepsToTheBracketAndTheCallersStepError) {
    int evaluations = 0;
    const auto counted = [&evaluations](double t) {
        ++evaluations;
        return kOffset(t);
    };
    const Root root = FindRoot(
        counted, [](double t, double) { return -std::sin(t); },
        [](double step, double) { return step * step; }, kFalling, 7.0, 1e-10);
    EXPECT_TRUE(root.settled);
    EXPECT_NEAR(root.at, M_PI / 3.0, 1e-9);
    EXPECT_LE(evaluations, 6);
}

// At Julian days (about 2.46 million, a last place of 4.7e-10 day) the last
// Newton step of a search is often too small to move the instant at all; it
// ends the search there rather than halving the bracket down to the tolerance.
TEST(RootFinder, AStepTooSmallToMoveTheInstantEndsTheSearch) {
    // The root lies between two doubles, so no instant makes the offset 0.
    constexpr double kDay = 2461200.0, kFraction = 0.123456789012, kDegreesPerDay = -12.19, kDayTolerance = 1e-7;
    int evaluations = 0;
    const auto falling = [&evaluations](double t) {
        ++evaluations;
        return kDegreesPerDay * ((t - kDay) - kFraction);
    };
    const Root root = FindRoot(falling, SecantRate(kDegreesPerDay * 1.01), Bracket{kDay - 1.5, kDay + 1.5, false},
                               kDay - 0.6, kDayTolerance);
    EXPECT_TRUE(root.settled);
    EXPECT_NEAR(root.at - kDay, kFraction, kDayTolerance);
    EXPECT_LE(evaluations, 4);
}

// Failures are said: an offset that is not a number, and a tolerance finer
// than the doubles between which the root lies.
TEST(RootFinder, SaysWhenItDoesNotSettle) {
    const Root nan = FindRoot([](double) { return NAN; }, SecantRate(-1.0), kFalling, 1.0, kTolerance);
    EXPECT_FALSE(nan.settled);
    const Root exhausted = FindRoot(kOffset, [](double, double) { return 0.0; }, kFalling, 1.0, 0.0);
    EXPECT_FALSE(exhausted.settled);
    EXPECT_NEAR(exhausted.at, M_PI / 3.0, 1e-15);
}

}  // namespace
}  // namespace helune

// SPDX-License-Identifier: MIT
// The one search for the instant at which a quantity passes a value: the
// crossings of an altitude, the culminations, the phases and the seasons all
// ask it. Given a bracket over which the quantity's offset from its target
// changes sign once, it refines from a start by Newton's steps with the rate
// the caller knows (or the secant's), each kept within the bracket, which
// narrows with every evaluation, and halves the bracket where a step would
// leave it; so it settles within the caller's tolerance in at most some sixty
// steps, and says whether it did.
#pragma once

#include <algorithm>
#include <cmath>

namespace helune {

// An interval of a search's variable over which the offset changes sign once:
// below zero at lo and above at hi (increasing), or the other way round.
struct Bracket {
    double lo, hi;
    bool increasing;
};

// What a search found: the root's best estimate, and whether it is within the
// tolerance asked (a search whose offset is not a number at some instant, or
// that ran out of steps, is not).
struct Root {
    double at;
    bool settled;
};

// A search's limit on evaluations: more than halving any bracket down to any
// tolerance takes.
inline constexpr int kMostRootSteps = 64;

// The root of offset(t) in bracket, from start, to tolerance (the width of the
// bracket, or the error of a step, below which it stops). rate(t, value) is
// the offset's rate at t, where it stood at value; stepError(step, rate)
// bounds the error left after a step of that size, so that a step small enough
// is taken as the answer without evaluating the offset there.
template <class Offset, class Rate, class StepError>
Root FindRoot(Offset offset, Rate rate, StepError stepError, Bracket bracket, double start, double tolerance) {
    double t = std::clamp(start, bracket.lo, bracket.hi);
    for (int step = 0; step < kMostRootSteps; ++step) {
        if (bracket.hi - bracket.lo <= tolerance) return {(bracket.lo + bracket.hi) / 2.0, true};
        const double value = offset(t);
        if (std::isnan(value)) return {t, false};
        if (value == 0.0) return {t, true};
        ((value > 0.0) == bracket.increasing ? bracket.hi : bracket.lo) = t;
        const double r = rate(t, value);
        const double next = t - value / r;
        const bool towards = r != 0.0 && (r > 0.0) == bracket.increasing;
        // A step within the tolerance is the answer even where it is too small
        // to move t at all (below half a unit of t's last place): halving the
        // bracket from there would only spend evaluations.
        if (towards && stepError(next - t, r) <= tolerance) return {std::clamp(next, bracket.lo, bracket.hi), true};
        t = towards && next > bracket.lo && next < bracket.hi ? next : (bracket.lo + bracket.hi) / 2.0;
    }
    return {(bracket.lo + bracket.hi) / 2.0, false};
}

// The same where the error after a step is the step itself (Newton near a
// simple root, or secant steps).
template <class Offset, class Rate>
Root FindRoot(Offset offset, Rate rate, Bracket bracket, double start, double tolerance) {
    return FindRoot(offset, rate, [](double step, double) { return std::fabs(step); }, bracket, start, tolerance);
}

// A rate measured between the last two evaluations, from a first estimate:
// the secant's, for offsets whose rate the caller does not compute.
class SecantRate {
public:
    explicit SecantRate(double first) : rate_(first) {}
    double operator()(double t, double value) {
        if (known_ && t != t_ && value != value_) rate_ = (value - value_) / (t - t_);
        t_ = t;
        value_ = value;
        known_ = true;
        return rate_;
    }

private:
    double rate_;
    double t_ = 0.0, value_ = 0.0;
    bool known_ = false;
};

}  // namespace helune

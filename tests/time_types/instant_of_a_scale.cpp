// SPDX-License-Identifier: MIT
// The Moon's transits after an instant of one scale or the other.
#include "Almanac.h"

std::vector<helune::Transit> TransitsAfter(helune::UniversalTime universal) {
#if defined(PASS_UNIVERSAL)
    const helune::UniversalTime from = universal;
#elif defined(PASS_DYNAMICAL)
    const helune::DynamicalTime from = helune::ToDynamical(universal);
#endif
    return helune::FindTransits(helune::SunOrMoon::Moon, from, universal + helune::Days{1.0}, 3.7, 40.4);
}

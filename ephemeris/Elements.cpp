// SPDX-License-Identifier: MIT
#include <cmath>

#include "Polynomial.h"
#include "Positions.h"
#include "VSOPEarD.h"

namespace helune {

// Meeus, Astronomical Algorithms, 2nd ed., table 31.A: mean elements referred to
// the mean ecliptic and equinox of the date; c0..c3 of c0 + c1·T + c2·T² + c3·T³.
const double ElementTable[kPlanetRows][6][4] = {
    {   // Mercury
        {252.250906, 149474.0722491, 0.00030397, 0.000000018},       // L (°)
        {0.38709831, 0, 0, 0},                                       // a (AU)
        {0.20563175, 0.000020406, -0.0000000284, -0.00000000017},    // e
        {7.004986, 0.0018215, -0.00001809, 0.000000053},             // i (°)
        {48.330893, 1.186189, 0.00017587, 0.000000211},              // Ω (°)
        {77.456119, 1.5564775, 0.00029589, 0.000000056},             // ϖ (°)
    },
    {   // Venus
        {181.979801, 58519.2130302, 0.0003106, 0.000000015},
        {0.72332982, 0, 0, 0},
        {0.00677188, -0.000047766, 0.0000000975, 0.00000000044},
        {3.394662, 0.0010037, -0.00000088, -0.000000007},
        {76.67992, 0.901119, 0.00040665, -0.00000008},
        {131.563707, 1.4022188, -0.00107337, -0.000005315},
    },
    {   // Earth: the ecliptic of date is its orbital plane, so i and Ω are 0
        {100.466449, 36000.7698231, 0.00030368, 0.000000021},
        {1.000001018, 0, 0, 0},
        {0.016708617, -0.000042037, -0.0000001236, 0.00000000004},
        {0, 0, 0, 0},
        {0, 0, 0, 0},
        {102.937348, 1.7195269, 0.00045962, 0.000000499},
    },
    {   // Mars
        {355.433275, 19141.6964746, 0.00031097, 0.000000015},
        {1.523679342, 0, 0, 0},
        {0.09340062, 0.000090483, -0.0000000806, -0.00000000035},
        {1.849726, -0.000601, 0.00001276, -0.000000006},
        {49.558093, 0.7720923, 0.00001605, 0.000002325},
        {336.060234, 1.8410331, 0.00013515, 0.000000318},
    },
    {   // Jupiter
        {34.351484, 3036.3027889, 0.00022374, 0.000000025},
        {5.202603191, 0.0000001913, 0, 0},
        {0.04849485, 0.000163244, -0.0000004719, -0.00000000197},
        {1.30327, -0.0054966, 0.00000465, -0.000000004},
        {100.464441, 1.020955, 0.00040117, 0.000000569},
        {14.331309, 1.6126668, 0.00103127, -0.000004569},
    },
    {   // Saturn
        {50.077471, 1223.5110141, 0.00051952, 0.000000003},
        {9.554909596, -0.0000021389, 0, 0},
        {0.05550862, -0.000346818, -0.0000006456, 0.00000000338},
        {2.488878, -0.0037363, -0.00001516, 0.000000089},
        {113.665524, 0.8770979, -0.00012067, -0.00000238},
        {93.056787, 1.9637694, 0.00083757, 0.000004899},
    },
    {   // Uranus
        {314.055005, 429.8640561, 0.00030434, 0.000000026},
        {19.218446062, -0.0000000372, 0.00000000098, 0},
        {0.0462959, -0.000027337, 0.000000079, 0.00000000025},
        {0.773196, 0.0007744, 0.00003749, -0.000000092},
        {74.005947, 0.5211258, 0.00133982, 0.000018516},
        {173.005159, 1.4863784, 0.0002145, 0.000000433},
    },
    {   // Neptune
        {304.348665, 219.8833092, 0.00030926, 0.000000018},
        {30.110386869, -0.0000001663, 0.00000000069, 0},
        {0.00898809, 0.000006408, -0.0000000008, -0.00000000005},
        {1.769952, -0.0093082, -0.00000708, 0.000000028},
        {131.784057, 1.1022057, 0.00026006, -0.000000636},
        {48.123691, 1.4262677, 0.00037918, -0.000000003},
    },
};

namespace {

double MeanElement(Row body, Element element, double T) {
    const int row = RowIndex(body);
    if (row < 0 || row >= kPlanetRows) return 0.0;
    const double value = Polynomial(ElementTable[row][static_cast<int>(element)], T);
    if (element == Element::SemiMajorAxis || element == Element::Eccentricity) return value;
    return ReduceAngle(value, 360.0);
}

}  // namespace

bool HasHeliocentricSeries(Row body) {
    const int row = RowIndex(body);
    return row >= 0 && row < kVsopRows && VsopCountL[row][0] > 0;
}

double HelioElement(Row row, Element element, JulianDay jd) {
    if (element < Element::MeanLongitude || element > Element::RadiusVector) return 0.0;
    const double T = JulianCenturies(jd);
    if (element <= Element::Perihelion) return MeanElement(row, element, T);
    if (!HasHeliocentricSeries(row)) return 0.0;
    const double sum = EvalVSOP(row, element, T / 10.0);
    if (element == kVsopSetL) return ReduceAngle(RadToDeg(sum), 360.0);
    if (element == kVsopSetB) return RadToDeg(sum);
    return sum;
}

}  // namespace helune

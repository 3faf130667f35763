// SPDX-License-Identifier: MIT
// Polynomials of the engine's theories, summed term by term in ascending order.
#pragma once

#include <cstddef>

namespace helune {

// Σ c_k x^k for k = 0 … N−1, with x^k as a running product (x^0 = 1 for any x).
template <std::size_t N>
constexpr double Polynomial(const double (&c)[N], double x) {
    double sum = 0.0;
    double power = 1.0;
    for (double coefficient : c) {
        sum += coefficient * power;
        power *= x;
    }
    return sum;
}

}  // namespace helune

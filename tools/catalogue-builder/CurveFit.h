#pragma once
// Least-squares polynomial fits for the catalogue's curves. The catalogue
// evaluates a curve in Horner form on the raw argument (m³/h, °C, %, ...), so
// a fit is solved on the argument scaled into [-1, 1] (well conditioned) and
// then expanded into the raw coefficients A0 ... A7 that are stored.

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace aw::catalogue_builder {

struct FittedCurve
{
  std::array<double, 8> a{}; // coefficients of x^0 ... x^7
  double low = 0;            // validity range of the argument
  double high = 0;

  double operator()(double x) const;
};

// The polynomial of degree nDegree (0 to 7) that fits f best over
// [low, high], sampled at nSamples Chebyshev points. Raises
// std::runtime_error with szWhat when the largest deviation on a fine grid
// exceeds nTolerance (in the units of f).
FittedCurve FitCurve(const std::function<double(double)>& f, double low, double high, int nDegree,
                     double nTolerance, const std::string& szWhat, int nSamples = 60);

// A curve given by its raw coefficients (exact, no fit).
FittedCurve ExactCurve(std::vector<double> coefficients, double low, double high);

} // namespace aw::catalogue_builder

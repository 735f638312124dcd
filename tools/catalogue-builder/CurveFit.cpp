#include "CurveFit.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace aw::catalogue_builder {
namespace {

// Solves the least-squares problem min |A b - y| by Householder QR; A is
// rows × cols, row-major.
std::vector<double> SolveLeastSquares(std::vector<double> A, std::vector<double> y, int rows, int cols)
{
  auto at = [&](int r, int c) -> double& { return A[static_cast<std::size_t>(r * cols + c)]; };
  for (int k = 0; k < cols; ++k) {
    double norm = 0;
    for (int r = k; r < rows; ++r)
      norm += at(r, k) * at(r, k);
    norm = std::sqrt(norm);
    if (norm == 0)
      throw std::runtime_error("curve fit: singular design matrix");
    const double alpha = at(k, k) > 0 ? -norm : norm;
    std::vector<double> v(static_cast<std::size_t>(rows - k));
    for (int r = k; r < rows; ++r)
      v[static_cast<std::size_t>(r - k)] = at(r, k);
    v[0] -= alpha;
    double vv = 0;
    for (double e : v)
      vv += e * e;
    auto reflect = [&](auto&& get) {
      double dot = 0;
      for (int r = k; r < rows; ++r)
        dot += v[static_cast<std::size_t>(r - k)] * get(r);
      const double s = 2 * dot / vv;
      for (int r = k; r < rows; ++r)
        get(r) -= s * v[static_cast<std::size_t>(r - k)];
    };
    for (int c = k; c < cols; ++c)
      reflect([&](int r) -> double& { return at(r, c); });
    reflect([&](int r) -> double& { return y[static_cast<std::size_t>(r)]; });
  }
  std::vector<double> b(static_cast<std::size_t>(cols));
  for (int k = cols - 1; k >= 0; --k) {
    double s = y[static_cast<std::size_t>(k)];
    for (int c = k + 1; c < cols; ++c)
      s -= at(k, c) * b[static_cast<std::size_t>(c)];
    b[static_cast<std::size_t>(k)] = s / at(k, k);
  }
  return b;
}

double Binomial(int n, int k)
{
  double r = 1;
  for (int i = 1; i <= k; ++i)
    r = r * (n - k + i) / i;
  return r;
}

} // namespace

double FittedCurve::operator()(double x) const
{
  double v = 0;
  for (int i = 7; i >= 0; --i)
    v = v * x + a[static_cast<std::size_t>(i)];
  return v;
}

FittedCurve FitCurve(const std::function<double(double)>& f, double low, double high, int nDegree, double nTolerance,
                     const std::string& szWhat, int nSamples)
{
  if (nDegree < 0 || nDegree > 7 || !(high > low))
    throw std::runtime_error(szWhat + ": bad fit request");
  const double centre = (low + high) / 2;
  const double half = (high - low) / 2;
  const int cols = nDegree + 1;
  std::vector<double> A, y;
  for (int i = 0; i < nSamples; ++i) {
    const double u = -std::cos(std::numbers::pi * (i + 0.5) / nSamples);
    double p = 1;
    for (int c = 0; c < cols; ++c, p *= u)
      A.push_back(p);
    y.push_back(f(centre + half * u));
  }
  const std::vector<double> b = SolveLeastSquares(std::move(A), std::move(y), nSamples, cols);

  // sum b_k ((x - c) / h)^k expanded into powers of x.
  FittedCurve curve;
  curve.low = low;
  curve.high = high;
  for (int k = 0; k < cols; ++k)
    for (int j = 0; j <= k; ++j)
      curve.a[static_cast<std::size_t>(j)] +=
        b[static_cast<std::size_t>(k)] * Binomial(k, j) * std::pow(-centre, k - j) / std::pow(half, k);

  double worst = 0;
  for (int i = 0; i <= 400; ++i) {
    const double x = low + (high - low) * i / 400;
    worst = std::max(worst, std::abs(curve(x) - f(x)));
  }
  if (!(worst <= nTolerance))
    throw std::runtime_error(szWhat + ": the fit deviates by " + std::to_string(worst) + " (allowed " +
                             std::to_string(nTolerance) + ")");
  return curve;
}

FittedCurve ExactCurve(std::vector<double> coefficients, double low, double high)
{
  FittedCurve curve;
  for (std::size_t i = 0; i < coefficients.size() && i < curve.a.size(); ++i)
    curve.a[i] = coefficients[i];
  curve.low = low;
  curve.high = high;
  return curve;
}

} // namespace aw::catalogue_builder

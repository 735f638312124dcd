// Moist-air properties: 100,000 wet bulbs and 100,000 complete states per
// iteration, over a spread of altitudes, temperatures and humidities such as
// a selection and its charts produce.

#include "air/Air.h"
#include "air/AirState.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kStates = 100000;

struct Input
{
  int altitudeIndex;
  double t;  // °C
  double rh; // %
  double h;  // kJ/kg
};

const std::vector<aw::TAir>& Airs()
{
  static const std::vector<aw::TAir> airs = {aw::TAir(0), aw::TAir(500), aw::TAir(1500), aw::TAir(3000)};
  return airs;
}

const std::vector<Input>& Inputs()
{
  static const std::vector<Input> inputs = [] {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> altitude(0, static_cast<int>(Airs().size()) - 1);
    std::uniform_real_distribution<double> t(-20, 45), rh(5, 100);
    std::vector<Input> v(kStates);
    for (Input& in : v) {
      in.altitudeIndex = altitude(random);
      in.t = t(random);
      in.rh = rh(random);
      const aw::TAir& air = Airs()[in.altitudeIndex];
      in.h = air.Enthalpy(air.AbsoluteHumidity(in.rh, in.t), in.t);
    }
    return v;
  }();
  return inputs;
}

// The plain decreasing-step search the fast one replaces, for comparison.
double StepSearchWetBulb(const aw::TAir& air, double t0, double h)
{
  const double P = air.GetTotalPressure();
  double t = t0, step = 10, rh = 0;
  for (int i = 0; i < 10000; ++i) {
    if (rh > 100) {
      t += step;
      step /= 5;
    }
    t -= step;
    const double x = air.HumidityRatio(h, t);
    rh = x * (P / air.StaticPressure(t)) / (x + aw::air::kMolarMassRatio) * 100;
    if (std::fabs(rh - 100) < 0.001 || step < 1e-12)
      break;
  }
  return t;
}

void BM_WetBulb100k(benchmark::State& state)
{
  const auto& inputs = Inputs();
  const auto& airs = Airs();
  for (auto _ : state)
    for (const Input& in : inputs)
      benchmark::DoNotOptimize(airs[in.altitudeIndex].WetBulbTemp(in.t, in.h));
}
BENCHMARK(BM_WetBulb100k)->Unit(benchmark::kMillisecond);

void BM_WetBulbStepSearch100k(benchmark::State& state)
{
  const auto& inputs = Inputs();
  const auto& airs = Airs();
  for (auto _ : state)
    for (const Input& in : inputs)
      benchmark::DoNotOptimize(StepSearchWetBulb(airs[in.altitudeIndex], in.t, in.h));
}
BENCHMARK(BM_WetBulbStepSearch100k)->Unit(benchmark::kMillisecond);

void BM_CompleteState100k(benchmark::State& state)
{
  const auto& inputs = Inputs();
  const auto& airs = Airs();
  for (auto _ : state)
    for (const Input& in : inputs) {
      const aw::CTAirState s = aw::AirStateFromDbRh(airs[in.altitudeIndex], in.t, in.rh);
      benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_CompleteState100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

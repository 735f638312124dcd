// The recalculation chain of one input change: required airflows, the unit
// search over a family (three plenum runs) and the cooling and heating
// results of the first solution. On a catalogue of the demonstration
// catalogue's size (15 units, 5 per family) and on one 100 times larger, to
// show that the cost grows at most linearly with the number of units.

#include "../tests/engine/EngineCatalogue.h"

#include "engine/SelectionModel.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace aw {
namespace {

// nPerFamily units of each family, sizes spread from 300 to 3200 m³/h.
std::vector<test::UnitRating> Units(int nPerFamily)
{
  std::vector<test::UnitRating> units;
  const int families[] = {Cls_BrisaData::kFamilyBrisa, Cls_BrisaData::kFamilyDorsa, Cls_BrisaData::kFamilyPelmarMF};
  for (int family : families)
    for (int i = 0; i < nPerFamily; ++i) {
      const double maxAirflow = 300 + 100 * (i % 30);
      units.push_back({"U" + std::to_string(family) + "-" + std::to_string(i), family, maxAirflow / 4, maxAirflow,
                       family == Cls_BrisaData::kFamilyBrisa, family == Cls_BrisaData::kFamilyBrisa, true});
    }
  return units;
}

void BM_InputChange(benchmark::State& state)
{
  const int perFamily = static_cast<int>(state.range(0));
  const int family = static_cast<int>(state.range(1));
  test::EngineCatalogue db{test::BuildCatalogue(Units(perFamily))};
  if (!db.Connected()) {
    state.SkipWithError("the catalogue does not load");
    return;
  }
  CTSelectionModel model(&db.factory);
  model.SetFamily(family);
  model.TotalSupplyClick(true);
  int step = 0;
  int solutions = 0;
  for (auto _ : state) {
    // Alternating requirements, so that every change recalculates in full.
    model.TotalSupply().SetVal(step++ % 2 ? 80 : 90); // l/s
    model.CapacityCallBack();
    solutions = model.Solutions().Count();
    if (!model.CoolingResults().bComputed || !model.HeatingResults().bComputed) {
      state.SkipWithError("no complete results");
      break;
    }
    benchmark::DoNotOptimize(model.HeatingResults().States.SA.DBT);
  }
  state.counters["units"] = 3.0 * perFamily;
  state.counters["solutions"] = solutions;
}

// Units per family (5: the demonstration size; 500: 100 times larger) and family.
BENCHMARK(BM_InputChange)
  ->ArgNames({"perFamily", "family"})
  ->Args({5, 0})
  ->Args({5, 1})
  ->Args({5, 2})
  ->Args({500, 0})
  ->Args({500, 1})
  ->Args({500, 2})
  ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace aw

BENCHMARK_MAIN();

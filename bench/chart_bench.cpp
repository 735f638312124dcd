// The psychrometric and Mollier charts with the eight states of a unit:
// recording the display list (target <= 1 ms) and replaying it into a
// 1440 x 900 image (target <= 8 ms).

#include "charts/PsychroGraph.h"
#include "render/ChartRender.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

aw::charts::CTChartRequest Request(bool bPsychro)
{
  aw::charts::CTChartRequest r;
  r.bPsychro = bPsychro;
  r.nWidth = 1440;
  r.nHeight = 900;
  r.szTitle = "Brisa 500, Ultra-high 1";
  r.nFamily = 1; // Dorsa: all eight states in use
  r.States.RA = {27, 47, 0.0106, 54};
  r.States.OA = {35, 50, 0.0179, 81};
  r.States.VI = {36, 47, 0.0179, 82};
  r.States.EA = {31, 50, 0.0142, 67};
  r.States.CI = {29, 55, 0.0140, 65};
  r.States.HI = {14, 95, 0.0095, 38};
  r.States.VO = r.States.HI;
  r.States.SA = {15, 90, 0.0095, 39};
  return r;
}

void BM_DisplayList(benchmark::State& state)
{
  const auto request = Request(state.range(0) != 0);
  const aw::charts::FixedTextMetrics metrics;
  for (auto _ : state) {
    aw::charts::DisplayList list;
    benchmark::DoNotOptimize(aw::charts::DrawUnitChart(list, metrics, request));
    benchmark::DoNotOptimize(list.items.data());
  }
}
BENCHMARK(BM_DisplayList)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_Replay1440x900(benchmark::State& state)
{
  const auto request = Request(state.range(0) != 0);
  const aw::render::QtTextMetrics metrics;
  aw::charts::DisplayList list;
  aw::charts::DrawUnitChart(list, metrics, request);
  QImage image(1440, 900, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    aw::render::replay(painter, list);
  }
}
BENCHMARK(BM_Replay1440x900)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
  if (!std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

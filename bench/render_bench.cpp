// Mapping and batching cost of drawing long curves onto a surface that
// records nothing.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "core/plot_document.h"
#include "render/draw_plot.h"
#include "render/svg_surface.h"

namespace merva {
namespace {

std::unique_ptr<PlotDocument> LongCurves(int curves, int points) {
  auto d = std::make_unique<PlotDocument>();
  d->maxCurves = curves;
  d->maxPoints = points;
  d->xValues.Allocate(curves, points);
  d->yValues.Allocate(curves, points);
  SetCompiledDefaults(*d);
  for (int c = 1; c <= curves; ++c) {
    float* x = d->xValues.Column(c);
    float* y = d->yValues.Column(c);
    for (int i = 0; i < points; ++i) {
      x[i] = static_cast<float>(i);
      y[i] = static_cast<float>(c + std::sin(i * 0.001));
    }
    d->pointCount[c] = points;
  }
  d->curveCount = curves;
  return d;
}

SurfaceCaps Screen() {
  SurfaceCaps caps;
  caps.technology = SURFACE_SCREEN;
  return caps;
}

void FullRedraw(benchmark::State& state) {
  auto d = LongCurves(10, 1000000);
  const SurfaceRect target{0, 0, 1200, 900};
  long long points = 0;
  {
    RecordingSurface warmUp(1200, 900, Screen(), RecordingSurface::RECORD_COUNTS_ONLY);
    DrawPlot(warmUp, *d, target, DrawOptions{});
  }
  for (auto _ : state) {
    RecordingSurface surface(1200, 900, Screen(), RecordingSurface::RECORD_COUNTS_ONLY);
    DrawPlot(surface, *d, target, DrawOptions{});
    points += 10LL * 1000000;
    benchmark::DoNotOptimize(surface.PointCount());
  }
  state.counters["points_per_second"] =
      benchmark::Counter(static_cast<double>(points), benchmark::Counter::kIsRate);
}
BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond)->Iterations(3);

void OneCurve(benchmark::State& state, bool zoomed) {
  auto d = LongCurves(1, 10000000);
  const SurfaceRect target{0, 0, 1200, 900};
  if (zoomed) {
    d->zoomed = 1;
    d->plotWindow.xLow = 5000000.0;
    d->plotWindow.xHigh = 5100000.0;  // 1 % of the record
    d->plotWindow.yLow[0] = 0.0;
    d->plotWindow.yHigh[0] = 2.0;
  }
  {
    // Extents and the monotonic state are computed once per data change.
    RecordingSurface warmUp(1200, 900, Screen(), RecordingSurface::RECORD_COUNTS_ONLY);
    DrawPlot(warmUp, *d, target, DrawOptions{});
  }
  for (auto _ : state) {
    RecordingSurface surface(1200, 900, Screen(), RecordingSurface::RECORD_COUNTS_ONLY);
    DrawPlot(surface, *d, target, DrawOptions{});
    benchmark::DoNotOptimize(surface.PointCount());
  }
}
void FullViewOfTenMillion(benchmark::State& state) { OneCurve(state, false); }
void ZoomedOnePercentOfTenMillion(benchmark::State& state) { OneCurve(state, true); }
BENCHMARK(FullViewOfTenMillion)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ZoomedOnePercentOfTenMillion)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace merva

BENCHMARK_MAIN();

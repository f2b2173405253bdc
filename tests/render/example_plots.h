#pragma once

// The example plots: one per scale kind, used by the drawing tests and
// written out as pictures on request.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "render_test_support.h"

namespace merva {
namespace test {

struct ExamplePlot {
  std::string name;
  std::function<void(PlotDocument&)> fill;
};

inline void Legend(PlotDocument& d, int c, const char* text, const char* tag = "") {
  d.legendText[c].Set(text);
  d.curveTag[c].Set(tag);
}

inline std::vector<ExamplePlot> ExamplePlots() {
  const double pi = 3.141592653589793;
  std::vector<ExamplePlot> plots;
  plots.push_back({"EX01", [pi](PlotDocument& d) {
                     std::vector<double> x, y1, y2;
                     for (int i = 0; i <= 200; ++i) {
                       x.push_back(i * 0.05);
                       y1.push_back(std::sin(i * 0.05) * std::exp(-i * 0.005));
                       y2.push_back(0.5 * std::cos(i * 0.05 * 1.7));
                     }
                     SetCurve(d, 1, x, y1);
                     SetCurve(d, 2, x, y2);
                     d.lineType[2] = 2;
                     d.symbolType[1] = 0;
                     d.lineWidth[1] = 20;
                     d.title1.Set("Damped Oscillation");
                     d.title2.Set("Linear X - Linear Y");
                     d.xAxisLabel.Set("Time, seconds");
                     d.yAxisLabel.Set("Displacement, inches");
                     Legend(d, 1, "Damped sine", "S1");
                     Legend(d, 2, "Cosine, 1.7 rad/s", "C2");
                     d.legendTitle.Set("Records");
                     d.legendX = 0.62;
                     d.legendY = 0.03;
                     PointLabel label;
                     label.curve = 1;
                     label.point = 32;
                     label.x = 2.4;
                     label.y = 0.93;
                     label.attributes = 4;
                     label.text.Set("Peak at $X s");
                     d.pointLabels.push_back(label);
                     (void)pi;
                   }});
  plots.push_back({"EX02", [](PlotDocument& d) {
                     std::vector<double> x, y;
                     for (int i = 0; i <= 120; ++i) {
                       const double f = 0.3 * std::pow(10.0, i / 40.0);
                       x.push_back(f);
                       y.push_back(50.0 / (1.0 + std::pow(f / 8.0, 2.0)) + 0.5 * f);
                     }
                     SetCurve(d, 1, x, y);
                     d.scaleType = SCALE_LOG_LOG;
                     d.title1.Set("Frequency Response");
                     d.xAxisLabel.Set("Frequency, Hz");
                     d.yAxisLabel.Set("Amplitude");
                     Legend(d, 1, "Response", "R");
                     d.legendX = 0.05;
                     d.legendY = 0.75;
                   }});
  plots.push_back({"EX03", [](PlotDocument& d) {
                     std::vector<double> x, y;
                     const double values[] = {0.5, 2, 5, 10, 20, 35, 50, 65, 80, 90, 95, 98, 99.5};
                     for (int i = 0; i < 13; ++i) {
                       x.push_back(10.0 + i * 2.5);
                       y.push_back(values[i]);
                     }
                     SetCurve(d, 1, x, y);
                     d.symbolType[1] = 5;
                     d.symbolSize[1] = 80;
                     d.scaleType = SCALE_LINEAR_PROBABILITY;
                     d.title1.Set("Cumulative Strength Distribution");
                     d.xAxisLabel.Set("Compressive strength, MPa");
                     d.yAxisLabel.Set("Cumulative probability, percent");
                   }});
  plots.push_back({"EX04", [](PlotDocument& d) {
                     std::vector<double> x, y;
                     for (int i = 0; i <= 80; ++i) {
                       const double f = 0.5 * std::pow(10.0, i / 40.0);
                       x.push_back(f);
                       y.push_back(8.0 * f / (1.0 + f * f / 100.0) / (1.0 + 2.0 / f));
                     }
                     SetCurve(d, 1, x, y);
                     d.scaleType = SCALE_TRIPARTITE;
                     d.unitSystem = 0;
                     d.lineWidth[1] = 15;
                     d.title1.Set("Shock Response Spectrum");
                     d.xAxisLabel.Set("Frequency, Hertz");
                     d.yAxisLabel.Set("Pseudo velocity, inches/sec");
                   }});
  plots.push_back({"EX05", [](PlotDocument& d) {
                     SetCurve(d, 1, {9.525, 4.75, 2.0, 0.85, 0.425, 0.25, 0.15, 0.075, 0.02},
                              {100, 96, 88, 74, 55, 38, 22, 12, 4});
                     d.symbolType[1] = 7;
                     d.symbolSize[1] = 70;
                     d.scaleType = SCALE_GRAIN_SIZE;
                     d.title1.Set("Sieve Analysis, Boring B-3");
                     Legend(d, 1, "Sample 3, 12 ft");
                     d.legendX = 0.02;
                     d.legendY = 0.7;
                   }});
  plots.push_back({"EX06", [pi](PlotDocument& d) {
                     std::vector<double> a, r;
                     for (int i = 0; i <= 72; ++i) {
                       a.push_back(i * 5.0);
                       r.push_back(6.0 + 3.0 * std::cos(3.0 * i * 5.0 * pi / 180.0));
                     }
                     SetCurve(d, 1, a, r);
                     d.scaleType = SCALE_POLAR;
                     d.unitSystem = 1;
                     d.title1.Set("Directivity Pattern");
                   }});
  plots.push_back({"EX07", [](PlotDocument& d) {
                     SetCurve(d, 1, {1, 2, 3, 4, 5, 6}, {3, 5, 2, 6, 4, 7});
                     SetCurve(d, 2, {1, 2, 3, 4, 5, 6}, {2, 4, 3, 5, 6, 5});
                     d.scaleType = SCALE_BAR_CHART;
                     d.filledBars = 1;
                     d.title1.Set("Monthly Tests");
                     d.xAxisLabel.Set("Month");
                     d.yAxisLabel.Set("Count");
                     Legend(d, 1, "Site A");
                     Legend(d, 2, "Site B");
                     d.legendX = 0.02;
                     d.legendY = 0.02;
                   }});
  plots.push_back({"EX08", [](PlotDocument& d) {
                     std::vector<double> x, y1, y2, y3;
                     for (int i = 0; i <= 60; ++i) {
                       x.push_back(i);
                       y1.push_back(20 + 10 * std::sin(i / 8.0));
                       y2.push_back(12 + 6 * std::sin(i / 8.0 + 0.6));
                       y3.push_back(5 + i / 6.0);
                     }
                     SetCurve(d, 1, x, y1);
                     SetCurve(d, 2, x, y2);
                     SetCurve(d, 3, x, y3);
                     d.lineType[3] = 4;
                     d.symbolType[3] = 102;
                     d.symbolSize[3] = 60;
                     d.symbolType[2] = 106;
                     d.symbolSize[2] = 60;
                     FillRegion fill;
                     fill.first = 1;
                     fill.second = 2;
                     fill.kind = 2;
                     fill.style = 4;
                     fill.color = 0x00C08040;
                     d.fillRegions.push_back(fill);
                     d.gridType = 2;
                     d.title1.Set("Envelope With Fill");
                     d.xAxisLabel.Set("Station");
                     d.yAxisLabel.Set("Stress, ksi");
                     Legend(d, 1, "Upper bound");
                     Legend(d, 2, "Lower bound");
                     Legend(d, 3, "Trend");
                     d.legendX = 0.7;
                     d.legendY = 0.65;
                     d.note.text = "Fill between curves 1 and 2, cross-hatched";
                     d.note.attribute1 = 1 | 2 | 4;
                     d.note.x = 0.05;
                     d.note.y = 0.05;
                   }});
  return plots;
}

}  // namespace test
}  // namespace merva

#include "processing/curve_analysis.h"

#include <cmath>

#include "core/number_text.h"
#include "core/record_units.h"
#include "processing/interpolation.h"

namespace merva {

namespace {

constexpr char LINE_END[] = "\r\n";

std::string FormatX(const PlotDocument& d, double v, const NumberFormatContext& numbers) {
  return FormatAxisNumber(v, 0.0, d.xNumberFormat, numbers);
}
std::string FormatY(const PlotDocument& d, double v, const NumberFormatContext& numbers) {
  return FormatAxisNumber(v, 0.0, d.yNumberFormat, numbers);
}

// Data-processing mode: every curve runs on curve 1's X, so one bracket on
// curve 1 serves them all.
void AppendRecordValues(const PlotDocument& d, double x, const NumberFormatContext& numbers,
                        std::string& text) {
  const int n = d.pointCount[1];
  for (int j = 1; j < n; ++j) {
    const double x0 = d.X(1, j), x1 = d.X(1, j + 1);
    if (!((x0 <= x && x <= x1) || (x1 <= x && x <= x0))) continue;
    const double t = x1 == x0 ? 0.0 : (x - x0) / (x1 - x0);
    for (int c = 1; c <= d.curveCount; ++c) {
      if (d.pointCount[c] < j + 1) continue;
      const double v = d.Y(c, j) + t * (static_cast<double>(d.Y(c, j + 1)) - d.Y(c, j));
      std::string name = RecordCurveName(d.processState.dataType, c - 1);
      if (name.empty()) name = CurveName(d, c);
      text += name + ": " + FormatY(d, v, numbers) + LINE_END;
    }
    return;
  }
}

}  // namespace

std::string CurveName(const PlotDocument& document, int curve) {
  if (!document.legendText[curve].IsBlank()) return document.legendText[curve].Str();
  return "Curve " + std::to_string(curve);
}

std::string InterpolationText(PlotDocument& d, double x, const NumberFormatContext& numbers) {
  std::string text = "At X = " + FormatX(d, x, numbers) + LINE_END;
  if (d.processMode != 0) {
    AppendRecordValues(d, x, numbers, text);
    return text;
  }
  for (int c = 1; c <= d.curveCount; ++c) {
    MonotonicState(d, c);
    int k = 1;
    double value = 0.0;
    if (InterpolateCurve(d, c, x, k, value) != INTERPOLATION_FOUND) continue;
    text += CurveName(d, c) + ": " + FormatY(d, value, numbers) + LINE_END;
  }
  return text;
}

Status FindBaseline(const PlotDocument& d, int curve, double lower, double upper, double& mean) {
  if (lower > upper) std::swap(lower, upper);
  const float low = static_cast<float>(lower), high = static_cast<float>(upper);
  double sum = 0.0;
  long long count = 0;
  for (int i = 1; i <= d.pointCount[curve]; ++i) {
    const float x = d.X(curve, i);
    if (x >= low && x <= high) {
      sum += d.Y(curve, i);
      ++count;
    }
  }
  if (count == 0) return Status::Failure(NO_POINTS_IN_RANGE);
  mean = sum / static_cast<double>(count);
  Status status;
  status.Add("Baseline = " + FormatG(mean));
  return status;
}

std::string PeakValuesText(const PlotDocument& d, const NumberFormatContext& numbers) {
  const char* at = d.processMode != 0 ? " at T = " : " at X = ";
  std::string text;
  for (int c = 1; c <= d.curveCount; ++c) {
    const int n = d.pointCount[c];
    text += "Curve " + std::to_string(c) + ": ";
    text += d.legendText[c].IsBlank() ? std::string("Unknown Data") : d.legendText[c].Str();
    text += LINE_END;
    if (n < 1) continue;
    int high = 1, low = 1;
    for (int i = 2; i <= n; ++i) {
      // Strict comparisons: the first of equal extremes wins; a NaN never does.
      if (d.Y(c, i) > d.Y(c, high) || std::isnan(d.Y(c, high))) high = i;
      if (d.Y(c, i) < d.Y(c, low) || std::isnan(d.Y(c, low))) low = i;
    }
    text += "  Maximum = " + FormatY(d, d.Y(c, high), numbers) + at +
            FormatX(d, d.X(c, high), numbers) + LINE_END;
    text += "  Minimum = " + FormatY(d, d.Y(c, low), numbers) + at +
            FormatX(d, d.X(c, low), numbers) + LINE_END;
  }
  return text;
}

std::string PointCountText(const PlotDocument& d) {
  std::string text;
  for (int c = 1; c <= d.curveCount; ++c)
    text += CurveName(d, c) + ": " + std::to_string(d.pointCount[c]) + LINE_END;
  return text;
}

}  // namespace merva

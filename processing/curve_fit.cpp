#include "processing/curve_fit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <new>

#include "core/messages.h"
#include "core/number_text.h"
#include "processing/curve_fit_report.h"
#include "processing/curve_slots.h"
#include "processing/interpolation.h"
#include "processing/least_squares.h"

namespace merva {

namespace {

const char* const NOT_FINITE_TEXT = "The curve holds values that are not finite numbers.";
const char* const TOO_FEW_GENERATED_TEXT = "The number of points must be > 1.";
const char* const NO_POINTS_TEXT = "The curve has no points to fit.";
constexpr double LARGEST_LOG_AMPLITUDE = 38.0;
constexpr double LARGEST_AMPLITUDE = 1.0e38;

// One value in fit coordinates, held as the single-precision plotted value.
// Returns 0 or the number of the message that refuses the value.
int Transform(FitAxis axis, float value, float& out) {
  switch (axis) {
    case FitAxis::Log10:
      if (std::isnan(value)) return -1;
      if (!(value > 0.0f)) return MSG_LOG_NONPOSITIVE;
      out = static_cast<float>(std::log10(static_cast<double>(value)));
      break;
    case FitAxis::Probability:
      if (!(value > 0.0f && value < 100.0f)) return MSG_PROBABILITY_RANGE;
      out = static_cast<float>(ProbabilityToDeviate(value));
      break;
    case FitAxis::Linear:
      out = value;
      break;
  }
  return std::isfinite(out) ? 0 : -1;
}

// Through single precision; beyond its range the value becomes infinite
// (a plain conversion would be undefined there).
double SinglePrecision(double value) {
  if (std::fabs(value) > std::numeric_limits<float>::max())
    return value > 0.0 ? HUGE_VAL : -HUGE_VAL;
  return static_cast<float>(value);
}

Status Refusal(int problem) {
  return problem > 0 ? Status::Failure(problem) : Status::Failure(NOT_FINITE_TEXT);
}

std::string WithBlanksFilled(std::string text, const std::string& first,
                             const std::string& second) {
  const std::string blanks = "__________";
  std::size_t at = text.find(blanks);
  if (at != std::string::npos) text.replace(at, blanks.size(), first);
  at = text.find(blanks);
  if (at != std::string::npos) text.replace(at, blanks.size(), second);
  return text;
}

}  // namespace

FitCoordinates FitCoordinatesOf(int scaleType) {
  FitCoordinates c;
  if (HasLogX(scaleType)) c.u = FitAxis::Log10;
  if (HasLogY(scaleType)) c.v = FitAxis::Log10;
  if (HasProbabilityY(scaleType)) c.v = FitAxis::Probability;
  switch (scaleType) {
    case SCALE_LINEAR_LOG:
      c.header = FitHeader::LogY;
      c.natural = NaturalForm::LnY;
      break;
    case SCALE_LOG_LINEAR:
    case SCALE_GRAIN_SIZE:
      c.header = FitHeader::LogX;
      c.natural = NaturalForm::LnX;
      break;
    case SCALE_LOG_LOG:
    case SCALE_TRIPARTITE:
      c.header = FitHeader::LogLog;
      break;
    case SCALE_LINEAR_PROBABILITY:
    case SCALE_LOG_PROBABILITY:
    case SCALE_PROBABILITY_PROBABILITY:
      c.header = FitHeader::Probability;
      break;
    default:
      break;
  }
  return c;
}

int MaxDialogFitOrder(int n) { return std::max(0, std::min(n - 1, MAX_DIALOG_FIT_ORDER)); }

double FittedValue(const CurveFit& fit, double u) {
  double value = 0.0;
  for (std::size_t k = fit.coefficients.size(); k-- > 0;) value = value * u + fit.coefficients[k];
  return value;
}

Status FitCurve(const PlotDocument& d, int curve, int order, CurveFit& fit) {
  if (curve < 1 || curve > d.curveCount || order < 0) return Status::Failure();
  const int n = d.pointCount[curve];
  if (n < 1) return Status::Failure(NO_POINTS_TEXT);
  if (order > MAX_STORED_FIT_ORDER) return Status::Failure(MSG_FIT_ALLOCATION);
  const FitCoordinates coordinates = FitCoordinatesOf(d.scaleType);
  const float* x = d.xValues.Column(curve);
  const float* y = d.yValues.Column(curve);
  CurveFit result;
  result.order = order;
  result.coordinates = coordinates;
  result.pointCount = n;
  try {
    NormalEquations sums(order);
    double low = x[0], high = x[0];
    for (int i = 0; i < n; ++i) {
      float u = 0.0f, v = 0.0f;
      int problem = Transform(coordinates.u, x[i], u);
      if (problem == 0) problem = Transform(coordinates.v, y[i], v);
      if (problem != 0) return Refusal(problem);
      sums.Add(u, v);
      low = std::min(low, static_cast<double>(x[i]));
      high = std::max(high, static_cast<double>(x[i]));
    }
    result.lowX = low;
    result.highX = high;
    std::vector<double> matrix = sums.Matrix();
    result.coefficients = sums.RightHandSide();
    if (!SolveGaussJordan(matrix, order + 1, result.coefficients))
      return Status::Failure(MSG_FIT_SINGULAR);
  } catch (const std::bad_alloc&) {
    return Status::Failure(MSG_FIT_ALLOCATION);
  }
  double sse = 0.0, s = 0.0, ss = 0.0;
  for (int i = 0; i < n; ++i) {
    float u = 0.0f, v = 0.0f;
    Transform(coordinates.u, x[i], u);
    Transform(coordinates.v, y[i], v);
    const double f = SinglePrecision(FittedValue(result, u));
    sse += (f - v) * (f - v);
    s += v;
    ss += static_cast<double>(v) * v;
  }
  const double sst = ss - s * s / n;
  if (sse == 0.0)
    result.correlation = 1.0;
  else if (sse < sst)
    result.correlation = std::sqrt(1.0 - sse / sst);
  else
    result.correlation = 0.0;
  fit = std::move(result);
  return Status::Success();
}

Status GenerateFittedCurve(PlotDocument& d, const CurveFit& fit, long long points, double lower,
                           double upper, int& resultCurve) {
  if (points <= 1) return Status::Failure(TOO_FEW_GENERATED_TEXT);
  if (points > INT_MAX) return Status::Failure(MSG_FIT_ALLOCATION);
  if (!std::isfinite(lower) || !std::isfinite(upper)) return Status::Failure(NOT_FINITE_TEXT);
  const bool logX = fit.coordinates.u == FitAxis::Log10;
  if (logX) {
    if (!(lower > 0.0 && upper > 0.0)) return Status::Failure(MSG_LOG_NONPOSITIVE);
    lower = std::log10(lower);
    upper = std::log10(upper);
  }
  const int count = static_cast<int>(points);
  int slot = 0;
  Status taken = TakeFreeCurveSlot(d, count, slot);
  if (!taken.Ok()) return taken;
  float* outX = d.xValues.Column(slot);
  float* outY = d.yValues.Column(slot);
  const double step = (upper - lower) / (count - 1);
  for (int j = 0; j < count; ++j) {
    const double u = j * step + lower;
    const double v = FittedValue(fit, u);
    const double xValue = logX ? std::pow(10.0, u) : u;
    double yValue = v;
    if (fit.coordinates.v == FitAxis::Log10) {
      if (!(std::fabs(v) <= LARGEST_LOG_AMPLITUDE))
        return Status::Failure(
            WithBlanksFilled(MessageText(MSG_FIT_AMPLITUDE_LIMIT), FormatG(xValue), FormatG(v)));
      yValue = std::pow(10.0, v);
    } else if (fit.coordinates.v == FitAxis::Probability) {
      yValue = DeviateToProbability(v);
    }
    if (!(std::fabs(yValue) <= LARGEST_AMPLITUDE) || !(std::fabs(xValue) <= LARGEST_AMPLITUDE))
      return Status::Failure(MSG_REAL4_LIMIT);
    outX[j] = static_cast<float>(xValue);
    outY[j] = static_cast<float>(yValue);
  }
  d.pointCount[slot] = count;
  d.legendText[slot].Set(CurveFitLegend(fit.order));
  d.curveCount = slot;
  d.monotonicState[slot] = upper > lower ? STATE_YES : STATE_UNKNOWN;
  d.spacingState[slot] = logX ? STATE_NO : (upper > lower ? STATE_YES : STATE_UNKNOWN);
  d.MarkChanged();
  resultCurve = slot;
  return Status::Success();
}

}  // namespace merva

#include "render/plot_layout.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/record_units.h"
#include "files/settings.h"
#include "render/number_format.h"
#include "render/probability.h"
#include "render/scale_check.h"
#include "render/tripartite_units.h"

namespace merva {

namespace {

constexpr int X_INTERVALS = 10;
constexpr int Y_INTERVALS = 6;
constexpr int MAX_BAR_INTERVALS = 8;
constexpr int MAX_WYSIWYG_PASSES = 20;
// In a document window smaller than the default picture size (inches) the
// fonts shrink in proportion, but not below a readable size, and titles too
// long for their room shrink a little more.
constexpr double FULL_SIZE_WIDTH = 6.0;
constexpr double FULL_SIZE_HEIGHT = 4.5;
constexpr double SMALLEST_POINTS = 7.0;
constexpr double SMALLEST_TITLE_POINTS = 6.0;
constexpr int FIT_PASSES = 6;
constexpr double MIN_FRAME_SHARE = 0.5;

bool IndependentMode(const PlotDocument& d) {
  return d.yAxisMode == 2 && d.scaleType >= 1 && d.scaleType <= 5;
}

double Transform(int kind, double v) {
  switch (kind) {
    case AXIS_LOG:
      return v > 0.0 ? std::log10(v) : std::nan("");
    case AXIS_PROBABILITY:
      return v > 0.0 && v < 100.0 ? ProbabilityDeviate(v) : std::nan("");
    default:
      return v;
  }
}

AxisMapping MakeMapping(const AxisScale& axis, double deviceLow, double deviceHigh) {
  AxisMapping m;
  m.kind = axis.kind;
  m.origin = Transform(axis.kind, axis.low);
  const double span = Transform(axis.kind, axis.high) - m.origin;
  m.factor = span != 0.0 && std::isfinite(span) ? (deviceHigh - deviceLow) / span : 0.0;
  m.device = deviceLow;
  return m;
}

int PowerOfTwoAbove(int count) {
  const int exponent = static_cast<int>(std::trunc(std::log2(static_cast<double>(count - 1)))) + 1;
  return 1 << std::min(exponent, 30);
}

double FirstGap(const PlotDocument& d) {
  if (d.curveCount >= 1 && d.pointCount[1] >= 2) {
    const double g = static_cast<double>(d.X(1, 2)) - d.X(1, 1);
    if (g != 0.0 && std::isfinite(g)) return g;
  }
  return 1.0;
}

// Target interval count of the bar chart X axis; widens automatic limits.
int BarChartXIntervals(const PlotDocument& d, double& lo, double& hi, bool automatic) {
  const double gap = std::fabs(FirstGap(d));
  const bool reversed = hi < lo;
  double a = std::min(lo, hi), b = std::max(lo, hi);
  const int count = static_cast<int>(std::max<long long>(1, RoundHalfAway((b - a) / gap)));
  if (count <= MAX_BAR_INTERVALS) return count;
  if (!automatic) return MAX_BAR_INTERVALS;
  const int power = PowerOfTwoAbove(count);
  const int grow = (power - count - 1) / 2 + 1;
  const int shrink = count % 2 != 0 ? grow - 1 : grow;
  b += grow * gap;
  a -= shrink * gap;
  double width = gap;
  while ((b - a) / width > 15.0) width *= 2.0;
  lo = reversed ? b : a;
  hi = reversed ? a : b;
  return static_cast<int>(std::max<long long>(1, RoundHalfAway((b - a) / width)));
}

int BarChartYIntervals(double& lo, double& hi, bool automatic) {
  const long long count = RoundHalfAway(std::fabs(hi - lo));
  if (count < 2) return 6;
  if (count > MAX_BAR_INTERVALS) {
    if (automatic) {
      const int power = PowerOfTwoAbove(static_cast<int>(std::min<long long>(count, 1 << 29)));
      if (hi >= lo)
        hi += power - count;
      else
        lo += power - count;
    }
    return MAX_BAR_INTERVALS;
  }
  return static_cast<int>(count);
}

// The raw limits of this draw, stored in the PlotWindow.
void SourceLimits(PlotDocument& d) {
  if (d.zoomed) return;
  if (!d.manualScale) {
    d.plotWindow = d.extents.limits;
    return;
  }
  AxisLimits& m = d.manualLimits;
  const AxisLimits& e = d.extents.limits;
  if (m.xLow == m.xHigh) {
    m.xLow = e.xLow;
    m.xHigh = e.xHigh;
  }
  for (int k = 0; k < MAX_Y_AXES; ++k) {
    if (m.yLow[k] == m.yHigh[k]) {
      m.yLow[k] = e.yLow[k];
      m.yHigh[k] = e.yHigh[k];
    }
  }
  d.plotWindow = m;
}

// One axis from its raw limits.
AxisScale ScaleOneAxis(const PlotDocument& d, int kind, double lo, double hi, int intervals,
                       int physicalIntervals, int formatKind, bool wholeDecades) {
  const bool physical = d.manualTicks != 0;
  if (kind == AXIS_LOG) {
    if (d.zoomed || (physical && !wholeDecades)) return KeepLogAxis(lo, hi);
    return RoundLogAxis(lo, hi, wholeDecades);
  }
  if (kind == AXIS_PROBABILITY) {
    AxisScale axis = RoundProbabilityAxis(lo, hi);
    if (d.zoomed) {
      axis.low = lo;
      axis.high = hi;
    }
    return axis;
  }
  if (d.zoomed) return InwardLinearAxis(lo, hi, intervals, formatKind);
  if (physical) return FixedLinearAxis(lo, hi, physicalIntervals, formatKind);
  return RoundLinearAxis(lo, hi, intervals, formatKind);
}

struct Margins {
  int widestCurveLabel = 0;
};

void ComputeLabels(const PlotDocument& d, const DrawOptions& options, PlotLayout& L) {
  const NumberFormatContext& nf = options.numbers;
  L.polarLabels.clear();
  if (L.scaleType == SCALE_POLAR && L.x.tickCount >= 2) {
    const double pi = 3.141592653589793;
    const bool degrees = PolarDegrees(d);
    const double stepAngle = 2.0 * pi / (L.x.tickCount - 1);
    const double labelStep = degrees ? stepAngle * 180.0 / pi : stepAngle;
    for (int k = 1; k <= L.x.tickCount - 2; ++k) {
      const double a = stepAngle * k;
      L.polarLabels.push_back(std::string(TrimLeft(
          FormatAxisNumber(degrees ? a * 180.0 / pi : a, labelStep, d.xNumberFormat, nf))));
    }
  }
  switch (L.x.kind) {
    case AXIS_LOG:
      L.xTicks = LogTicks(L.x, d.xNumberFormat, nf, L.xDrawable);
      break;
    case AXIS_PROBABILITY:
      L.xTicks = ProbabilityTicks(L.x, true);
      break;
    default:
      L.xTicks = LinearTicks(L.x, d.xNumberFormat, nf);
  }
  const AxisScale& left = L.y[static_cast<std::size_t>(L.leftAxis - 1)];
  switch (left.kind) {
    case AXIS_LOG:
      L.leftTicks = LogTicks(left, d.yNumberFormat, nf, L.leftDrawable);
      break;
    case AXIS_PROBABILITY:
      L.leftTicks = ProbabilityTicks(left, true);
      break;
    default:
      L.leftTicks = LinearTicks(left, d.yNumberFormat, nf);
  }
  L.topTicks.clear();
  if (L.x2Transform) {
    L.topTicks = L.xTicks;
    RelabelTicks(L.topTicks, d.x2Offset, d.x2Factor,
                 L.x.kind == AXIS_LINEAR ? std::fabs(d.x2Factor * L.x.step) : 0.0, d.xNumberFormat,
                 nf);
  }
  L.rightTicks.clear();
  if (L.y2Transform) {
    if (L.y2OwnTicks) {
      L.rightTicks = LinearTicks(L.y2, d.yNumberFormat, nf);
    } else {
      L.rightTicks = L.leftTicks;
      for (AxisTick& t : L.rightTicks) t.labelled = t.labelled || left.kind == AXIS_LINEAR;
      RelabelTicks(L.rightTicks, d.y2Offset, d.y2Factor,
                   left.kind == AXIS_LINEAR ? std::fabs(d.y2Factor * left.step) : 0.0,
                   d.yNumberFormat, nf);
      for (AxisTick& t : L.rightTicks) t.value = d.y2Offset + d.y2Factor * t.value;
    }
  } else if (L.scaleType == SCALE_GRAIN_SIZE) {
    L.rightTicks = L.leftTicks;
    for (AxisTick& t : L.rightTicks)
      t.label = FormatAxisNumber(100.0 - t.value, std::fabs(left.step), d.yNumberFormat, nf);
  } else if (L.rightAxis > 0) {
    const AxisScale& right = L.y[static_cast<std::size_t>(L.rightAxis - 1)];
    if (right.kind == AXIS_LOG)
      L.rightTicks = LogTicks(right, d.yNumberFormat, nf, L.rightDrawable);
    else
      L.rightTicks = LinearTicks(right, d.yNumberFormat, nf);
  }
}

int CurveLabelWidth(const PlotDocument& d, DrawingSurface& surface, const PlotFonts& fonts,
                    const PlotLayout& L) {
  int widest = 0;
  for (int c = L.firstCurve; c >= 1 && c <= L.lastCurve; ++c) {
    if (d.curveTag[c].IsBlank()) continue;
    widest = std::max(widest, fonts.Extent(surface, FONT_LEGEND, d.curveTag[c].Trimmed()).width +
                                  fonts.AverageWidth(FONT_LEGEND) / 2);
  }
  return widest;
}

void ReadMeasures(const PlotFonts& fonts, PlotLayout& L) {
  L.wN = fonts.AverageWidth(FONT_NUMBERS);
  L.hN = fonts.LineHeight(FONT_NUMBERS);
  L.hT1 = fonts.LineHeight(FONT_TITLE1);
  L.hT2 = fonts.LineHeight(FONT_TITLE2);
  L.hX = fonts.LineHeight(FONT_X_AXIS);
  L.hY = fonts.LineHeight(FONT_Y_AXIS);
  L.wL = fonts.AverageWidth(FONT_LEGEND);
  L.hL = fonts.LineHeight(FONT_LEGEND);
}

// The frame that the margins leave of the target.
PlotFrame MarginFrame(const PlotDocument& d, DrawingSurface& surface, const PlotFonts& fonts,
                      PlotLayout& L) {
  ReadMeasures(fonts, L);
  auto measure = [&](const std::string& text) {
    return fonts.Extent(surface, FONT_NUMBERS, TrimLeft(text)).width;
  };
  L.widestLeftLabel = WidestLabel(L.leftTicks, measure);
  L.widestRightLabel = WidestLabel(L.rightTicks, measure);
  const bool polar = L.scaleType == SCALE_POLAR;
  const bool probabilityRepeated = L.y[0].kind == AXIS_PROBABILITY && L.gridType != 0;
  if (probabilityRepeated) L.widestRightLabel = std::max(L.widestRightLabel, L.widestLeftLabel);
  int halfFirstX = 0, halfLastX = 0;
  for (const AxisTick& t : L.xTicks) {
    if (!t.labelled) continue;
    const int half = measure(t.label) / 2;
    if (halfFirstX == 0) halfFirstX = half;
    halfLastX = half;
  }
  if (polar) {
    // Angle labels stand 2 units outside the outer circle on both sides.
    halfFirstX = 0;
    for (const std::string& label : L.polarLabels)
      halfFirstX = std::max(halfFirstX, measure(label));
    halfFirstX += 2;
    halfLastX = halfFirstX;
  }
  const bool grain = L.scaleType == SCALE_GRAIN_SIZE;
  const bool secondary = L.y2Transform || L.rightAxis > 0 || grain;
  const int margin3 = polar ? 0 : 3 * L.wN;
  PlotFrame f;
  f.left = L.target.left + std::max(L.widestLeftLabel, halfFirstX) + margin3 +
           ((grain || !d.yAxisLabel.IsBlank()) && !polar ? L.hY : 0);
  f.right = L.target.right -
            std::max({CurveLabelWidth(d, surface, fonts, L), L.widestRightLabel, halfLastX}) -
            margin3 - (secondary && (grain || !d.y2AxisLabel.IsBlank()) && !polar ? L.hY : 0);
  // Polar angle labels stand 2 units off the outer circle.
  const int polarBottom = std::max(L.hN, fonts.Metrics(FONT_NUMBERS).height + 2);
  f.bottom = polar ? L.target.bottom - polarBottom : L.target.bottom - 2 * L.hN - L.hX;
  // A full label line: less would put the secondary X labels into the titles.
  L.topLabelRoom = L.x2Transform ? L.hN + (d.x2AxisLabel.IsBlank() ? 0 : L.hX) : 0;
  f.top = L.target.top + L.hN + L.hT1 + (d.title2.IsBlank() ? 0 : L.hT2) +
          (d.title3.IsBlank() ? 0 : L.hT2) + L.topLabelRoom;
  if (L.scaleType == SCALE_GRAIN_SIZE) {
    f.top += 2 * L.hN;
    f.bottom -= 2 * L.hN;
  }
  if (f.right <= f.left + 1) f.right = f.left + 2;
  if (f.bottom <= f.top + 1) f.bottom = f.top + 2;
  return f;
}

// Smallest fitting factor that keeps a font of `points` at `smallest`.
double LowestFit(double points, double smallest) {
  return points > smallest ? smallest / points : 1.0;
}

// Shrinks the fonts for a small target and for titles longer than their
// room; the frame follows the fonts.
void FitFonts(const PlotDocument& d, DrawingSurface& surface, PlotFonts& fonts,
              const std::array<FontDescription, TEXT_ELEMENT_COUNT>& table,
              const DrawOptions& options, PlotLayout& L, PlotFrame& frame) {
  const double wt = L.target.Width(), ht = L.target.Height();
  if (wt <= 0.0 || ht <= 0.0) return;
  auto points = [&](int e) {
    return std::fabs(static_cast<double>(table[static_cast<std::size_t>(e - 1)].height));
  };
  // In proportion to the area: a narrow window keeps more of the size than
  // its width alone would give; titles that still do not fit shrink below.
  const double area = std::min(1.0, std::sqrt(wt / (FULL_SIZE_WIDTH * L.caps.logPixelsX) * ht /
                                              (FULL_SIZE_HEIGHT * L.caps.logPixelsY)));
  L.areaScale = area;
  std::array<double, TEXT_ELEMENT_COUNT> fit = fonts.Fit();
  bool changed = false;
  if (area < 1.0) {
    for (int e = 1; e <= TEXT_ELEMENT_COUNT; ++e)
      fit[static_cast<std::size_t>(e - 1)] = std::max(area, LowestFit(points(e), SMALLEST_POINTS));
    changed = true;
  }
  const AxisTitles titles = ShownAxisTitles(d, L);
  for (int pass = 0; pass <= FIT_PASSES; ++pass) {
    if (changed) {
      fonts.SetFit(fit);
      fonts.Create(surface, table, L.caps, fonts.Scale());
      frame = MarginFrame(d, surface, fonts, L);
    }
    if (pass == FIT_PASSES) break;
    changed = false;
    auto shrink = [&](int e, const std::string& text, double space) {
      if (text.empty() || space <= 0.0) return;
      const int width = fonts.Extent(surface, e, text).width;
      if (width <= space) return;
      double& f = fit[static_cast<std::size_t>(e - 1)];
      const double wanted =
          std::max(LowestFit(points(e), SMALLEST_TITLE_POINTS), f * space / width * 0.99);
      if (wanted < f - 1e-9) {
        f = wanted;
        changed = true;
      }
    };
    // Margins of text take at most half the drawing area each way.
    if (frame.bottom - frame.top < MIN_FRAME_SHARE * ht ||
        frame.right - frame.left < MIN_FRAME_SHARE * wt) {
      for (int e = 1; e <= TEXT_ELEMENT_COUNT; ++e) {
        double& f = fit[static_cast<std::size_t>(e - 1)];
        const double wanted = std::max(f * 0.9, LowestFit(points(e), SMALLEST_POINTS));
        if (wanted < f - 1e-9) {
          f = wanted;
          changed = true;
        }
      }
    }
    const double titleSpace = TitleSpace(d, L, surface, fonts, options);
    shrink(FONT_TITLE1, d.title1.Str(), titleSpace);
    shrink(FONT_TITLE2, d.title2.Str(), titleSpace);
    shrink(FONT_TITLE2, d.title3.Str(), titleSpace);
    if (L.scaleType != SCALE_POLAR) {
      const double cx = std::trunc((frame.left + frame.right) / 2.0);
      shrink(FONT_X_AXIS, titles.x, XTitleSpace(d, L, surface, fonts, options, cx));
      shrink(FONT_Y_AXIS, titles.y, frame.bottom - frame.top);
      if (titles.secondaryShown) shrink(FONT_Y_AXIS, titles.y2, frame.bottom - frame.top);
    }
    if (!changed) break;
  }
}

PlotFrame CentredFrame(const PlotFrame& around, double width, double height) {
  const double cx = (around.left + around.right) / 2.0;
  const double cy = (around.top + around.bottom) / 2.0;
  PlotFrame f;
  f.left = std::trunc(cx - width / 2.0);
  f.right = f.left + std::trunc(width);
  f.top = std::trunc(cy - height / 2.0);
  f.bottom = f.top + std::trunc(height);
  return f;
}

void ScaleLimits(PlotDocument& d, const DrawOptions& options, PlotLayout& L) {
  (void)options;
  const int type = d.scaleType;
  const bool automatic = !d.manualScale && !d.zoomed;
  AxisLimits& w = d.plotWindow;
  const bool wholeDecades = type == SCALE_TRIPARTITE;

  // X axis.
  double xlo = w.xLow, xhi = w.xHigh;
  int xIntervals = X_INTERVALS;
  if (type == SCALE_BAR_CHART && !d.zoomed && !d.manualTicks)
    xIntervals = BarChartXIntervals(d, xlo, xhi, automatic);
  L.x = ScaleOneAxis(d, XAxisKind(type), xlo, xhi, xIntervals, d.xTickCount, d.xNumberFormat,
                     wholeDecades);
  if (type == SCALE_GRAIN_SIZE && L.x.low < L.x.high) {
    // Coarse grains on the left.
    std::swap(L.x.low, L.x.high);
    L.x.step = -L.x.step;
  }

  // Y axes.
  const int xMarks = L.x.tickCount;
  int yIntervals = Y_INTERVALS;
  if (type == SCALE_LINEAR_LINEAR && L.target.Width() > 0) {
    const long long n =
        RoundHalfAway(static_cast<double>(L.target.Height()) * (xMarks - 1)) / L.target.Width() + 1;
    yIntervals = static_cast<int>(std::clamp<long long>(n, 5, 12));
  }
  const int axes = IndependentMode(d) ? MAX_Y_AXES : 1;
  for (int k = 0; k < axes; ++k) {
    double lo = w.yLow[k], hi = w.yHigh[k];
    int intervals = yIntervals;
    if (type == SCALE_GRAIN_SIZE && automatic) {
      lo = 0.0;
      hi = 100.0;
    }
    if (type == SCALE_BAR_CHART && !d.zoomed && !d.manualTicks)
      intervals = BarChartYIntervals(lo, hi, automatic);
    L.y[static_cast<std::size_t>(k)] = ScaleOneAxis(d, YAxisKind(type), lo, hi, intervals,
                                                    d.yTickCount, d.yNumberFormat, wholeDecades);
  }
  for (int k = axes; k < MAX_Y_AXES; ++k) L.y[static_cast<std::size_t>(k)] = L.y[0];

  if (!d.zoomed) {
    w.xLow = L.x.low;
    w.xHigh = L.x.high;
    for (int k = 0; k < axes; ++k) {
      w.yLow[static_cast<std::size_t>(k)] = L.y[static_cast<std::size_t>(k)].low;
      w.yHigh[static_cast<std::size_t>(k)] = L.y[static_cast<std::size_t>(k)].high;
    }
  }

  // Secondary axis "Y2 = C + D*Y1".
  if (L.y2Transform) {
    const AxisScale& y1 = L.y[0];
    L.y2 = y1;
    L.y2.low = d.y2Offset + d.y2Factor * y1.low;
    L.y2.high = d.y2Offset + d.y2Factor * y1.high;
    const bool linearY =
        type == SCALE_LINEAR_LINEAR || type == SCALE_LOG_LINEAR || type == SCALE_PROBABILITY_LINEAR;
    L.y2OwnTicks = linearY && L.gridType == GRID_BOX && L.y2.low != L.y2.high;
    if (L.y2OwnTicks) L.y2 = InwardLinearAxis(L.y2.low, L.y2.high, yIntervals, d.yNumberFormat);
  }
}

}  // namespace

AxisTitles ShownAxisTitles(const PlotDocument& d, const PlotLayout& L) {
  AxisTitles t;
  t.x = d.xAxisLabel.Str();
  t.y = d.yAxisLabel.Str();
  t.y2 = d.y2AxisLabel.Str();
  const bool grain = L.scaleType == SCALE_GRAIN_SIZE;
  if (grain) {
    if (t.x.empty()) t.x = GrainSizeXTitle(d);
    if (t.y.empty()) t.y = "Percent Finer by Weight";
    if (t.y2.empty()) t.y2 = "Percent Coarser by Weight";
  }
  if (IntegralsViewShown(d)) {
    // The document keeps titles of the record's axes only.
    t.y = RecordUnitLabel(d.processState.dataType, L.firstCurve - 1);
    t.y2 = RecordUnitLabel(d.processState.dataType, L.lastCurve - 1);
  }
  t.secondaryShown = L.y2Transform || L.rightAxis > 0 || grain;
  if (L.x2Transform) t.x2 = d.x2AxisLabel.Str();
  return t;
}

std::string DateStampText(const PlotDocument& d, const DrawOptions& options) {
  if (!options.dateStamp || options.todayYear <= 0) return std::string();
  const std::string pattern =
      d.dateFormat.IsBlank() ? options.numbers.regional.sShortDate : d.dateFormat.Str();
  return FormatDate(pattern, options.todayYear, options.todayMonth, options.todayDay);
}

int TitleSpace(const PlotDocument& d, const PlotLayout& L, DrawingSurface& surface,
               const PlotFonts& fonts, const DrawOptions& options) {
  const std::string date = DateStampText(d, options);
  if (date.empty()) return L.target.Width();
  const int corner =
      fonts.Extent(surface, FONT_NUMBERS, date).width + fonts.AverageWidth(FONT_NUMBERS);
  return std::max(0, L.target.Width() - 2 * corner);
}

int XTitleSpace(const PlotDocument& d, const PlotLayout& L, DrawingSurface& surface,
                const PlotFonts& fonts, const DrawOptions& options, double centre) {
  double right = L.target.right;
  if (options.caption && !d.fileTitle.IsBlank())
    right -= fonts.Extent(surface, FONT_NUMBERS, d.fileTitle.Trimmed()).width +
             fonts.AverageWidth(FONT_NUMBERS);
  return std::max(0, static_cast<int>(2.0 * std::min(centre - L.target.left, right - centre)));
}

std::string FittedText(DrawingSurface& surface, const std::string& text, int space) {
  if (surface.GetTextExtent(text).width <= space) return text;
  std::string shown = text;
  while (!shown.empty()) {
    shown.pop_back();
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    if (surface.GetTextExtent(shown + "...").width <= space) return shown + "...";
  }
  return std::string();
}

int ClampDevice(double value) {
  if (!(value == value)) return -1;
  return static_cast<int>(RoundHalfAway(std::clamp(value, DEVICE_MIN, DEVICE_MAX)));
}

double MapAxis(const AxisMapping& m, double value) {
  const double t = Transform(m.kind, value);
  if (!(t == t)) return std::nan("");
  return std::clamp(m.device + (t - m.origin) * m.factor, DEVICE_MIN, DEVICE_MAX);
}

double MapX(const PlotLayout& L, double x) { return MapAxis(L.xMap, x); }

double MapY(const PlotLayout& L, double y, int axis) {
  const int k = axis >= 1 && axis <= MAX_Y_AXES ? axis : 1;
  return MapAxis(L.yMap[static_cast<std::size_t>(k - 1)], y);
}

int DataToDeviceX(const PlotLayout& L, double x) {
  const double v = MapX(L, x);
  return v == v ? ClampDevice(v) : -1;
}

int DataToDeviceY(const PlotLayout& L, double y, int axis) {
  const double v = MapY(L, y, axis);
  return v == v ? ClampDevice(v) : -1;
}

bool PolarDegrees(const PlotDocument& d) { return d.unitSystem == 1; }

DevicePoint PolarToDevice(const PlotLayout& L, double angle, double radius, bool degrees) {
  const double theta = degrees ? angle * 3.141592653589793 / 180.0 : angle;
  const double x = radius * std::cos(theta);
  const double y = radius * std::sin(theta);
  const double r0 = L.y[0].low;
  const double r1 = L.y[0].high;
  const double span = r1 != r0 ? r1 - r0 : 1.0;
  const double cx = (L.frame.left + L.frame.right) / 2.0;
  const double cy = (L.frame.top + L.frame.bottom) / 2.0;
  const double w = L.frame.right - L.frame.left;
  const double h = L.frame.bottom - L.frame.top;
  DevicePoint p;
  p.x = ClampDevice(cx + (x - r0) * (w / 2.0) / span);
  p.y = ClampDevice(cy - (y - r0) * (h / 2.0) / span);
  return p;
}

void UpdateMapping(PlotLayout& L) {
  L.xMap = MakeMapping(L.x, L.frame.left, L.frame.right);
  for (int k = 0; k < MAX_Y_AXES; ++k)
    L.yMap[static_cast<std::size_t>(k)] =
        MakeMapping(L.y[static_cast<std::size_t>(k)], L.frame.bottom, L.frame.top);
  AxisScale y2 = L.y2;
  if (L.y2Transform && !L.y2OwnTicks) {
    y2.low = L.y2.low;
    y2.high = L.y2.high;
  }
  L.y2Map = MakeMapping(y2, L.frame.bottom, L.frame.top);
}

void ScaleAxes(PlotDocument& d, DrawingSurface& surface, const SurfaceRect& target,
               PlotFonts& fonts, const std::array<FontDescription, TEXT_ELEMENT_COUNT>& fontTable,
               const DrawOptions& options, PlotLayout& L) {
  L.caps = surface.Capabilities();
  L.surfaceKind = L.caps.enhancedMetafileRecorder ? SURFACE_METAFILE : L.caps.technology;
  L.target = target;
  L.scaleType = d.scaleType;
  L.firstCurve = FirstCurveShown(d);
  L.lastCurve = LastCurveShown(d);
  L.curvesShown = L.firstCurve > 0 ? L.lastCurve - L.firstCurve + 1 : 0;
  L.gridType = d.gridType;
  const bool independent = IndependentMode(d) && L.curvesShown > 1;
  if (independent && L.gridType == GRID_AXES_ONLY) L.gridType = GRID_BOX;
  L.leftAxis = 1;
  L.rightAxis = 0;
  if (independent) {
    L.leftAxis = CurveAxisOf(d, L.firstCurve);
    L.rightAxis = L.leftAxis % MAX_Y_AXES + 1;
  }
  L.y2Transform = d.yAxisMode == 1;
  L.y2OwnTicks = false;
  const int xKind = XAxisKind(d.scaleType);
  L.x2Transform = d.xAxisMode == 1 && (xKind == AXIS_LINEAR || xKind == AXIS_LOG) &&
                  d.scaleType != SCALE_POLAR && d.scaleType != SCALE_GRAIN_SIZE &&
                  d.scaleType != SCALE_TRIPARTITE;

  if (d.extents.valid == EXTENTS_STALE) {
    FindExtents(d);
    WidenDegenerateExtents(d);
  }
  SourceLimits(d);
  ScaleLimits(d, options, L);
  ComputeLabels(d, options, L);

  PlotFrame frame = MarginFrame(d, surface, fonts, L);
  const int kind = L.surfaceKind;
  L.areaScale = 1.0;
  L.textFallback = options.windowView && kind == SURFACE_SCREEN && !(d.manualTicks && d.wysiwyg) &&
                   (target.Width() < FULL_SIZE_WIDTH * L.caps.logPixelsX ||
                    target.Height() < FULL_SIZE_HEIGHT * L.caps.logPixelsY);
  // WYSIWYG shrinking stops at a readable size.
  fonts.SetSmallest(SMALLEST_TITLE_POINTS);
  if (L.textFallback) FitFonts(d, surface, fonts, fontTable, options, L, frame);
  if (d.manualTicks) {
    double wp = d.plotWidth * L.caps.logPixelsX;
    double hp = d.plotHeight * L.caps.logPixelsY;
    const double wt = target.Width(), ht = target.Height();
    if (d.wysiwyg && (kind == SURFACE_SCREEN || kind == SURFACE_PRINTER)) {
      double scale = fonts.Scale();
      for (int pass = 0; pass < MAX_WYSIWYG_PASSES; ++pass) {
        const double wf = frame.right - frame.left, hf = frame.bottom - frame.top;
        const double ratio = std::min(wt / (wt + wp - wf), ht / (ht + hp - hf));
        if (!(ratio < 0.995)) break;
        scale *= ratio;
        fonts.Create(surface, fontTable, L.caps, scale);
        frame = MarginFrame(d, surface, fonts, L);
      }
      const double wf = frame.right - frame.left, hf = frame.bottom - frame.top;
      if (wp > wf || hp > hf) {
        const double factor = std::min(0.99 * wf / wp, 0.99 * hf / hp);
        wp *= factor;
        hp *= factor;
      }
    }
    frame = CentredFrame(frame, wp, hp);
  } else if (d.squareLogs && (d.scaleType == SCALE_LOG_LOG || d.scaleType == SCALE_TRIPARTITE)) {
    const double decadesX = std::fabs(std::log10(L.x.high / L.x.low));
    const double decadesY = std::fabs(std::log10(L.y[0].high / L.y[0].low));
    const double w = frame.right - frame.left, h = frame.bottom - frame.top;
    if (decadesX > 0.0 && decadesY > 0.0 && h > 0.0) {
      const double ratio = decadesY / decadesX * (w / h);
      frame = ratio <= 1.0 ? CentredFrame(frame, w, ratio * h) : CentredFrame(frame, w / ratio, h);
    }
  }
  L.frame = frame;
  d.plotFrame = frame;
  UpdateMapping(L);
}

}  // namespace merva

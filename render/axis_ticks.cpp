#include "render/axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace merva {

std::vector<AxisTick> LinearTicks(const AxisScale& axis, int formatKind,
                                  const NumberFormatContext& context) {
  std::vector<AxisTick> ticks;
  const int count = std::clamp(axis.tickCount, 0, 1000);
  ticks.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    AxisTick t;
    t.value = axis.firstTick + i * axis.step;
    t.labelled = true;
    t.label = FormatAxisNumber(t.value, std::fabs(axis.step), formatKind, context);
    ticks.push_back(std::move(t));
  }
  return ticks;
}

void RelabelTicks(std::vector<AxisTick>& ticks, double offset, double factor, double reference,
                  int formatKind, const NumberFormatContext& context) {
  for (AxisTick& t : ticks)
    t.label = FormatAxisNumber(offset + factor * t.value, reference, formatKind, context);
}

LogMark LogMarkOf(double value) {
  LogMark mark;
  if (!(value > 0.0) || !std::isfinite(value)) {
    mark.mantissa = 0;
    return mark;
  }
  int e = static_cast<int>(std::trunc(std::log10(value)));
  if (value < 0.99999) --e;
  long long m = RoundHalfAway(value / std::pow(10.0, e));
  if (m == 0) {
    m = 1;
    --e;
  } else if (m == 10) {
    m = 1;
    ++e;
  }
  mark.mantissa = static_cast<int>(std::clamp<long long>(m, -1, 100));
  mark.exponent = e;
  return mark;
}

namespace {

bool MarkBefore(const LogMark& a, const LogMark& b) {
  return a.exponent < b.exponent || (a.exponent == b.exponent && a.mantissa < b.mantissa);
}

}  // namespace

std::vector<AxisTick> LogTicks(const AxisScale& axis, int formatKind,
                               const NumberFormatContext& context, bool& drawable) {
  std::vector<AxisTick> ticks;
  const double lo = std::min(axis.low, axis.high);
  const double hi = std::max(axis.low, axis.high);
  const LogMark first = LogMarkOf(lo);
  const LogMark last = LogMarkOf(hi);
  drawable = first.mantissa >= 1 && first.mantissa <= 9 && last.mantissa >= 1 &&
             last.mantissa <= 9 && last.exponent - first.exponent < 80;
  if (!drawable) return ticks;
  const bool fewDecades = std::log10(hi / lo) < 4.0;
  LogMark mark = first;
  while (!MarkBefore(last, mark)) {
    AxisTick t;
    t.value = mark.mantissa * std::pow(10.0, mark.exponent);
    t.boundary = mark.mantissa == first.mantissa && mark.exponent == first.exponent;
    t.boundary = t.boundary || (mark.mantissa == last.mantissa && mark.exponent == last.exponent);
    t.labelled = mark.mantissa == 1 || t.boundary || (fewDecades && mark.mantissa == 5);
    if (t.labelled) t.label = FormatAxisNumber(t.value, 0.0, formatKind, context);
    ticks.push_back(std::move(t));
    if (++mark.mantissa > 9) {
      mark.mantissa = 1;
      ++mark.exponent;
    }
  }
  return ticks;
}

std::vector<double> LogMinorValues(const AxisScale& axis) {
  std::vector<double> values;
  const double lo = std::min(axis.low, axis.high);
  const double hi = std::max(axis.low, axis.high);
  const LogMark first = LogMarkOf(lo);
  const LogMark last = LogMarkOf(hi);
  if (first.mantissa < 1 || first.mantissa > 9 || last.exponent - first.exponent >= 80)
    return values;
  LogMark mark = first;
  while (MarkBefore(mark, last)) {
    const double base = mark.mantissa * std::pow(10.0, mark.exponent);
    const double tenth = std::pow(10.0, mark.exponent - 1);
    for (int j = 1; j <= 9; ++j) {
      if (mark.mantissa >= 5 && j % 2 != 0) continue;
      values.push_back(base + j * tenth);
    }
    if (++mark.mantissa > 9) {
      mark.mantissa = 1;
      ++mark.exponent;
    }
  }
  return values;
}

std::vector<double> LinearMinorValues(const AxisScale& axis) {
  std::vector<double> values;
  const int minor = std::max(axis.minorCount, 1);
  for (int i = 0; i + 1 < axis.tickCount && i < 1000; ++i) {
    const double start = axis.firstTick + i * axis.step;
    for (int j = 1; j < minor; ++j) values.push_back(start + axis.step * j / minor);
  }
  return values;
}

std::string ProbabilityLabel(double value, int level) {
  const int decimals = level <= 2 ? 0 : std::min(level - 2, 3);
  const int width = 4 + decimals;
  long long scaled = RoundHalfAway(value * std::pow(10.0, decimals));
  std::string digits = std::to_string(scaled);
  if (decimals > 0) {
    while (static_cast<int>(digits.size()) <= decimals) digits.insert(digits.begin(), '0');
    digits.insert(digits.end() - decimals, '.');
  } else {
    digits += '.';
  }
  if (static_cast<int>(digits.size()) < width)
    digits.insert(digits.begin(), static_cast<std::size_t>(width) - digits.size(), ' ');
  return digits;
}

std::vector<AxisTick> ProbabilityTicks(const AxisScale& axis, bool fullFirstLevel) {
  std::vector<AxisTick> ticks;
  const double lo = std::min(axis.low, axis.high);
  const double hi = std::max(axis.low, axis.high);
  auto add = [&](double v, int level) {
    if (v < lo * (1 - 1e-9) || v > hi * (1 + 1e-9)) return;
    AxisTick t;
    t.value = v;
    t.level = level;
    t.labelled = true;
    t.label = ProbabilityLabel(v, level);
    ticks.push_back(std::move(t));
  };
  const int levels = std::clamp(axis.tickCount, 1, 6);
  for (int d = levels; d >= 1; --d) {
    if (d == 1) {
      for (int v = 10; v <= 90; v += fullFirstLevel ? 10 : 20) add(v, 1);
    } else {
      const double unit = std::pow(10.0, 2 - d);
      add(unit, d);
      add(5.0 * unit, d);
      add(100.0 - 5.0 * unit, d);
      add(100.0 - unit, d);
    }
  }
  std::sort(ticks.begin(), ticks.end(),
            [](const AxisTick& a, const AxisTick& b) { return a.value < b.value; });
  return ticks;
}

}  // namespace merva

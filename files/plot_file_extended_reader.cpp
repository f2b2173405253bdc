// The extended reader: files without the "data" line. Blocks start with a
// five-character kind: "dx" (evenly spaced curves, then the trailer and
// keywords) or an equation kind (one generated curve each), optionally
// preceded by modifier lines.

#include <algorithm>

#include "files/equation_curve.h"
#include "files/plot_file_messages.h"
#include "files/plot_file_reader_state.h"
#include "files/plot_numbers.h"

namespace merva {

namespace {

bool IsValueSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// How many of the next `count` values the text really holds (tokens of
// the lines ahead, not checked for being numbers).
long long ValuesAhead(LineCursor ahead, long long count) {
  long long found = 0;
  std::string_view line;
  while (found < count && ahead.Next(line)) {
    for (std::size_t i = 0; i < line.size() && found < count;) {
      while (i < line.size() && IsValueSeparator(line[i])) ++i;
      if (i == line.size()) break;
      ++found;
      while (i < line.size() && !IsValueSeparator(line[i])) ++i;
    }
  }
  return found;
}

}  // namespace

bool PlotFileReader::ReadExtended() {
  version_ = 0;
  headerSeen_ = false;
  unsigned modifiers = 0;
  std::string_view line;
  while (lines_.Next(line)) {
    const int version = HeaderVersion(line);
    if (version != 0) {
      version_ = version;
      headerSeen_ = true;
      continue;
    }
    unsigned modifier = 0;
    const CurveKind kind = MatchCurveKind(line, modifier);
    if (kind == CurveKind::None && modifier != 0) {
      modifiers |= modifier;
      continue;
    }
    if (kind == CurveKind::None)
      return Fail(headerSeen_ ? UnsupportedFeaturesText(name_) : NotMervaFileText(name_));
    if (kind == CurveKind::Dx) return ReadDxBlock();
    if (!ReadEquationCurve(kind, modifiers)) return false;
    modifiers = 0;
  }
  if (fileCurves_ > 0) return true;
  return headerSeen_ ? Fail9900(IOS_END_OF_FILE) : Fail(NotMervaFileText(name_));
}

bool PlotFileReader::ReadDxBlock() {
  long long count = 0;
  if (!ReadCurveCount(count) || !ReserveCurves(NextSlot() - 1 + count)) return false;
  for (long long i = 0; i < count; ++i)
    if (!ReadDxCurve(NextSlot())) return false;
  return ReadTrailer() && ReadKeywords();
}

bool PlotFileReader::ReadDxCurve(int curve) {
  StartCurve(curve);
  long long count = 0;
  if (!ReadPointCount(curve, count)) return false;
  if (count > d_.maxPoints && !ReservePoints(ValuesAhead(lines_, count))) return false;
  float* ys = count > 0 ? d_.yValues.Column(curve) : nullptr;
  const long long capacity = d_.maxPoints;
  std::string_view line;
  long long j = 0;
  while (j < count) {
    if (!lines_.Next(line)) return Fail(DataPointErrorText(curve, std::string_view()));
    FreeFormReader reader(line);
    double y = 0.0;
    while (j < count && reader.Next(y)) {
      if (j >= capacity || !FitsFloat(y)) return Fail(DataPointErrorText(curve, line));
      ys[j++] = static_cast<float>(y);
    }
    if (j < count && !reader.AtEnd()) return Fail(DataPointErrorText(curve, line));
  }
  double x1 = 0.0, xn = 0.0;
  if (!lines_.Next(line)) return Fail(DataPointErrorText(curve, std::string_view()));
  if (!ParseTwoReals(line, x1, xn) || !FitsFloat(x1) || !FitsFloat(xn))
    return Fail(DataPointErrorText(curve, line));
  // Only files without a header space a "dx" curve in log X on a log scale.
  const bool logSpacing = !headerSeen_ && HasLogX(d_.scaleType) && x1 > 0.0 && xn > 0.0;
  if (count > 0)
    EvenlySpacedX(x1, xn, static_cast<int>(count), logSpacing, d_.xValues.Column(curve));
  d_.pointCount[curve] = static_cast<int>(count);
  if (!ReadStylesLegendTag(curve)) return false;
  // Known to be evenly spaced: saved again in the "dx" form.
  if (!logSpacing && count >= 2 && xn > x1) {
    d_.spacingState[curve] = STATE_YES;
    d_.monotonicState[curve] = STATE_YES;
  }
  CompleteCurve(curve);
  return true;
}

bool PlotFileReader::EquationReals(int count, double* values) {
  std::string_view line;
  if (!lines_.Next(line)) return Fail9900(IOS_END_OF_FILE);
  FreeFormReader reader(line);
  for (int i = 0; i < count; ++i)
    if (!reader.Next(values[i])) return Fail9900(IOS_CONVERSION_ERROR);
  return true;
}

bool PlotFileReader::ReadEquationCurve(CurveKind kind, unsigned modifiers) {
  const int curve = NextSlot();
  if (curve > MAX_CURVE_SLOTS) return Fail(TooManyCurvesText(curve));
  StartCurve(curve);
  EquationCurve equation;
  equation.kind = kind;
  equation.modifiers = modifiers;
  if (kind == CurveKind::Exp2) {
    double values[3] = {};
    if (!EquationReals(3, values)) return false;
    equation.exp2C1 = values[0];
    equation.exp2C2 = values[1];
    equation.exp2E1 = values[2];
    equation.count = 1;
  } else {
    std::string_view line;
    long long count = 0;
    if (!lines_.Next(line)) return Fail9900(IOS_END_OF_FILE);
    if (!FreeFormReader(line).Next(count) || count < 0) return Fail9900(IOS_CONVERSION_ERROR);
    if (count > MAX_EQUATION_COEFFICIENTS) {
      d_.curveCount = first_ - 1;
      return Fail(std::string(TOO_MANY_COEFFICIENTS));
    }
    equation.count = static_cast<int>(count);
    const bool exponents = HasExponents(kind);
    for (int k = 0; k < equation.count; ++k) {
      double values[2] = {};
      if (!EquationReals(exponents ? 2 : 1, values)) return false;
      equation.coefficients[static_cast<std::size_t>(k)] = values[0];
      equation.exponents[static_cast<std::size_t>(k)] = values[1];
    }
  }
  if (modifiers & MODIFIER_MULT) {
    double values[2] = {};
    if (!EquationReals(2, values)) return false;
    equation.factorA = values[0];
    equation.exponentB = values[1];
  }
  if (modifiers & MODIFIER_PLUS) {
    if (!EquationReals(1, &equation.constantP)) return false;
  }
  double limits[2] = {};
  if (!EquationReals(2, limits)) return false;
  equation.lower = limits[0];
  equation.upper = limits[1];

  if (!ReserveCurves(curve) || !ReservePoints(EQUATION_CURVE_POINTS)) return false;
  const int n = EquationPointCount(equation);
  GenerateEquationCurve(equation, n, HasLogX(d_.scaleType), d_.xValues.Column(curve),
                        d_.yValues.Column(curve));
  d_.pointCount[curve] = n;
  if (!ReadStylesLegendTag(curve)) return false;
  d_.InvalidateCurveStates(curve);
  CompleteCurve(curve);
  return true;
}

}  // namespace merva

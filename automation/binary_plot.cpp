#include "automation/binary_plot.h"

#include <algorithm>
#include <cstring>

#include "core/document_table.h"

namespace merva {

namespace {

constexpr std::size_t OFFSET_POINT_COUNTS = 36;
constexpr std::size_t OFFSET_LINE_TYPES = 116;
constexpr std::size_t OFFSET_SYMBOL_TYPES = 196;
constexpr std::size_t OFFSET_LEGEND_TITLE = 280;
constexpr std::size_t OFFSET_LEGENDS = 320;
constexpr std::size_t OFFSET_TAGS = 1120;
constexpr std::size_t OFFSET_TITLES = 1220;
constexpr std::size_t OFFSET_X_LABEL = 1460;
constexpr std::size_t OFFSET_Y_LABEL = 1540;
constexpr std::size_t LEGEND_FIELD = 40;
constexpr std::size_t TAG_FIELD = 5;
constexpr std::size_t TEXT_FIELD = 80;

// Matrices above this size come from a header, not from data.
constexpr unsigned long long MAX_UNNEEDED_MATRIX_BYTES = 256ull << 20;

int32_t Int32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) |
                              (static_cast<uint32_t>(p[3]) << 24));
}
uint16_t Uint16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
float Float(const uint8_t* p) {
  const uint32_t bits = static_cast<uint32_t>(Int32(p));
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// A NUL-terminated text within its field; a field without a NUL is taken
// whole.
std::string Text(const uint8_t* p, std::size_t field) {
  std::size_t n = 0;
  while (n < field && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

void PutInt32(std::string& out, std::size_t at, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
}
void PutFloat(std::string& out, std::size_t at, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  PutInt32(out, at, static_cast<int32_t>(bits));
}
void PutText(std::string& out, std::size_t at, std::size_t field, const std::string& text) {
  const std::size_t n = std::min(text.size(), field);
  std::memcpy(&out[at], text.data(), n);
}

// The number of float values the counts ask for.
unsigned long long ValuesNeeded(const BinaryPlotHeader& h) {
  const unsigned long long curves = static_cast<unsigned long long>(h.curveCount);
  const unsigned long long first = static_cast<unsigned long long>(h.pointCounts[0]);
  switch (h.dataFormat) {
    case 0: {
      unsigned long long total = 0;
      for (int c = 0; c < h.curveCount; ++c)
        total += static_cast<unsigned long long>(h.pointCounts[static_cast<std::size_t>(c)]);
      return 2 * total;
    }
    case 1:
      return 2 + curves * first;
    default:
      return first + curves * first;
  }
}

int PointsOfCurve(const BinaryPlotHeader& h, int curve) {
  return h.dataFormat == 0 ? h.pointCounts[static_cast<std::size_t>(curve - 1)] : h.pointCounts[0];
}

template <std::size_t N>
void SetIfGiven(const std::string& text, FixedText<N>& field) {
  if (!text.empty()) field.Set(text);
}

}  // namespace

BinaryPlotCheck ReadBinaryPlotHeader(const uint8_t* data, std::size_t size, BinaryPlotHeader& h) {
  h = BinaryPlotHeader{};
  if (!data || size < BINARY_PLOT_HEADER_SIZE) return BinaryPlotCheck::TooShort;
  h.version = Int32(data);
  h.senderWindow = static_cast<uint32_t>(Int32(data + 4)) & 0xFFFFu;
  h.dataFormat = static_cast<int16_t>(Uint16(data + 8));
  h.curveCapacity = Int32(data + 12);
  h.pointCapacity = Int32(data + 16);
  h.curveCount = Int32(data + 20);
  h.scaleWord = Uint16(data + 24);
  h.legendX = Float(data + 28);
  h.legendY = Float(data + 32);
  for (std::size_t c = 0; c < BINARY_PLOT_CURVES; ++c) {
    h.pointCounts[c] = Int32(data + OFFSET_POINT_COUNTS + 4 * c);
    h.lineTypes[c] = Int32(data + OFFSET_LINE_TYPES + 4 * c);
    h.symbolTypes[c] = Int32(data + OFFSET_SYMBOL_TYPES + 4 * c);
    h.legendTexts[c] = Text(data + OFFSET_LEGENDS + LEGEND_FIELD * c, LEGEND_FIELD);
    h.curveTags[c] = Text(data + OFFSET_TAGS + TAG_FIELD * c, TAG_FIELD);
  }
  h.legendTitle = Text(data + OFFSET_LEGEND_TITLE, LEGEND_FIELD);
  for (std::size_t t = 0; t < 3; ++t)
    h.titles[t] = Text(data + OFFSET_TITLES + TEXT_FIELD * t, TEXT_FIELD);
  h.xAxisLabel = Text(data + OFFSET_X_LABEL, TEXT_FIELD);
  h.yAxisLabel = Text(data + OFFSET_Y_LABEL, TEXT_FIELD);

  if (h.version != BINARY_PLOT_VERSION) return BinaryPlotCheck::BadVersion;
  if (h.dataFormat < 0 || h.dataFormat > 2) return BinaryPlotCheck::BadFormat;
  if (h.curveCount < 1 || h.curveCount > BINARY_PLOT_CURVES) return BinaryPlotCheck::BadCounts;
  const int counted = h.dataFormat == 0 ? h.curveCount : 1;
  for (int c = 0; c < counted; ++c)
    if (h.pointCounts[static_cast<std::size_t>(c)] < 1) return BinaryPlotCheck::BadCounts;
  const unsigned long long available = (size - BINARY_PLOT_HEADER_SIZE) / sizeof(float);
  if (ValuesNeeded(h) > available) return BinaryPlotCheck::ValuesMissing;
  return BinaryPlotCheck::Ok;
}

void BinaryPlotCapacity(const BinaryPlotHeader& h, int& curves, int& points) {
  int neededPoints = 0;
  for (int c = 1; c <= h.curveCount; ++c)
    neededPoints = std::max(neededPoints, PointsOfCurve(h, c));
  curves = ClampCurveCapacity(h.curveCapacity);
  points = ClampPointCapacity(h.pointCapacity);
  const unsigned long long bytes = static_cast<unsigned long long>(curves) *
                                   static_cast<unsigned long long>(points) * sizeof(float);
  if (bytes > MAX_UNNEEDED_MATRIX_BYTES && points > neededPoints)
    points = std::max(neededPoints, MINIMUM_POINT_CAPACITY);
}

bool BinaryPlotFits(const BinaryPlotHeader& h, const PlotDocument& d) {
  if (h.curveCount < 1 || h.curveCount > d.maxCurves) return false;
  for (int c = 1; c <= h.curveCount; ++c) {
    const int n = PointsOfCurve(h, c);
    if (n < 1 || n > d.maxPoints) return false;
  }
  return d.HasMatrices();
}

void ApplyBinaryPlot(const BinaryPlotHeader& h, const uint8_t* data, std::size_t size,
                     PlotDocument& d) {
  if (!BinaryPlotFits(h, d) || size < BINARY_PLOT_HEADER_SIZE) return;
  const uint8_t* values = data + BINARY_PLOT_HEADER_SIZE;
  const std::size_t available = (size - BINARY_PLOT_HEADER_SIZE) / sizeof(float);
  std::size_t at = 0;
  auto next = [&]() -> float {
    const float v = at < available ? Float(values + 4 * at) : 0.0f;
    ++at;
    return v;
  };
  const int scale = h.scaleWord & 0xFF;
  if (scale >= 1 && scale <= 13) {
    d.scaleType = static_cast<uint8_t>(scale);
    d.unitSystem = static_cast<uint8_t>(h.scaleWord >> 8);
  }
  d.legendX = h.legendX;
  d.legendY = h.legendY;
  SetIfGiven(h.legendTitle, d.legendTitle);
  SetIfGiven(h.titles[0], d.title1);
  SetIfGiven(h.titles[1], d.title2);
  SetIfGiven(h.titles[2], d.title3);
  SetIfGiven(h.xAxisLabel, d.xAxisLabel);
  SetIfGiven(h.yAxisLabel, d.yAxisLabel);
  d.curveCount = h.curveCount;
  for (int c = 1; c <= h.curveCount; ++c) {
    const std::size_t i = static_cast<std::size_t>(c - 1);
    d.pointCount[c] = PointsOfCurve(h, c);
    d.lineType[c] = h.lineTypes[i];
    d.symbolType[c] = h.symbolTypes[i];
    SetIfGiven(h.legendTexts[i], d.legendText[c]);
    SetIfGiven(h.curveTags[i], d.curveTag[c]);
  }
  const int n1 = h.pointCounts[0];
  int state = STATE_UNKNOWN;
  if (h.dataFormat == 0) {
    for (int c = 1; c <= h.curveCount; ++c)
      for (int p = 1; p <= d.pointCount[c]; ++p) d.X(c, p) = next();
  } else if (h.dataFormat == 1) {
    const float dx = next();
    const float x0 = next();
    for (int c = 1; c <= h.curveCount; ++c)
      for (int p = 1; p <= n1; ++p)
        d.X(c, p) = static_cast<float>(static_cast<double>(x0) + (p - 1) * static_cast<double>(dx));
    if (dx > 0) state = STATE_YES;
  } else {
    for (int p = 1; p <= n1; ++p) d.X(1, p) = next();
    for (int c = 2; c <= h.curveCount; ++c)
      for (int p = 1; p <= n1; ++p) d.X(c, p) = d.X(1, p);
  }
  for (int c = 1; c <= h.curveCount; ++c)
    for (int p = 1; p <= d.pointCount[c]; ++p) d.Y(c, p) = next();
  for (int c = 1; c <= h.curveCount; ++c) {
    d.InvalidateCurveStates(c);
    d.spacingState[c] = state;
    d.monotonicState[c] = state;
  }
  d.MarkChanged();
}

std::string WriteBinaryPlot(const BinaryPlotHeader& h, const float* values,
                            std::size_t valueCount) {
  std::string out(BINARY_PLOT_HEADER_SIZE + valueCount * sizeof(float), '\0');
  PutInt32(out, 0, h.version);
  PutInt32(out, 4, static_cast<int32_t>(h.senderWindow));
  out[8] = static_cast<char>(h.dataFormat & 0xFF);
  out[9] = static_cast<char>((h.dataFormat >> 8) & 0xFF);
  PutInt32(out, 12, h.curveCapacity);
  PutInt32(out, 16, h.pointCapacity);
  PutInt32(out, 20, h.curveCount);
  out[24] = static_cast<char>(h.scaleWord & 0xFF);
  out[25] = static_cast<char>(h.scaleWord >> 8);
  PutFloat(out, 28, h.legendX);
  PutFloat(out, 32, h.legendY);
  for (std::size_t c = 0; c < BINARY_PLOT_CURVES; ++c) {
    PutInt32(out, OFFSET_POINT_COUNTS + 4 * c, h.pointCounts[c]);
    PutInt32(out, OFFSET_LINE_TYPES + 4 * c, h.lineTypes[c]);
    PutInt32(out, OFFSET_SYMBOL_TYPES + 4 * c, h.symbolTypes[c]);
    PutText(out, OFFSET_LEGENDS + LEGEND_FIELD * c, LEGEND_FIELD, h.legendTexts[c]);
    PutText(out, OFFSET_TAGS + TAG_FIELD * c, TAG_FIELD, h.curveTags[c]);
  }
  PutText(out, OFFSET_LEGEND_TITLE, LEGEND_FIELD, h.legendTitle);
  for (std::size_t t = 0; t < 3; ++t)
    PutText(out, OFFSET_TITLES + TEXT_FIELD * t, TEXT_FIELD, h.titles[t]);
  PutText(out, OFFSET_X_LABEL, TEXT_FIELD, h.xAxisLabel);
  PutText(out, OFFSET_Y_LABEL, TEXT_FIELD, h.yAxisLabel);
  for (std::size_t i = 0; i < valueCount; ++i)
    PutFloat(out, BINARY_PLOT_HEADER_SIZE + 4 * i, values[i]);
  return out;
}

}  // namespace merva

#pragma once

// The program's binary curve format ("MERVAW" clipboard/DDE format): a
// header of 1620 bytes followed by the point values as 32-bit floats.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/plot_document.h"

namespace merva {

constexpr std::size_t BINARY_PLOT_HEADER_SIZE = 1620;
constexpr int BINARY_PLOT_VERSION = 2;
constexpr int BINARY_PLOT_CURVES = 20;

struct BinaryPlotHeader {
  int32_t version = 0;
  uint32_t senderWindow = 0;  // low 16 bits used
  int16_t dataFormat = 0;     // 0, 1 or 2
  int32_t curveCapacity = 0;
  int32_t pointCapacity = 0;
  int32_t curveCount = 0;
  uint16_t scaleWord = 0;
  float legendX = 0, legendY = 0;
  std::array<int32_t, BINARY_PLOT_CURVES> pointCounts{};
  std::array<int32_t, BINARY_PLOT_CURVES> lineTypes{};
  std::array<int32_t, BINARY_PLOT_CURVES> symbolTypes{};
  std::string legendTitle;
  std::array<std::string, BINARY_PLOT_CURVES> legendTexts;
  std::array<std::string, BINARY_PLOT_CURVES> curveTags;
  std::array<std::string, 3> titles;
  std::string xAxisLabel;
  std::string yAxisLabel;
};

enum class BinaryPlotCheck {
  Ok,
  TooShort,       // fewer bytes than the header
  BadVersion,     // version not 2
  BadFormat,      // data format not 0, 1 or 2
  BadCounts,      // curve count outside 1..20 or a point count below 1
  ValuesMissing,  // the counts need more values than were sent
};

// Reads and checks the header and that the data holds every value the
// counts ask for; nothing beyond `size` is read.
BinaryPlotCheck ReadBinaryPlotHeader(const uint8_t* data, std::size_t size,
                                     BinaryPlotHeader& header);

// The shape to open the document with: the header's capacities, cut to
// what the data needs when they would take an absurd amount of memory.
void BinaryPlotCapacity(const BinaryPlotHeader& header, int& curves, int& points);

// Whether the new document can hold the counts of the header.
bool BinaryPlotFits(const BinaryPlotHeader& header, const PlotDocument& document);

// Copies the header's fields and the values into a document that fits.
void ApplyBinaryPlot(const BinaryPlotHeader& header, const uint8_t* data, std::size_t size,
                     PlotDocument& document);

// Builds the bytes of a binary plot (for clients and tests).
std::string WriteBinaryPlot(const BinaryPlotHeader& header, const float* values,
                            std::size_t valueCount);

}  // namespace merva

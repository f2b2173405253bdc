#pragma once

// Nicolet waveform files (*.wft, file type 9): a text header of fixed
// slots followed by signed 16-bit samples.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

constexpr int NICOLET_HEADER = 1538;
// The header must reach past the last field read (the second zone count).
constexpr int NICOLET_FIELDS_END = 1156;

// Fields of the header that the conversion uses.
struct NicoletHeader {
  long long headerLength = NICOLET_HEADER;
  long long points = 0;
  double verticalZero = 0, verticalNorm = 1, userVerticalOffset = 0, userVerticalScale = 1;
  double userHorizontalOffset = 0, userHorizontalScale = 1;
  double interval = 0, zeroTime = 0;
};

// Reads the record into one curve at `firstCurve`, keeping at most
// `maxPoints` points (a longer record is cut with the truncation message
// and still succeeds).
Status ImportNicolet(PlotDocument& document, const std::string& path, int firstCurve);

// "Sampling rate " + rate + " kHz" (or " Hz" below 1 kHz).
std::string SampleRateTitle(double hertz);

}  // namespace merva

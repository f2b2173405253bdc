#pragma once

// The data files "Save As" writes besides the plot file: the single-curve
// text file, the comma-separated file of all curves and the single-curve
// unformatted file of 1024-byte records.

#include <cstdint>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// The "Save As" choices (FILEFORMAT, in the order of its buttons); the
// command language's type codes of [FileSaveAs( are the same numbers.
enum SaveFormat : int {
  SAVE_PLOT_FILE = 1,
  SAVE_ASCII = 2,
  SAVE_CSV = 3,
  SAVE_UNFORMATTED = 4,
  SAVE_METAFILE = 5,
  SAVE_ENHANCED_METAFILE = 6,
};
constexpr int SAVE_FORMAT_COUNT = 6;

// The choices that write one curve and ask which.
inline bool IsSingleCurveFormat(int format) {
  return format == SAVE_ASCII || format == SAVE_UNFORMATTED;
}

constexpr int UNFORMATTED_RECORD_BYTES = 1024;
constexpr int UNFORMATTED_PAIRS_PER_RECORD_WRITTEN = 128;

// The checks before a writer's dialog closes: "There is no data to save!"
// without curves, the read-only refusal for the chosen name.
Status CheckExport(const PlotDocument& document, const std::string& path);

// Line 1 the point count, then "%.7G,%.7G" of each point; CR LF line ends.
Status WriteAsciiCurve(const std::string& path, const PlotDocument& document, int curve);
// Titles, the heading line and one row per point of curve 1, every curve
// against curve 1's X values.
Status WriteCsv(const std::string& path, const PlotDocument& document);
// Record 1 the count, then 128 interleaved X,Y pairs a record, all
// little-endian; records are 1024 bytes, the unused rest zero.
Status WriteUnformattedCurve(const std::string& path, const PlotDocument& document, int curve);

// The file contents the writers put on disk (for tests and the clipboard).
std::string AsciiCurveText(const PlotDocument& document, int curve);
std::string CsvText(const PlotDocument& document);
std::string UnformattedCurveBytes(const PlotDocument& document, int curve);

}  // namespace merva

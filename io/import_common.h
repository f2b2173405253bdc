#pragma once

// What every importer shares: the file-type codes, the room for the new
// curves and the texts of the common failures.

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// File-type codes of the "Select File Type" dialog and the command language.
enum ImportFileType : int {
  FILE_TYPE_PLOT = 1,
  FILE_TYPE_POINT_PAIRS = 2,
  FILE_TYPE_SPACED_VALUES = 3,
  FILE_TYPE_COLUMNS = 4,
  FILE_TYPE_UNFORMATTED = 5,
  FILE_TYPE_DIGITIZER_9820 = 6,
  FILE_TYPE_KESTRA_OLD = 7,
  FILE_TYPE_KESTRA_NEW = 8,
  FILE_TYPE_NICOLET = 9,
  FILE_TYPE_HDAS = 10,
  FILE_TYPE_DESCRIBED = 99,
};

// Makes room for curves firstCurve..lastCurve of `points` points each,
// growing the arrays once (earlier curves are kept). Refuses more than
// 100 curves with "Too many curves (" ... ") ... Maximum is 100.".
Status MakeRoom(PlotDocument& document, int firstCurve, int lastCurve, long long points);

// Ends the storing of one new curve: its count and unknown caches.
void FinishCurve(PlotDocument& document, int curve, int points);
// The curve count after curves up to `lastCurve` were stored.
void CountCurvesUpTo(PlotDocument& document, int lastCurve);

// Titles the document after a data file read into it; its path stays
// empty so that saving asks for a plot-file name.
void NameDocument(PlotDocument& document, const std::string& path);

// "Error opening " + path, and the size of a file (-1 when unreadable).
Status OpenFailure(const std::string& path);
long long FileSize(const std::string& path);
// Moves to a byte offset beyond what a long holds on every platform.
bool SeekTo(std::FILE* file, long long offset);

// "Error interpreting data values in " + path.
Status DataValueFailure(const std::string& path);

}  // namespace merva

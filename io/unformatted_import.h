#pragma once

// Unformatted files (file type 5): the single-curve records of 1024 bytes
// that "Save As" writes, and the older multi-curve layout that starts
// with "MERVA/W" (described in io/FORMATS.md).

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

constexpr int UNFORMATTED_RECORD = 1024;
constexpr int UNFORMATTED_PAIRS_PER_RECORD = 128;

Status ImportUnformatted(PlotDocument& document, const std::string& path, int firstCurve);

// "Error reading file " + path + " ... Insure proper file format."
Status FileFormatFailure(const std::string& path);

}  // namespace merva

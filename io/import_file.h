#pragma once

// The one entry of every file reader: dispatch on the file type.

#include <functional>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"
#include "io/column_import.h"
#include "io/import_common.h"
#include "io/recorder_import.h"

namespace merva {

struct ImportOptions {
  // Type 99: the format-description file; empty takes it from "data@desc".
  std::string descriptionPath;
  // Type 4: asks for the columns; none in command mode.
  ColumnChooser chooseColumns;
  // Types 6-8 and 10: the points kept.
  TimeWindow window;
  std::function<void(int)> showStatus;
};

// Whether this program reads the type.
bool ImportTypeKnown(int type);

// Reads `path` of the type into curves from `firstCurve` on; earlier
// curves are untouched, and after a failure the document keeps them and
// the curves completed before it.
Status ImportFile(PlotDocument& document, const std::string& path, int type, int firstCurve,
                  const ImportOptions& options = {});

}  // namespace merva

#pragma once

// Records of the Pacific 9820 digitizer, the old and new KESTRA layouts and
// HDAS (file types 6, 7, 8 and 10). Their byte layouts are this program's
// own (io/FORMATS.md); each starts with a signature no recorder writes.

#include <functional>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Start and finish of the points kept, in milliseconds; no window when
// finish <= start.
struct TimeWindow {
  double start = 0;
  double finish = 0;
  bool Limits() const { return finish > start; }
};

// `showStatus` receives status-text numbers while the record is converted.
Status ImportRecorder(PlotDocument& document, const std::string& path, int type, int firstCurve,
                      const TimeWindow& window,
                      const std::function<void(int)>& showStatus = nullptr);

}  // namespace merva

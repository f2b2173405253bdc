#include "processing/record_title_line.h"

#include <algorithm>
#include <vector>

#include "core/number_text.h"

namespace merva {

namespace {

bool CoversRecord(const BaselineShift& shift, const float* x, int n) {
  return n > 0 && shift.startTime <= x[0] && x[n - 1] <= shift.endTime;
}

}  // namespace

std::string RecordTitleLine(const ProcessState& state, const float* x, int n) {
  const int count = std::clamp(state.shiftCount, 0, MAX_BASELINE_SHIFTS);
  std::vector<std::string> pieces;
  if (state.calibration != 0.0) pieces.push_back("Cal val=" + FormatG(state.calibration));
  double covering = 0.0;
  bool anyCovering = false;
  for (int i = 0; i < count; ++i) {
    if (!CoversRecord(state.shifts[i], x, n)) continue;
    covering += state.shifts[i].value;
    anyCovering = true;
  }
  if (anyCovering) pieces.push_back("CBS=" + FormatG(covering));
  for (int i = 0; i < count; ++i) {
    const BaselineShift& s = state.shifts[i];
    if (CoversRecord(s, x, n)) continue;
    pieces.push_back(FormatG(s.value) + " from " + FormatG(s.startTime) + " to " +
                     FormatG(s.endTime));
  }
  std::string line;
  for (const std::string& piece : pieces) {
    const size_t needed = piece.size() + (line.empty() ? 0 : 2);
    if (line.size() + needed > static_cast<size_t>(RECORD_TITLE_WIDTH)) break;
    if (!line.empty()) line += ", ";
    line += piece;
  }
  return line;
}

}  // namespace merva

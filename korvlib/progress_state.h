#pragma once

// State of one progress dialog: count scaling, the percentage bar, the
// animation frame and the message lines.

#include <windows.h>

#include <string>
#include <type_traits>

#include "korvlib/resource_ids.h"

namespace korv {

// Counts are scaled down until the total fits 21474836, so that
// value * 100 stays within 32 bits.
constexpr long long MAX_SCALED_TOTAL = 21474836;
constexpr DWORD ANIMATION_INTERVAL_MS = 200;

struct CountScale {
  long long total = 255;
  int shift = 0;
};

// The count a message carries. A 32-bit lParam holds counts up to 2^32 - 1
// (a signed reading would turn totals above 2^31 negative, shown as 100 %);
// a 64-bit one is read as it is.
template <typename Param>
long long MessageCount(Param parameter) {
  if constexpr (sizeof(Param) < sizeof(long long))
    return static_cast<long long>(static_cast<std::make_unsigned_t<Param>>(parameter));
  else
    return static_cast<long long>(parameter);
}

// A new run: total = max(count, 1), halved until it fits.
CountScale ScaleTotal(long long count);
// Percentage 0..100 of a current count.
int PercentOf(long long count, const CountScale& scale);
// Four characters: "100%", or a blank, the tens digit (blank below 10),
// the units digit and "%".
std::string PercentText(int percent);
// Right edge of the filled part of the bar.
LONG FilledRight(const RECT& bar, int percent);

// Draws the bar: white text on blue over the filled part, blue on white
// over the rest, each part filled opaquely.
void DrawPercentBar(HDC dc, const RECT& bar, int percent);

// The message lines of a dialog: one line, or five that scroll up once
// they are all used.
class MessageLines {
 public:
  explicit MessageLines(int lineCount) : lineCount_(lineCount) {}
  // Adds a text; returns the number of lines now shown.
  int Add(const std::string& text);
  const std::string& Line(int index) const { return lines_[index]; }
  int LineCount() const { return lineCount_; }

 private:
  int lineCount_;
  int used_ = 0;
  std::string lines_[KU_PROGRESS_LINES];
};

struct ProgressState {
  explicit ProgressState(UINT flags);

  UINT flags;
  RECT bar{};
  CountScale scale;
  int lastPercent = -1;  // none drawn yet
  int frame = 1;         // animation bitmap 1..8
  DWORD frameTime = 0;
  MessageLines lines;

  bool Animated() const;
};

}  // namespace korv

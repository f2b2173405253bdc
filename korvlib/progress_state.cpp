#include "korvlib/progress_state.h"

#include <algorithm>

#include "korvlib/korv32.h"

namespace korv {

CountScale ScaleTotal(long long count) {
  CountScale scale;
  scale.total = std::max(count, 1LL);
  while (scale.total > MAX_SCALED_TOTAL) {
    scale.total >>= 1;
    ++scale.shift;
  }
  return scale;
}

int PercentOf(long long count, const CountScale& scale) {
  const long long value = std::clamp(count >> scale.shift, 0LL, scale.total);
  return static_cast<int>(value * 100 / scale.total);
}

std::string PercentText(int percent) {
  if (percent >= 100) return "100%";
  percent = std::max(percent, 0);
  std::string text = "    ";
  text[1] = percent >= 10 ? static_cast<char>('0' + percent / 10) : ' ';
  text[2] = static_cast<char>('0' + percent % 10);
  text[3] = '%';
  return text;
}

LONG FilledRight(const RECT& bar, int percent) {
  return bar.left + (bar.right - bar.left) * percent / 100;
}

namespace {

constexpr COLORREF BAR_BLUE = RGB(0, 0, 255);
constexpr COLORREF BAR_WHITE = RGB(255, 255, 255);

void DrawBarPart(HDC dc, const RECT& bar, const RECT& part, const std::string& text,
                 COLORREF textColour, COLORREF background) {
  if (part.right <= part.left) return;
  const COLORREF oldText = SetTextColor(dc, textColour);
  const COLORREF oldBack = SetBkColor(dc, background);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int x = (bar.left + bar.right - extent.cx) / 2;
  const int y = (bar.top + bar.bottom - extent.cy) / 2;
  ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &part, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

}  // namespace

void DrawPercentBar(HDC dc, const RECT& bar, int percent) {
  const std::string text = PercentText(percent);
  const LONG split = FilledRight(bar, std::clamp(percent, 0, 100));
  DrawBarPart(dc, bar, {bar.left, bar.top, split, bar.bottom}, text, BAR_WHITE, BAR_BLUE);
  DrawBarPart(dc, bar, {split, bar.top, bar.right, bar.bottom}, text, BAR_BLUE, BAR_WHITE);
}

int MessageLines::Add(const std::string& text) {
  if (lineCount_ <= 1) {
    lines_[0] = text;
    return used_ = 1;
  }
  if (used_ < lineCount_) {
    lines_[used_++] = text;
    return used_;
  }
  for (int i = 1; i < lineCount_; ++i) lines_[i - 1] = std::move(lines_[i]);
  lines_[lineCount_ - 1] = text;
  return used_;
}

ProgressState::ProgressState(UINT flags)
    : flags(flags), lines(flags & KU_PROGRESS_FIVE_LINES ? KU_PROGRESS_LINES : 1) {}

bool ProgressState::Animated() const { return (flags & KU_PROGRESS_ANIMATION) != 0; }

}  // namespace korv

#include "render/fill_choice.h"

#include "render/drawing_surface.h"

namespace merva {

int FillChoiceOf(const FillRegion& fill) {
  if (fill.kind == FILL_KIND_PATTERN) return FILL_CHOICE_USER;
  if (fill.kind == BRUSH_HATCHED && fill.style >= HATCH_HORIZONTAL &&
      fill.style <= HATCH_DIAGONAL_CROSS)
    return 1 + fill.style;
  return 0;
}

void SetFillChoice(FillRegion& fill, int choice) {
  if (choice == FILL_CHOICE_USER) {
    fill.kind = FILL_KIND_PATTERN;
  } else if (choice >= 1 && choice < FILL_CHOICE_USER) {
    fill.kind = BRUSH_HATCHED;
    fill.style = static_cast<int16_t>(choice - 1);
  } else {
    fill.kind = BRUSH_SOLID;
  }
}

std::string PatternText(const std::array<uint8_t, 8>& pattern) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (i) text += ' ';
    text += digits[pattern[i] >> 4];
    text += digits[pattern[i] & 15];
  }
  return text;
}

bool ParsePatternText(std::string_view text, std::array<uint8_t, 8>& pattern) {
  std::array<uint8_t, 8> rows{};
  std::size_t count = 0, i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == ',' || text[i] == '\t') {
      ++i;
      continue;
    }
    int value = 0, digits = 0;
    for (; i < text.size() && digits < 3; ++i, ++digits) {
      const char c = text[i];
      int d = -1;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      if (d < 0) break;
      value = value * 16 + d;
    }
    if (digits == 0 || digits > 2 || count == rows.size()) return false;
    if (i < text.size() && text[i] != ' ' && text[i] != ',' && text[i] != '\t') return false;
    rows[count++] = static_cast<uint8_t>(value);
  }
  if (count != rows.size()) return false;
  pattern = rows;
  return true;
}

}  // namespace merva

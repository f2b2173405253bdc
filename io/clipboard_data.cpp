#include "io/clipboard_data.h"

#include <algorithm>
#include <cstring>

#include "core/number_text.h"

namespace merva {

namespace {
constexpr int CLIPBOARD_VALUE_WIDTH = 14;
constexpr int CLIPBOARD_VALUE_DIGITS = 7;
constexpr std::size_t CLIPBOARD_BYTES_PER_POINT = 33;
}  // namespace

std::string CurveClipboardText(const PlotDocument& d, int curve) {
  std::string text;
  if (curve < 1 || curve > d.curveCount || !d.HasMatrices()) return text;
  const int points = std::clamp(d.pointCount[curve], 0, d.maxPoints);
  text.reserve(CurveClipboardBytes(points));
  for (int p = 1; p <= points; ++p) {
    text += FormatGwd(d.X(curve, p), CLIPBOARD_VALUE_WIDTH, CLIPBOARD_VALUE_DIGITS);
    text += '\t';
    text += FormatGwd(d.Y(curve, p), CLIPBOARD_VALUE_WIDTH, CLIPBOARD_VALUE_DIGITS);
    text += "\r\n";
  }
  return text;
}

std::size_t CurveClipboardBytes(int points) {
  return CLIPBOARD_BYTES_PER_POINT * static_cast<std::size_t>(std::max(points, 0)) + 1;
}

std::string LinkCurveItem(int curve) {
  std::string number = std::to_string(curve);
  if (number.size() < 2) number.insert(0, 1, '0');
  return LINK_CURVE_ITEM_PREFIX + number;
}

std::string LinkFormatBlock(std::string_view application, std::string_view topic,
                            std::string_view item) {
  std::string block;
  for (std::string_view name : {application, topic, item}) {
    block.append(name.data(), name.size());
    block += '\0';
  }
  block += '\0';
  return block;
}

bool ParseLinkFormat(const char* block, std::size_t size, LinkNames& names, std::size_t maxName) {
  std::string* fields[] = {&names.application, &names.topic, &names.item};
  std::size_t at = 0;
  for (std::string* field : fields) {
    const void* end = at < size ? std::memchr(block + at, '\0', size - at) : nullptr;
    if (!end) return false;
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - block) - at;
    if (length == 0 || length > maxName) return false;
    field->assign(block + at, length);
    at += length + 1;
  }
  return true;
}

}  // namespace merva

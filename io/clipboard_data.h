#pragma once

// What Copy of a curve's data puts on the clipboard: the values as text
// (the plain-text and the "MERVAW" formats hold the same bytes) and the
// "Link" reference by which another program can keep a live copy, and the
// reading of a "Link" block that Paste Link finds there.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/plot_document.h"

namespace merva {

// The application name the program serves under and puts in "Link".
inline constexpr char LINK_APPLICATION[] = "MERVAW";
inline constexpr char LINK_CURVE_ITEM_PREFIX[] = "Curve";

// One line a point: X and Y in 14 columns with 7 significant digits
// (fixed notation and four blanks when 0.1 <= |v| < 10^7), a tab between,
// CR LF after. No terminating NUL.
std::string CurveClipboardText(const PlotDocument& document, int curve);
// The clipboard block's size: 33 bytes a point and one.
std::size_t CurveClipboardBytes(int points);

// "Curve" and the number with at least two digits: Curve07, Curve100.
std::string LinkCurveItem(int curve);
// application NUL topic NUL item NUL NUL.
std::string LinkFormatBlock(std::string_view application, std::string_view topic,
                            std::string_view item);

// The three names of a "Link" block. Each must end with its NUL inside
// the block and be at most `maxName` characters; false otherwise.
struct LinkNames {
  std::string application;
  std::string topic;
  std::string item;
};
bool ParseLinkFormat(const char* block, std::size_t size, LinkNames& names,
                     std::size_t maxName = 255);

}  // namespace merva

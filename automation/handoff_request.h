#pragma once

// The file hand-off by window message: the request text of "Plot MERVA
// File" and "Print MERVA File" and the result codes.

#include <string>
#include <string_view>
#include <vector>

namespace merva {

extern const char* const PLOT_FILE_MESSAGE;   // "Plot MERVA File"
extern const char* const PRINT_FILE_MESSAGE;  // "Print MERVA File"
extern const char* const GET_BITMAP_MESSAGE;  // "Get Bitmap"

enum HandoffResult : int {
  HANDOFF_NO_ANSWER = 0,
  HANDOFF_ACCEPTED = 1,
  HANDOFF_BUSY = 2,
  HANDOFF_UNREADABLE = 3,
  HANDOFF_MISSING = 4,
};

constexpr int HANDOFF_TEXT_LENGTH = 256;
constexpr int DATA_FILE_TYPE = 99;
constexpr int DIRECTORY_PART_LENGTH = 64;

struct HandoffRequest {
  std::string firstName;           // the file whose existence decides the answer
  std::vector<std::string> names;  // every "+"-separated name, relative ones completed
  std::string secondPath;          // after "@": the format-description file
};

// Splits a request text (cut at its first NUL and at 256 characters).
HandoffRequest ParseHandoffText(std::string_view text);

// Everything up to and including the last "\" or ":", at most 64 characters.
std::string DirectoryPart(std::string_view path);

// The answer in the order the receiver checks: the text, the frame, the file.
int HandoffResultCode(bool textReadable, bool frameEnabled, bool firstFileExists);

// lParam of a request: file type in the high word, option word in the low.
inline long HandoffParameter(int fileType, int options) {
  return static_cast<long>((static_cast<unsigned long>(fileType & 0xFFFF) << 16) |
                           static_cast<unsigned long>(options & 0xFFFF));
}
inline int HandoffFileType(unsigned long parameter) {
  return static_cast<int>((parameter >> 16) & 0xFFFF);
}

}  // namespace merva

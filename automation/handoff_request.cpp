#include "automation/handoff_request.h"

#include "core/number_text.h"

namespace merva {

const char* const PLOT_FILE_MESSAGE = "Plot MERVA File";
const char* const PRINT_FILE_MESSAGE = "Print MERVA File";
const char* const GET_BITMAP_MESSAGE = "Get Bitmap";

namespace {

bool IsRelative(std::string_view name) {
  return name.find(':') == std::string_view::npos && !(name.size() > 0 && name[0] == '\\');
}

std::string Trimmed(std::string_view text) { return std::string(TrimRight(TrimLeft(text))); }

}  // namespace

std::string DirectoryPart(std::string_view path) {
  const std::size_t last = path.find_last_of("\\:");
  if (last == std::string_view::npos) return std::string();
  const std::size_t n = last + 1;
  return std::string(path.substr(0, n > DIRECTORY_PART_LENGTH ? DIRECTORY_PART_LENGTH : n));
}

HandoffRequest ParseHandoffText(std::string_view text) {
  HandoffRequest request;
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  if (text.size() > HANDOFF_TEXT_LENGTH) text = text.substr(0, HANDOFF_TEXT_LENGTH);
  std::string_view second;
  bool haveSecond = false;
  const std::size_t at = text.find('@');
  if (at != std::string_view::npos) {
    second = text.substr(at + 1);
    text = text.substr(0, at);
    haveSecond = true;
  }
  const std::size_t plus = text.find('+');
  request.firstName = (plus != std::string_view::npos && plus >= 1) ? Trimmed(text.substr(0, plus))
                                                                    : std::string(TrimRight(text));
  const std::string directory = DirectoryPart(request.firstName);
  if (haveSecond) {
    const std::string path = Trimmed(second);
    request.secondPath =
        (path.find('\\') != std::string::npos || path.find(':') != std::string::npos)
            ? path
            : directory + path;
  }
  request.names.push_back(request.firstName);
  if (plus != std::string_view::npos && plus >= 1) {
    std::string_view rest = text.substr(plus + 1);
    while (true) {
      const std::size_t next = rest.find('+');
      const std::string name = Trimmed(rest.substr(0, next));
      if (!name.empty()) request.names.push_back(IsRelative(name) ? directory + name : name);
      if (next == std::string_view::npos) break;
      rest = rest.substr(next + 1);
    }
  }
  return request;
}

int HandoffResultCode(bool textReadable, bool frameEnabled, bool firstFileExists) {
  if (!textReadable) return HANDOFF_UNREADABLE;
  if (!frameEnabled) return HANDOFF_BUSY;
  return firstFileExists ? HANDOFF_ACCEPTED : HANDOFF_MISSING;
}

}  // namespace merva

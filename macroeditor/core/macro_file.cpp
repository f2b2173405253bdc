#include "macroeditor/core/macro_file.h"

namespace merva::macro {

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

MacroRead ParseMacroFile(std::string_view bytes, std::string& text) {
  if (bytes.size() < MACRO_HEADER_LENGTH ||
      bytes.substr(0, MACRO_HEADER_LENGTH) != std::string_view(MACRO_HEADER, MACRO_HEADER_LENGTH))
    return MacroRead::NotAMacro;
  std::size_t start = bytes.find('\n', MACRO_HEADER_LENGTH);
  start = start == std::string_view::npos ? bytes.size() : start + 1;
  std::string body = WithCrLf(bytes.substr(start));
  // A NUL would end the text in the edit box; the file is not ours then.
  if (body.find('\0') != std::string::npos) return MacroRead::NotAMacro;
  if (body.size() > MACRO_TEXT_LIMIT) return MacroRead::TooLong;
  text = std::move(body);
  return MacroRead::Ok;
}

std::string MacroFileBytes(std::string_view text) {
  return std::string(MACRO_HEADER) + "\r\n" + WithCrLf(text);
}

}  // namespace merva::macro

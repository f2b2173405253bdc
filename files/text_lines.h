#pragma once

// Line-by-line reading of a text held in memory. A line ends at CR LF, LF
// or a lone CR, so files from any system read alike.

#include <cstddef>
#include <string_view>

namespace merva {

class LineCursor {
 public:
  LineCursor() = default;
  explicit LineCursor(std::string_view text) : text_(text) {}

  // The next line without its line end; false at the end of the text.
  bool Next(std::string_view& line);
  // Skips up to `count` lines; returns how many there were.
  long long Skip(long long count);

  // The text from the start of the next line on, and the step past a
  // line of `length` characters there and its line end.
  std::string_view Rest() const { return text_.substr(position_); }
  void TakeLine(std::size_t length);

  bool AtEnd() const { return position_ >= text_.size(); }
  std::size_t BytesLeft() const { return text_.size() - position_; }
  // Number of lines taken so far (1-based number of the last line).
  long long LineNumber() const { return lineNumber_; }

 private:
  std::size_t FindLineEnd() const;

  std::string_view text_;
  std::size_t position_ = 0;
  long long lineNumber_ = 0;
};

}  // namespace merva

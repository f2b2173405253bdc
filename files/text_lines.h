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

  bool AtEnd() const { return position_ >= text_.size(); }
  std::size_t BytesLeft() const { return text_.size() - position_; }
  // Number of lines taken so far (1-based number of the last line).
  long long LineNumber() const { return lineNumber_; }

 private:
  std::size_t FindLineEnd();

  std::string_view text_;
  std::size_t position_ = 0;
  long long lineNumber_ = 0;
  // Cached positions of the next CR and LF at or after position_
  // (npos when there is none), so that each byte is searched once.
  std::size_t nextCr_ = 0;
  std::size_t nextLf_ = 0;
  bool crValid_ = false;
  bool lfValid_ = false;
};

}  // namespace merva

#include "files/text_lines.h"

#include <cstring>

namespace merva {

namespace {

std::size_t FindByte(std::string_view text, std::size_t from, char byte) {
  if (from >= text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + from, byte, text.size() - from);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

}  // namespace

std::size_t LineCursor::FindLineEnd() {
  if (!crValid_ || (nextCr_ != std::string_view::npos && nextCr_ < position_)) {
    nextCr_ = FindByte(text_, position_, '\r');
    crValid_ = true;
  }
  if (!lfValid_ || (nextLf_ != std::string_view::npos && nextLf_ < position_)) {
    nextLf_ = FindByte(text_, position_, '\n');
    lfValid_ = true;
  }
  return nextCr_ < nextLf_ ? nextCr_ : nextLf_;
}

bool LineCursor::Next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const std::size_t end = FindLineEnd();
  ++lineNumber_;
  if (end == std::string_view::npos) {
    line = text_.substr(position_);
    position_ = text_.size();
    return true;
  }
  line = text_.substr(position_, end - position_);
  position_ = end + 1;
  if (text_[end] == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
  return true;
}

long long LineCursor::Skip(long long count) {
  long long skipped = 0;
  std::string_view line;
  while (skipped < count && Next(line)) ++skipped;
  return skipped;
}

}  // namespace merva

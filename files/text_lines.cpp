#include "files/text_lines.h"

#include <cstdint>
#include <cstring>

namespace merva {

namespace {

constexpr uint64_t LOW_SEVEN_BITS = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t ONES = 0x0101010101010101ull;

// The high bit of each byte of `word` that equals `byte`, exactly.
uint64_t MatchingBytes(uint64_t word, char byte) {
  const uint64_t x = word ^ (ONES * static_cast<unsigned char>(byte));
  return ~(((x & LOW_SEVEN_BITS) + LOW_SEVEN_BITS) | x | LOW_SEVEN_BITS);
}

std::size_t FirstMatch(const char* bytes, uint64_t matches) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  (void)bytes;
  return static_cast<std::size_t>(__builtin_ctzll(matches)) / 8;
#else
  (void)matches;
  std::size_t k = 0;
  while (bytes[k] != '\r' && bytes[k] != '\n') ++k;
  return k;
#endif
}

}  // namespace

// The first CR or LF at or after position_, eight bytes at a time: lines
// of numbers are short, and two searches per line would cost more.
std::size_t LineCursor::FindLineEnd() const {
  const char* const begin = text_.data();
  const std::size_t size = text_.size();
  std::size_t i = position_;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, begin + i, 8);
    const uint64_t matches = MatchingBytes(word, '\r') | MatchingBytes(word, '\n');
    if (matches != 0) return i + FirstMatch(begin + i, matches);
  }
  for (; i < size; ++i)
    if (begin[i] == '\r' || begin[i] == '\n') return i;
  return std::string_view::npos;
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

void LineCursor::TakeLine(std::size_t length) {
  position_ += length;
  ++lineNumber_;
  if (position_ >= text_.size()) return;
  const char end = text_[position_++];
  if (end == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
}

long long LineCursor::Skip(long long count) {
  long long skipped = 0;
  std::string_view line;
  while (skipped < count && Next(line)) ++skipped;
  return skipped;
}

}  // namespace merva

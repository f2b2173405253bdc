#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace merva {

// A blank-padded text field of exactly N characters; trailing blanks are
// not significant.
template <std::size_t N>
class FixedText {
 public:
  FixedText() { chars_.fill(' '); }
  explicit FixedText(std::string_view text) { Set(text); }

  // Longer texts are cut to the field width.
  void Set(std::string_view text) {
    chars_.fill(' ');
    const std::size_t n = text.size() < N ? text.size() : N;
    for (std::size_t i = 0; i < n; ++i) chars_[i] = text[i];
  }
  void Clear() { chars_.fill(' '); }

  // The text without its trailing blanks.
  std::string_view Trimmed() const {
    std::size_t n = N;
    while (n > 0 && chars_[n - 1] == ' ') --n;
    return std::string_view(chars_.data(), n);
  }
  std::string Str() const { return std::string(Trimmed()); }
  bool IsBlank() const { return Trimmed().empty(); }
  std::string_view Padded() const { return std::string_view(chars_.data(), N); }
  static constexpr std::size_t Width() { return N; }

  bool operator==(const FixedText& other) const { return chars_ == other.chars_; }
  bool operator!=(const FixedText& other) const { return !(*this == other); }

 private:
  std::array<char, N> chars_;
};

}  // namespace merva

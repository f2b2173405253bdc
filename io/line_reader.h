#pragma once

// Lines of a text file through one fixed read buffer: no copy of the
// file, no allocation per line. A line longer than the limit is reported
// as such (its text skipped) instead of growing the buffer.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace merva {

constexpr std::size_t MAX_TEXT_LINE = 1 << 20;

class LineReader {
 public:
  explicit LineReader(std::size_t maxLine = MAX_TEXT_LINE);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }

  // The next line without its LF or CR LF (and without a UTF-8 byte-order
  // mark on line 1); false at the end of the file or on a read error.
  // `tooLong` is set for a line beyond the limit (`line` is then empty).
  // The byte after `line` is its CR, its LF or a NUL: readers of numbers
  // need not check the bound at every digit.
  bool Next(std::string_view& line, bool& tooLong) {
    // Inline for the usual line, whole in the buffer: files of numbers
    // have millions of short ones.
    if (lineNumber_ > 0 && file_) {
      const char* start = buffer_.get() + begin_;
      const void* lf = std::memchr(start, '\n', end_ - begin_);
      std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : 0;
      if (lf && length <= maxLine_) {
        begin_ += length + 1;
        if (length > 0 && start[length - 1] == '\r') --length;
        line = std::string_view(start, length);
        tooLong = false;
        ++lineNumber_;
        return true;
      }
    }
    return NextInBuffer(line, tooLong);
  }
  bool Next(std::string_view& line) {
    bool tooLong = false;
    return Next(line, tooLong);
  }
  // Number of the line last returned (1-based).
  long long LineNumber() const { return lineNumber_; }
  // Back to line 1.
  bool Rewind();
  // Line ends (LF) from the current position to the end of the file, plus
  // one for a last line without one; the position is not changed.
  long long CountRemainingLines();
  bool ReadError() const { return readError_; }

 private:
  bool Fill();
  bool NextInBuffer(std::string_view& line, bool& tooLong);
  std::FILE* file_ = nullptr;
  // Not zeroed: only [begin_, end_] is ever read (a NUL at end_).
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::unique_ptr<char[]> countChunk_;
  std::size_t maxLine_;
  std::size_t begin_ = 0, end_ = 0;
  long long lineNumber_ = 0;
  bool eof_ = false;
  bool readError_ = false;
};

}  // namespace merva

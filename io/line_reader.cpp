#include "io/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace merva {

namespace {

constexpr std::size_t CHUNK = 1 << 18;

long long Tell(std::FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return static_cast<long long>(ftello(f));
#endif
}

void Seek(std::FILE* f, long long position) {
#ifdef _WIN32
  _fseeki64(f, position, SEEK_SET);
#else
  fseeko(f, static_cast<off_t>(position), SEEK_SET);
#endif
}

// A plain count the compiler vectorizes: lines of numbers are short, and
// a memchr call per line costs more. The ranges are below 4 GB.
long long CountLineEnds(const char* p, const char* end) {
  uint32_t count = 0;
  for (; p < end; ++p) count += *p == '\n';
  return count;
}

}  // namespace

LineReader::LineReader(std::size_t maxLine) : maxLine_(maxLine) {}

LineReader::~LineReader() {
  if (file_) std::fclose(file_);
}

bool LineReader::Open(const std::string& path) {
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return false;
  if (!buffer_) {
    capacity_ = maxLine_ + CHUNK + 1;
    buffer_.reset(new char[capacity_ + 1]);  // and the NUL after the text
  }
  return Rewind();
}

bool LineReader::Rewind() {
  if (!file_ || std::fseek(file_, 0, SEEK_SET) != 0) return false;
  begin_ = end_ = 0;
  lineNumber_ = 0;
  eof_ = readError_ = false;
  return true;
}

// Moves the unread rest to the front and reads more after it.
bool LineReader::Fill() {
  if (eof_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const std::size_t room = capacity_ - end_;
  const std::size_t got = std::fread(buffer_.get() + end_, 1, room, file_);
  if (got < room) {
    eof_ = true;
    readError_ = std::ferror(file_) != 0;
  }
  end_ += got;
  buffer_[end_] = '\0';
  return got > 0;
}

bool LineReader::NextInBuffer(std::string_view& line, bool& tooLong) {
  tooLong = false;
  if (!file_) return false;
  bool skipping = false;
  std::size_t searched = begin_;
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const void* lf = std::memchr(buffer_.get() + searched, '\n', end_ - searched);
    if (lf || (eof_ && end_ > begin_)) {
      const char* stop = lf ? static_cast<const char*>(lf) : buffer_.get() + end_;
      std::size_t length = static_cast<std::size_t>(stop - start);
      begin_ = lf ? static_cast<std::size_t>(stop - buffer_.get()) + 1 : end_;
      if (skipping || length > maxLine_) {
        tooLong = true;
        length = 0;
      }
      if (length > 0 && start[length - 1] == '\r') --length;
      line = std::string_view(start, length);
      if (++lineNumber_ == 1 && line.size() >= 3 &&
          std::memcmp(line.data(), "\xEF\xBB\xBF", 3) == 0)
        line.remove_prefix(3);
      return true;
    }
    if (eof_) return false;
    if (end_ - begin_ > maxLine_) {
      skipping = true;  // drop what was seen; the line ends somewhere later
      begin_ = end_;
    }
    const std::size_t seen = end_ - begin_;
    Fill();
    searched = begin_ + seen;
  }
}

long long LineReader::CountRemainingLines() {
  if (!file_) return 0;
  long long lines = 0;
  bool pendingText = false;
  lines += CountLineEnds(buffer_.get() + begin_, buffer_.get() + end_);
  if (end_ > begin_) pendingText = buffer_[end_ - 1] != '\n';
  if (!eof_) {
    const long long position = Tell(file_);
    if (!countChunk_) countChunk_.reset(new char[CHUNK]);
    char* chunk = countChunk_.get();
    for (;;) {
      const std::size_t got = std::fread(chunk, 1, CHUNK, file_);
      lines += CountLineEnds(chunk, chunk + got);
      if (got > 0) pendingText = chunk[got - 1] != '\n';
      if (got < CHUNK) break;
    }
    std::clearerr(file_);
    Seek(file_, position);
  }
  return lines + (pendingText ? 1 : 0);
}

}  // namespace merva

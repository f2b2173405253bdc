#pragma once

// The file an export writes. It goes under a temporary name beside the
// target and replaces the target only when every byte is written, so that a
// full disk or a vanished folder leaves any earlier file as it was.

#include <cstdio>
#include <string>
#include <string_view>

#include "core/status.h"

namespace merva {

class ExportFile {
 public:
  explicit ExportFile(std::string path);
  ~ExportFile();  // an unfinished file is removed
  ExportFile(const ExportFile&) = delete;
  ExportFile& operator=(const ExportFile&) = delete;

  // Opens the temporary file; the standard file-error report when it cannot.
  Status Open();
  void Append(std::string_view bytes) {
    buffer_.append(bytes.data(), bytes.size());
    if (buffer_.size() >= FLUSH_SIZE) Flush();
  }
  void Append(const char* bytes, std::size_t count) { Append(std::string_view(bytes, count)); }
  // Writes what is buffered, closes and puts the file in place; the
  // standard file-error report on any failure (the target is untouched).
  Status Finish();

  static constexpr std::size_t FLUSH_SIZE = 1 << 20;

 private:
  void Flush();
  void Abandon();

  std::string path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  bool failed_ = false;
};

// Temporary names of exports end with this.
inline constexpr char EXPORT_TEMPORARY_SUFFIX[] = ".~ex";

}  // namespace merva

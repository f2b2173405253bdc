#include "io/export_file.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "files/plot_file_messages.h"

namespace merva {

ExportFile::ExportFile(std::string path)
    : path_(std::move(path)), temporary_(path_ + EXPORT_TEMPORARY_SUFFIX) {}

ExportFile::~ExportFile() { Abandon(); }

Status ExportFile::Open() {
  file_ = std::fopen(temporary_.c_str(), "wb");
  if (!file_) return Status::Failure(WriteErrorText(path_, IOS_OPEN_FAILED));
  buffer_.reserve(FLUSH_SIZE + 4096);
  return Status::Success();
}

void ExportFile::Flush() {
  if (!file_ || buffer_.empty()) return;
  if (!failed_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
    failed_ = true;
  buffer_.clear();
}

void ExportFile::Abandon() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::error_code ec;
  std::filesystem::remove(temporary_, ec);
}

Status ExportFile::Finish() {
  if (!file_) return Status::Failure(WriteErrorText(path_, IOS_OPEN_FAILED));
  Flush();
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  std::error_code ec;
  if (failed_ || !closed) {
    std::filesystem::remove(temporary_, ec);
    return Status::Failure(WriteErrorText(path_, IOS_WRITE_FAILED));
  }
  std::filesystem::rename(temporary_, path_, ec);
  if (!ec) return Status::Success();
  // A system that does not rename over an existing file: the old one goes
  // only now that the new one is complete.
  std::error_code removed;
  if (!std::filesystem::exists(temporary_, removed))
    return Status::Failure(WriteErrorText(path_, IOS_WRITE_FAILED));
  const bool oldGone = std::filesystem::remove(path_, removed);
  ec.clear();
  std::filesystem::rename(temporary_, path_, ec);
  if (!ec) return Status::Success();
  // With the old file gone the new one stays under its temporary name.
  if (!oldGone) std::filesystem::remove(temporary_, removed);
  return Status::Failure(WriteErrorText(path_, IOS_WRITE_FAILED));
}

}  // namespace merva

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/array_sizing.h"
#include "core/plot_document.h"

namespace merva {
namespace plot_file_test {

inline std::unique_ptr<PlotDocument> NewDocument(int curves, int points) {
  auto document = std::make_unique<PlotDocument>();
  SetCompiledDefaults(*document);
  EXPECT_TRUE(Allocate(*document, curves, points).Ok());
  return document;
}

// Appends a curve with the given points as the next curve.
inline int AddCurve(PlotDocument& d, const std::vector<std::pair<float, float>>& points) {
  const int c = ++d.curveCount;
  d.pointCount[c] = static_cast<int>(points.size());
  for (std::size_t j = 0; j < points.size(); ++j) {
    d.X(c, static_cast<int>(j) + 1) = points[j].first;
    d.Y(c, static_cast<int>(j) + 1) = points[j].second;
  }
  d.InvalidateCurveStates(c);
  return c;
}

// Lines of a CR LF text (the last line end yields no empty line).
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A fresh folder for files of one test, removed afterwards; the temporary
// files of array growth go there too.
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("plotfile-test-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(path_);
    SetTemporaryDirectory(path_.string());
  }
  ~ScratchFolder() {
    SetTemporaryDirectory("");
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    for (auto& entry : std::filesystem::directory_iterator(path_, ec))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  bool IsEmpty() const { return std::filesystem::is_empty(path_); }

 private:
  std::filesystem::path path_;
};

inline std::string DataFile(const std::string& name) {
  return std::string(MERVA_SOURCE_DIR) + "/tests/files/data/" + name;
}

}  // namespace plot_file_test
}  // namespace merva

#include "harness/pdf_jobs.h"

#include <windows.h>

#include <cstdlib>

namespace merva::test {

bool PrinterInstalled() {
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  return device[0] != '\0';
}

std::string PdfFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = std::string("Z:") + (home ? home : "/root") + "/PDF";
  for (char& c : folder)
    if (c == '/') c = '\\';
  return folder;
}

std::vector<std::string> PdfFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((PdfFolder() + "\\*.pdf").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const unsigned long long time =
        (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    names.push_back(PdfFolder() + "\\" + data.cFileName + "|" + std::to_string(time));
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

int PdfPageCount(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = pdf.find("/Type"); at != std::string::npos;
       at = pdf.find("/Type", at + 5)) {
    std::size_t p = at + 5;
    while (p < pdf.size() && (pdf[p] == ' ' || pdf[p] == '\r' || pdf[p] == '\n')) ++p;
    if (pdf.compare(p, 5, "/Page") == 0 && (p + 5 >= pdf.size() || pdf[p + 5] != 's')) ++pages;
  }
  return pages;
}

}  // namespace merva::test

// Timed tool (run under Wine): starts merva95.exe and measures, as a DDE
// client sees it, [FileType(4)][FileOpen("file")] of a column file from
// the execute to its reply. Prints "seconds: <s>" and the point counts.
// Usage: import_dde_timer file [points per curve]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "harness/raw_dde_client.h"
#include "harness/wine_harness.h"

using namespace merva::test;

namespace {

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string file = argv[1];
  const std::string points = argc > 2 ? argv[2] : "2000000";
  if (FindWindowA("MERVA/W", nullptr)) {
    std::printf("a MERVA/W window already runs\n");
    return 2;
  }
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  DeleteFileA((std::string(windows) + "\\mervaw.ini").c_str());
  StartedProcess merva = StartProgram(ProgramPath("app/merva95.exe"), "/-logo");
  if (!merva.pid) return 2;
  if (!WaitUntil([] { return RawDdeClient().Connect("MERVAW", "System"); }, 20000)) return 2;
  RawDdeClient client;
  int result = 1;
  // Arrays of the file's shape, so that the read grows nothing.
  if (client.Connect("MERVAW", "ROZava") &&
      client.Execute("[ErrorMessages(0)][FileArrays(4," + points + ")][FileType(4)]") == 0x8000) {
    const double start = Now();
    const int reply = client.Execute("[FileOpen(\"" + file + "\")]", 600000);
    const double seconds = Now() - start;
    std::string counts;
    RawDdeClient system;
    std::string topics;
    if (system.Connect("MERVAW", "System") && system.Request("Topics", CF_TEXT, topics)) {
      RawDdeClient document;
      const std::string topic = topics.substr(topics.rfind('\t') + 1);
      if (document.Connect("MERVAW", topic.c_str()))
        document.Request("NumberOfPoints", CF_TEXT, counts);
    }
    std::printf("reply: %04X\nseconds: %.3f\npoints: %s\n", reply, seconds, counts.c_str());
    result = reply == 0x8000 ? 0 : 1;
  }
  merva.End();
  return result;
}

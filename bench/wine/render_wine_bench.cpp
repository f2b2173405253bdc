// Timed tool (run under Wine, x86_64 build): redraw of huge records as a
// user meets it. Writes plot files of one noisy curve, starts merva95.exe,
// opens each file over DDE and times the open with its first drawing and
// each redraw (a "Picture" bitmap request after [ViewRedraw()], drawn
// synchronously); in its own process it reads the same file and draws the
// curve into a bitmap in full and reduced, for the ratio. Usage:
//   render_wine_bench [points ...]   (default 1000000 10000000)

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/array_sizing.h"
#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"
#include "harness/raw_dde_client.h"
#include "harness/wine_harness.h"
#include "render/win32/gdi_targets.h"

using namespace merva;
using namespace merva::test;

namespace {

constexpr DWORD TIME_OUT_MS = 600000;
constexpr int REPEATS = 3;
int width = 800, height = 600;  // the document window's client area, once known

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string TempFile(int points) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "merva_bench_" + std::to_string(points) + ".grf";
}

bool WriteRecord(int points, const std::string& path) {
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 1, points).Ok()) return false;
  unsigned seed = 12345;
  for (int i = 1; i <= points; ++i) {
    seed = seed * 1103515245u + 12345u;
    d.X(1, i) = static_cast<float>(i) * 1e-4f;
    d.Y(1, i) = static_cast<float>(std::sin(i * 1e-5) * 50.0 +
                                   (static_cast<int>((seed >> 8) % 2001) - 1000) / 100.0);
  }
  d.pointCount[1] = points;
  d.curveCount = 1;
  return WritePlotFile(d, path).Ok();
}

struct Figures {
  double open = 0, redraw = 1e9, readHere = 0, full = 1e9, reduced = 1e9, changed = 1e9,
         request = 1e9;
};

bool EscapePressed() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) &&
         message.wParam == VK_ESCAPE;
}

// `changed`: as after a change of the data (the blocks are summed anew).
double DrawHere(PlotDocument& d, bool reduce, bool changed = false) {
  DrawOptions options;
  options.reduceCurves = reduce;
  options.abortRequested = EscapePressed;  // as the window polls it
  if (changed) d.extents.valid = EXTENTS_STALE;
  const double start = Now();
  HBITMAP bitmap = win32::DrawToBitmap(nullptr, width, height, d, options, RGB(255, 255, 255));
  const double end = Now();
  DeleteObject(bitmap);
  return end - start;
}

bool Failed(const std::string& what) {
  std::printf("failed: %s\n", what.c_str());
  return false;
}

bool Measure(int points, Figures& f) {
  const std::string path = TempFile(points);
  if (!WriteRecord(points, path)) return Failed("writing " + path);
  RawDdeClient client;
  if (!client.Connect("MERVAW", "ROZava")) return Failed("connecting");
  client.Execute("[ErrorMessages(0)]");
  std::string picture;
  double start = Now();
  const int opened = client.Execute("[FileOpen(\"" + path + "\")]", TIME_OUT_MS);
  if (opened != 0x8000) return Failed("[FileOpen( status " + std::to_string(opened));
  // The new document's own topic carries its picture.
  RawDdeClient system, document;
  std::string topics;
  if (!system.Connect("MERVAW", "System") || !system.Request("Topics", CF_TEXT, topics))
    return Failed("Topics");
  const std::string topic = topics.substr(topics.rfind('\t') + 1);
  if (!document.Connect("MERVAW", topic.c_str())) return Failed("topic " + topic);
  if (!document.Request("Picture", CF_BITMAP, picture, TIME_OUT_MS)) return Failed("Picture");
  f.open = Now() - start;
  if (HWND frame = FindWindowA("MERVA/W", nullptr)) {
    HWND client = FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
    HWND window = client ? FindWindowExA(client, nullptr, "MERVADOC", nullptr) : nullptr;
    RECT r{};
    if (window && GetClientRect(window, &r) && r.right > 0 && r.bottom > 0) {
      width = r.right;
      height = r.bottom;
    }
  }
  for (int r = 0; r < REPEATS; ++r) {
    if (client.Execute("[ViewRedraw()]", TIME_OUT_MS) != 0x8000) return Failed("[ViewRedraw(");
    start = Now();
    if (!document.Request("Picture", CF_BITMAP, picture, TIME_OUT_MS)) return Failed("Picture");
    f.redraw = std::min(f.redraw, Now() - start);
    // The same request again serves the window's kept picture: the cost of
    // the request itself.
    start = Now();
    if (!document.Request("Picture", CF_BITMAP, picture, TIME_OUT_MS)) return Failed("Picture");
    f.request = std::min(f.request, Now() - start);
  }
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 1, 1000).Ok()) return false;
  start = Now();
  if (!ReadPlotFile(d, path, 1).Ok()) return Failed("reading here");
  f.readHere = Now() - start;
  if (d.pointCount[1] != points) return Failed("reading here: " + std::to_string(d.pointCount[1]));
  for (int r = 0; r < REPEATS; ++r) {
    f.full = std::min(f.full, DrawHere(d, false));
    f.reduced = std::min(f.reduced, DrawHere(d, true));
    f.changed = std::min(f.changed, DrawHere(d, true, true));
  }
  DeleteFileA(path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {1000000, 10000000};
  if (FindWindowA("MERVA/W", nullptr)) {
    std::printf("a MERVA/W window already runs\n");
    return 2;
  }
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  DeleteFileA((std::string(windows) + "\\mervaw.ini").c_str());
  // One curve per new document: a record of 10,000,000 points then takes
  // 80 MB, not 100 curves' worth.
  WritePrivateProfileStringA("Arrays", "numcurves", "1", "mervaw.ini");
  StartedProcess merva = StartProgram(ProgramPath("app/merva95.exe"), "/-logo");
  if (!merva.pid) return 2;
  if (!WaitUntil([] { return RawDdeClient().Connect("MERVAW", "System"); }, 20000)) return 2;
  int result = 0;
  for (int points : counts) {
    Figures f;
    if (!Measure(points, f)) {
      std::printf("%d points: failed\n", points);
      result = 1;
      continue;
    }
    std::printf(
        "%d points: merva95 open with first drawing %.3f s, redraw %.1f ms (of which %.1f ms the "
        "request of a kept picture); here: read %.3f s, "
        "full draw %.1f ms, reduced draw %.1f ms (%.1f ms after a data change) (%dx%d bitmap)\n",
        points, f.open, f.redraw * 1e3, f.request * 1e3, f.readHere, f.full * 1e3, f.reduced * 1e3,
        f.changed * 1e3, width, height);
    std::printf("ratio: redraw %s under Wine vs full draw = %.1f\n",
                points == 10000000 ? "10M" : std::to_string(points).c_str(), f.full / f.redraw);
  }
  merva.End();
  return result;
}

// Timed tool (run under Wine): starts merva95.exe and measures, as a raw DDE
// client sees it, [XY( commands per second under a postponed redraw and a
// binary poke with its text request. Usage:
//   merva95_dde_bench [xy-count] [poke-points] [time-out-seconds]
// (negative poke points: the poke alone, checked by its point count)

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "automation/binary_plot.h"
#include "harness/raw_dde_client.h"
#include "harness/wine_harness.h"
// dde.h needs windows.h first.
#include <dde.h>

using namespace merva;
using namespace merva::test;

namespace {

DWORD timeoutMs = 60000;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int XyCommands(int count) {
  RawDdeClient client;
  if (!client.Connect("MERVAW", "ROZava")) return 1;
  if (client.Execute("[ErrorMessages(0)][FileArrays(1," + std::to_string(count) +
                     ")][Caption(\"Speed\")][PostponeRedraw()]") != 0x8000)
    return 1;
  const double start = Now();
  int sent = 0, strings = 0;
  while (sent < count) {
    std::string text;
    while (sent < count) {
      const std::string one =
          "[XY(" + std::to_string(sent) + "," + std::to_string(sent % 100) + ")]";
      if (text.size() + one.size() > 1024) break;
      text += one;
      ++sent;
    }
    if (client.Execute(text, timeoutMs) != 0x8000) {
      std::printf("string %d refused\n", strings);
      return 1;
    }
    ++strings;
  }
  const double executed = Now();
  if (client.Execute("[ViewRedraw()]", timeoutMs) != 0x8000) return 1;
  const double redrawn = Now();
  RawDdeClient document;
  std::string points;
  if (!document.Connect("MERVAW", "Speed") || !document.Request("NumberOfPoints", CF_TEXT, points))
    return 1;
  std::printf(
      "%d [XY( commands in %d strings: %.3f s (%.0f commands/s), [ViewRedraw()] %.3f s, "
      "NumberOfPoints %s\n",
      count, strings, executed - start, count / (executed - start), redrawn - executed,
      points.c_str());
  return points == std::to_string(count) ? 0 : 1;
}

// Wine hands a DDE message's memory block to another process only up to
// about 2,083,000-2,087,000 bytes (dde_size_probe measures it; merva95's
// replies stop at 2,083,108, pokes into it at a 2,085,709-byte block). A
// larger block never arrives, so merva95 refuses replies beyond 2,000,000
// bytes and this tool pokes no more than that.
constexpr std::size_t WINE_LARGEST_BLOCK = 2000000;
constexpr std::size_t POKE_HEADER = sizeof(DDEPOKE) - 1;  // as the raw client sends it
constexpr std::size_t TEXT_PER_POINT = 31;

std::size_t PokeBytes(int points) {
  return BINARY_PLOT_HEADER_SIZE + 4u * (2u + static_cast<std::size_t>(points));
}
std::size_t ReplyBytes(int points) { return TEXT_PER_POINT * static_cast<std::size_t>(points) + 1; }
bool PokeFits(int points) { return PokeBytes(points) + POKE_HEADER <= WINE_LARGEST_BLOCK; }
bool ReplyFits(int points) { return ReplyBytes(points) <= WINE_LARGEST_BLOCK; }

// A format-1 binary poke of one curve, then (when `requestCurve`) its
// Curve1 item as text; 0 when everything came back as sent.
int RoundTrip(int points, bool requestCurve) {
  BinaryPlotHeader h;
  h.version = 2;
  h.dataFormat = 1;
  h.curveCapacity = 1;
  h.pointCapacity = points;
  h.curveCount = 1;
  h.pointCounts[0] = points;
  h.titles[0] = "Block";
  std::vector<float> values(2 + static_cast<std::size_t>(points));
  values[0] = 0.001f;
  values[1] = 0.0f;
  for (int i = 0; i < points; ++i)
    values[static_cast<std::size_t>(2 + i)] = static_cast<float>(i % 1000);
  const std::string bytes = WriteBinaryPlot(h, values.data(), values.size());
  RawDdeClient client;
  if (!client.Connect("MERVAW", "ROZava")) return 1;
  const double start = Now();
  const int status = client.Poke("x", RegisterClipboardFormatA("MERVAW"), bytes, timeoutMs);
  const double poked = Now();
  std::printf("%d-point binary poke (%zu bytes): status 0x%X in %.3f s\n", points, bytes.size(),
              status, poked - start);
  if (status != 0x8000) return 1;
  RawDdeClient system;
  std::string topics;
  system.Connect("MERVAW", "System");
  system.Request("Topics", CF_TEXT, topics);
  const std::string topic = topics.substr(topics.rfind('\t') + 1);
  RawDdeClient document;
  std::string text;
  if (!document.Connect("MERVAW", topic.c_str())) return 1;
  if (!requestCurve) {
    const bool ok = document.Request("NumberOfPoints", CF_TEXT, text, timeoutMs);
    std::printf("NumberOfPoints of %s: %s\n", topic.c_str(), ok ? text.c_str() : "failed");
    return ok && text == std::to_string(points) ? 0 : 1;
  }
  const bool ok = document.Request("Curve1", CF_TEXT, text, timeoutMs);
  const double end = Now();
  std::printf("Curve1 request as text: %s, %zu bytes in %.3f s; round trip %.3f s\n",
              ok ? "ok" : "failed", text.size(), end - poked, end - start);
  return ok && text.size() == static_cast<std::size_t>(points) * TEXT_PER_POINT ? 0 : 1;
}

// The round trip at the size asked for, or, when its blocks cannot pass
// Wine's DDE transport, at the largest sizes that can.
int PokeRoundTrip(int points) {
  if (PokeFits(points) && ReplyFits(points)) return RoundTrip(points, true);
  std::printf(
      "%d points: the poke (%zu bytes) or the Curve1 text (%zu bytes) is beyond the %zu bytes "
      "a DDE block can carry under Wine\n",
      points, PokeBytes(points), ReplyBytes(points), WINE_LARGEST_BLOCK);
  int roundTrip = points, poke = points;
  while (roundTrip > 1 && !ReplyFits(roundTrip)) --roundTrip;
  while (poke > 1 && !PokeFits(poke)) --poke;
  std::printf("largest round trip that works: %d points\n", roundTrip);
  int result = RoundTrip(roundTrip, true);
  std::printf("largest poke that works: %d points\n", poke);
  result |= RoundTrip(poke, false);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int points = argc > 2 ? std::atoi(argv[2]) : 1000000;
  if (argc > 3) timeoutMs = static_cast<DWORD>(std::atoi(argv[3])) * 1000u;
  if (FindWindowA("MERVA/W", nullptr)) {
    std::printf("a MERVA/W window already runs\n");
    return 2;
  }
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  DeleteFileA((std::string(windows) + "\\mervaw.ini").c_str());
  StartedProcess merva = StartProgram(ProgramPath("app/merva95.exe"), "/-logo");
  if (!merva.pid) return 2;
  if (!WaitUntil(
          [] {
            RawDdeClient probe;
            return probe.Connect("MERVAW", "System");
          },
          20000))
    return 2;
  int result = count > 0 ? XyCommands(count) : 0;
  if (points > 0) result |= PokeRoundTrip(points);
  if (points < 0) result |= RoundTrip(-points, false);  // the poke alone
  merva.End();
  return result;
}

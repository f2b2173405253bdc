// Throughput of the DDE server as a client sees it; the figures are
// printed, the counts checked.

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "automation/binary_plot.h"
#include "harness/raw_dde_client.h"
#include "harness/wine_harness.h"

namespace merva::test {
namespace {

class ThroughputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = StartProgram(ProgramPath("tests/wine/dde_test_server.exe"), "");
    ASSERT_NE(server_.pid, 0u);
    ASSERT_TRUE(WaitUntil(
        [&] {
          HWND frame = FindWindowOfProcess(server_.pid, "MERVATESTFRAME");
          return frame && WindowText(frame).rfind("messages=", 0) == 0;
        },
        20000));
  }
  StartedProcess server_;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST_F(ThroughputTest, HundredThousandXYCommandsUnderPostponedRedraw) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  ASSERT_EQ(client.Execute("[Caption(\"Speed\")][PostponeRedraw()]"), 0x8000);
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int sent = 0, strings = 0;
  while (sent < 100000) {
    std::string text;
    while (sent < 100000) {
      const std::string one =
          "[XY(" + std::to_string(sent) + "," + std::to_string(sent % 100) + ")]";
      if (text.size() + one.size() > 1024) break;
      text += one;
      ++sent;
    }
    ASSERT_EQ(client.Execute(text), 0x8000);
    ++strings;
  }
  ASSERT_EQ(client.Execute("[ViewRedraw()]"), 0x8000);
  QueryPerformanceCounter(&end);
  const double seconds = Seconds(start, end);
  std::printf("100000 [XY( commands in %d strings: %.3f s, %.0f commands/s\n", strings, seconds,
              100000 / seconds);
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "Speed"));
  std::string points;
  ASSERT_TRUE(document.Request("NumberOfPoints", CF_TEXT, points));
  EXPECT_EQ(points, "100000");
}

// Wine's DDE transport carries a block of a little over 2 MB at most (a
// 100,000-point Curve1 reply, a 1,000,000-point poke never arrive), so the
// round trip is measured at 10,000 points.
TEST_F(ThroughputTest, BinaryPokeAndRequestRoundTrip) {
  constexpr int POINTS = 10000;
  BinaryPlotHeader h;
  h.version = 2;
  h.dataFormat = 1;
  h.curveCapacity = 1;
  h.pointCapacity = POINTS;
  h.curveCount = 1;
  h.pointCounts[0] = POINTS;
  std::vector<float> values(2 + POINTS);
  values[0] = 0.001f;
  values[1] = 0.0f;
  for (int i = 0; i < POINTS; ++i)
    values[static_cast<std::size_t>(2 + i)] = static_cast<float>(i % 1000);
  const std::string bytes = WriteBinaryPlot(h, values.data(), values.size());
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  LARGE_INTEGER start, poked, end;
  QueryPerformanceCounter(&start);
  ASSERT_EQ(client.Poke("x", RegisterClipboardFormatA("MERVAW"), bytes, 60000), 0x8000);
  QueryPerformanceCounter(&poked);
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "Plot2"));
  std::string text;
  ASSERT_TRUE(document.Request("Curve1", CF_TEXT, text, 60000));
  QueryPerformanceCounter(&end);
  EXPECT_EQ(text.size(), static_cast<std::size_t>(POINTS) * 31u);
  std::printf("%d-point binary poke %.3f s, Curve1 request (%zu bytes) %.3f s, total %.3f s\n",
              POINTS, Seconds(start, poked), text.size(), Seconds(poked, end), Seconds(start, end));
}

}  // namespace
}  // namespace merva::test

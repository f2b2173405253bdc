#include <gtest/gtest.h>

#include <cstring>

#include "core/messages.h"
#include "io/import_file.h"
#include "io/nicolet_import.h"
#include "tests/io/import_test_support.h"

namespace merva {
namespace {

using import_test::AddCurve;
using import_test::NewDocument;
using import_test::WriteTestFile;

void PutU32(std::string& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutF32(std::string& b, std::size_t at, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutU32(b, at, bits);
}
void PutF64(std::string& b, std::size_t at, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  PutU32(b, at, static_cast<uint32_t>(bits));
  PutU32(b, at + 4, static_cast<uint32_t>(bits >> 32));
}
void PutText(std::string& b, std::size_t at, const std::string& text) {
  std::memcpy(&b[at], text.c_str(), text.size() + 1);
}
void PutSamples(std::string& b, const std::vector<int16_t>& samples) {
  for (int16_t s : samples) {
    b += static_cast<char>(s & 0xFF);
    b += static_cast<char>((s >> 8) & 0xFF);
  }
}

// The single-curve layout "Save As" writes.
std::string UnformattedFile(int n, bool fullLastRecord) {
  std::string b(1024, '\0');
  PutU32(b, 0, static_cast<uint32_t>(n));
  for (int k = 0; k < n; k += 128) {
    std::string record(1024, '\0');
    const int pairs = std::min(128, n - k);
    for (int j = 0; j < pairs; ++j) {
      PutF32(record, 8 * j, static_cast<float>(k + j));
      PutF32(record, 8 * j + 4, static_cast<float>(2 * (k + j)));
    }
    if (!fullLastRecord && k + 128 >= n) record.resize(8 * pairs);
    b += record;
  }
  return b;
}

TEST(Unformatted, RecordsOfTheExport) {
  PlotDocument d = NewDocument(4, 100);
  AddCurve(d, 3);
  std::string path = WriteTestFile("u129.bin", UnformattedFile(129, true));
  ASSERT_TRUE(ImportFile(d, path, FILE_TYPE_UNFORMATTED, 2).Ok());
  EXPECT_EQ(d.pointCount[2], 129);
  EXPECT_EQ(d.X(2, 129), 128.0f);
  EXPECT_EQ(d.Y(2, 129), 256.0f);
  EXPECT_EQ(d.Y(1, 3), -3.0f);
  path = WriteTestFile("u5.bin", UnformattedFile(5, false));
  ASSERT_TRUE(ImportFile(d, path, FILE_TYPE_UNFORMATTED, 3).Ok());
  EXPECT_EQ(d.pointCount[3], 5);
}

TEST(Unformatted, CountsBeyondTheFileAndTheOlderLayout) {
  PlotDocument d = NewDocument(4, 10);
  std::string b = UnformattedFile(129, true);
  PutU32(b, 0, 300);
  std::string path = WriteTestFile("u300.bin", b);
  EXPECT_EQ(ImportFile(d, path, FILE_TYPE_UNFORMATTED, 1).Text(),
            "Error reading file " + path + " ... Insure proper file format.");
  PutU32(b, 0, 0x7FFFFFFF);
  path = WriteTestFile("uhuge.bin", b);
  EXPECT_FALSE(ImportFile(d, path, FILE_TYPE_UNFORMATTED, 1).Ok());
  EXPECT_EQ(d.maxPoints, 10);

  // "MERVA/W": two curves of 3 and 130 points.
  std::string old(1024, '\0');
  std::memcpy(&old[0], "MERVA/W", 7);
  PutU32(old, 8, 2);
  PutU32(old, 12, 3);
  PutU32(old, 16, 130);
  PutText(old, 412, "Old title");
  old += UnformattedFile(3, true).substr(1024);
  old += UnformattedFile(130, true).substr(1024);
  path = WriteTestFile("old.bin", old);
  const Status s = ImportFile(d, path, FILE_TYPE_UNFORMATTED, 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d.curveCount, 2);
  EXPECT_EQ(d.pointCount[2], 130);
  EXPECT_EQ(d.Y(2, 130), 258.0f);
  EXPECT_EQ(d.title1.Str(), "Old title");
}

// A Nicolet file from the field table.
std::string NicoletFile(const std::vector<int16_t>& samples,
                        const std::string& headerLength = "1538", const std::string& points = "") {
  std::string b(1538, '\0');
  PutText(b, 0, "3");
  PutText(b, 4, "1");
  PutText(b, 8, headerLength);
  PutText(b, 146, points.empty() ? std::to_string(samples.size()) : points);
  PutText(b, 158, "10");   // vertical zero
  PutText(b, 170, "0.5");  // units per count
  PutText(b, 194, "1");    // user vertical offset
  PutText(b, 218, "2");    // user vertical scale
  PutText(b, 253, "0");
  PutText(b, 277, "1");
  PutText(b, 658, "2");
  PutText(b, 1036, "1.0E-4");  // 10 kHz
  PutText(b, 1060, "-0.001");
  PutText(b, 1084, "0");
  PutText(b, 1144, "0");
  PutSamples(b, samples);
  return b;
}

TEST(Nicolet, ConversionLabelsAndDefaultHeader) {
  PlotDocument d = NewDocument(4, 10);
  const std::string path = WriteTestFile("a.wft", NicoletFile({10, 12, 20}, "0"));
  const Status s = ImportFile(d, path, FILE_TYPE_NICOLET, 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d.pointCount[1], 3);
  EXPECT_FLOAT_EQ(d.X(1, 1), -1.0f);  // ms
  EXPECT_FLOAT_EQ(d.X(1, 3), -0.8f);
  EXPECT_FLOAT_EQ(d.Y(1, 1), 1.0f);  // (10-10)*0.5*2+1
  EXPECT_FLOAT_EQ(d.Y(1, 3), 11.0f);
  EXPECT_EQ(d.xAxisLabel.Str(), "Time, msec");
  EXPECT_EQ(d.title2.Str(), "Sampling rate 10 kHz");
}

TEST(Nicolet, CapacityPlusOneIsTruncated) {
  PlotDocument d = NewDocument(4, 10);
  std::vector<int16_t> samples(11, 10);
  const std::string path = WriteTestFile("t.wft", NicoletFile(samples));
  const Status s = ImportFile(d, path, FILE_TYPE_NICOLET, 1);
  ASSERT_TRUE(s.Ok());
  EXPECT_EQ(d.pointCount[1], 10);
  EXPECT_EQ(s.Text(), "Maximum number of points exceeded!  Truncated at T =-0.0001 sec.");
}

TEST(Nicolet, ChecksInTheirOrder) {
  PlotDocument d = NewDocument(4, 10);
  AddCurve(d, 2);
  auto refused = [&](std::string b) {
    return ImportFile(d, WriteTestFile("bad.wft", b), FILE_TYPE_NICOLET, 2);
  };
  std::string b = NicoletFile({1, 2});
  b[0] = '2';  // big-endian
  b[4] = '2';
  EXPECT_EQ(refused(b).messages.at(0).number, 137);
  b = NicoletFile({1, 2});
  b[4] = '2';
  b[658] = '4';
  EXPECT_EQ(refused(b).messages.at(0).number, 138);
  b = NicoletFile({1, 2});
  b[658] = '4';
  b[1084] = '2';
  EXPECT_EQ(refused(b).messages.at(0).number, 139);
  b = NicoletFile({1, 2});
  b[1144] = '1';
  EXPECT_EQ(refused(b).messages.at(0).number, 140);
  // Absurd counts and header lengths.
  for (const auto& [length, points] : std::initializer_list<std::pair<const char*, const char*>>{
           {"1538", "2000000000"}, {"99999999", "2"}, {"-5", "3"}, {"1538", "-1"}, {"40", "2"}}) {
    const Status s = refused(NicoletFile({1, 2}, length, points));
    if (std::string(length) == "-5") {
      EXPECT_FALSE(s.Ok());  // below 1: the default header, but 3 points are not there
    }
    EXPECT_FALSE(s.Ok()) << length << " " << points;
  }
  EXPECT_FALSE(refused(std::string(100, 'x')).Ok());
  EXPECT_EQ(d.curveCount, 1);
  EXPECT_EQ(d.maxPoints, 10);
}

TEST(Recorders, InventedLayoutsRoundTrip) {
  PlotDocument d = NewDocument(8, 10);
  // 9820: 512-byte header, volts to engineering units.
  std::string f(512, '\0');
  std::memcpy(&f[0], "MV9820F\x1A", 8);
  PutU32(f, 8, 9820);
  PutU32(f, 12, 4);
  PutF64(f, 16, 0.001);
  PutF64(f, 24, 0.01);  // volts per count
  PutF64(f, 32, 0);
  PutF64(f, 40, 100);  // psi per volt
  PutText(f, 48, "psi");
  PutSamples(f, {0, 1, 2, 3});
  int translated = 0;
  ImportOptions options;
  options.showStatus = [&](int n) { translated = n; };
  std::string path = WriteTestFile("f.dat", f);
  ASSERT_TRUE(ImportFile(d, path, FILE_TYPE_DIGITIZER_9820, 1, options).Ok());
  EXPECT_EQ(translated, 528);
  EXPECT_FLOAT_EQ(d.Y(1, 4), 3.0f);
  EXPECT_FLOAT_EQ(d.X(1, 4), 3.0f);
  EXPECT_EQ(d.yAxisLabel.Str(), "psi");
  PutU32(f, 8, 9821);
  EXPECT_EQ(ImportFile(d, WriteTestFile("f2.dat", f), FILE_TYPE_DIGITIZER_9820, 2).Text(),
            MessageText(141));

  // Old KESTRA: short blocks, then a window of the record.
  path = WriteTestFile("g.dat", std::string(100, '\0'));
  EXPECT_EQ(ImportFile(d, path, FILE_TYPE_KESTRA_OLD, 2).Text(),
            "Error reading first header block in the file " + path);
  std::string g(256, '\0');
  std::memcpy(&g[0], "MVKSTRG\x1A", 8);
  path = WriteTestFile("g.dat", g + std::string(10, '\0'));
  EXPECT_EQ(ImportFile(d, path, FILE_TYPE_KESTRA_OLD, 2).Text(),
            "Error reading second header block in the file " + path);
  PutU32(g, 8, 5);
  PutF64(g, 12, 500);  // Hz: 2 ms a sample
  PutF64(g, 20, 2.5);  // calibration
  std::string second(256, '\0');
  PutF64(second, 0, 0);
  PutF64(second, 8, 2);
  PutText(second, 16, "g");
  std::string gFile = g + second;
  PutSamples(gFile, {1, 2, 3, 4, 5});
  options.window = {2, 6};
  ASSERT_TRUE(ImportFile(d, WriteTestFile("g.dat", gFile), FILE_TYPE_KESTRA_OLD, 2, options).Ok());
  EXPECT_EQ(d.pointCount[2], 3);
  EXPECT_EQ(d.X(2, 1), 2.0f);
  EXPECT_EQ(d.Y(2, 1), 10.0f);  // 2 counts x 2 x 2.5
  EXPECT_EQ(d.title2.Str(), "Sample rate 500 Hz");
  EXPECT_EQ(d.title3.Str(), "Cal val = 2.5");

  // HDAS: footer after the data.
  path = WriteTestFile("j.dat", std::string(200, '\0'));
  EXPECT_EQ(ImportFile(d, path, FILE_TYPE_HDAS, 3).Text(),
            "Error reading footer block in the file " + path);
  std::string j;
  PutSamples(j, {100, -100});
  std::string footer(256, '\0');
  std::memcpy(&footer[0], "MVHDASJ\x1A", 8);
  PutU32(footer, 8, 2);
  PutF64(footer, 12, 20000);
  PutF64(footer, 20, 10);
  PutF64(footer, 28, 0.5);
  PutF64(footer, 36, 0.05);
  ASSERT_TRUE(ImportFile(d, WriteTestFile("j.dat", j + footer), FILE_TYPE_HDAS, 3).Ok());
  EXPECT_FLOAT_EQ(d.Y(3, 2), -1.0f);
  EXPECT_EQ(d.title2.Str(), "Sample rate 20 kHz");
  EXPECT_EQ(d.title3.Str(), " Gain:10 Sensitivity:0.5");

  // Files of real recorders carry none of the signatures.
  const std::string real = WriteTestFile("real.dat", std::string(4096, '\x7F'));
  for (int type :
       {FILE_TYPE_DIGITIZER_9820, FILE_TYPE_KESTRA_OLD, FILE_TYPE_KESTRA_NEW, FILE_TYPE_HDAS})
    EXPECT_EQ(ImportFile(d, real, type, 4).Text(),
              "Error reading file " + real + " ... Insure proper file format.");
  EXPECT_EQ(d.curveCount, 3);
}

}  // namespace
}  // namespace merva

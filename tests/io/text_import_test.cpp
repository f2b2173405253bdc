#include <gtest/gtest.h>

#include "io/column_import.h"
#include "io/import_file.h"
#include "io/line_reader.h"
#include "io/number_fields.h"
#include "tests/io/import_test_support.h"

namespace merva {
namespace {

using import_test::AddCurve;
using import_test::NewDocument;
using import_test::WriteTestFile;

TEST(NumberFields, NotationsToolsWrite) {
  double v = 0;
  for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
           {"1e-3", 1e-3}, {"-.5", -0.5}, {"1.E+05", 1e5}, {"+7", 7}, {"2.5D2", 250}, {"3.", 3}}) {
    ASSERT_TRUE(ReadNumberField(text, v)) << text;
    EXPECT_EQ(v, value) << text;
  }
  for (const char* bad : {"", "e5", "1.2.3", "\"1\"", "--1", "1e", "0x10", "nanx"})
    EXPECT_FALSE(ReadNumberField(bad, v)) << bad;
  EXPECT_EQ(LeadingNumberCount("1, 2\t3 x 4", 16), 3);
  EXPECT_EQ(LeadingNumberCount("\"time\",1,2", 16), 0);
  std::string seventeen;
  for (int i = 0; i < 17; ++i) seventeen += "1 ";
  EXPECT_EQ(LeadingNumberCount(seventeen, MAX_DATA_COLUMNS), 16);
}

TEST(NumberFields, CommaKindKeepsEmptyFields) {
  std::string_view rest = "1, ,3,", field;
  std::vector<std::string> fields;
  while (NextColumnField(rest, ColumnSeparator::Comma, field)) fields.emplace_back(field);
  EXPECT_EQ(fields, (std::vector<std::string>{"1", "", "3", ""}));
  // The one-pass reading gives the same fields.
  rest = " 1.5 ,\t2e3,x,,12345678901234567,-.5\r";
  std::vector<int> kinds;
  std::vector<double> values;
  double v = 0;
  for (int read; (read = NextColumnNumber(rest, ColumnSeparator::Comma, v)) >= 0;) {
    kinds.push_back(read);
    if (read) values.push_back(v);
  }
  EXPECT_EQ(kinds, (std::vector<int>{1, 1, 0, 0, 1, 1}));
  EXPECT_EQ(values, (std::vector<double>{1.5, 2000, 12345678901234567.0, -0.5}));
}

TEST(ParseNumberText, PastedColumns) {
  // One column: X is the line number.
  PlotDocument d = NewDocument();
  int added = 0;
  ASSERT_TRUE(ParseNumberText(d, "5\r\n6\r\n7\r\n", 1, added).Ok());
  EXPECT_EQ(added, 1);
  EXPECT_EQ(d.pointCount[1], 3);
  EXPECT_EQ(d.X(1, 3), 3.0f);
  // Three columns: two curves sharing X, after the curves already there.
  ASSERT_TRUE(ParseNumberText(d, "1 10 100\r2,20,200\r", 2, added).Ok());
  EXPECT_EQ(added, 2);
  EXPECT_EQ(d.curveCount, 3);
  EXPECT_EQ(d.X(3, 2), 2.0f);
  EXPECT_EQ(d.Y(3, 2), 200.0f);
  EXPECT_EQ(d.spacingState[3], STATE_UNKNOWN);
  EXPECT_EQ(d.monotonicState[2], STATE_UNKNOWN);
  EXPECT_EQ(d.Y(1, 1), 5.0f);  // untouched
}

TEST(ParseNumberText, RefusedGrowthKeepsTheRowsThatFit) {
  PlotDocument d = NewDocument(2, 3);
  SetPointMemoryLimit(2 * 4 * sizeof(float));  // 2 curves x 4 points at most
  int added = 0;
  const Status s = ParseNumberText(d, "1 1\r2 2\r3 3\r4 4\r5 5\r6 6\r", 1, added);
  SetPointMemoryLimit(static_cast<std::size_t>(-1));
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_FALSE(s.messages.empty());
  EXPECT_EQ(s.messages.back().number, 122);
  EXPECT_EQ(d.pointCount[1], d.maxPoints);
}

class ColumnFiles : public ::testing::Test {
 protected:
  Status Import(const std::string& text, int firstCurve = 1) {
    path_ = WriteTestFile("columns.txt", text);
    return ImportColumns(d_, path_, firstCurve);
  }
  PlotDocument d_ = NewDocument();
  std::string path_;
};

TEST_F(ColumnFiles, CsvAsToolsWriteIt) {
  // Byte-order mark, a quoted header, CRLF, exponent forms, blank trailing lines.
  const Status s =
      Import("\xEF\xBB\xBF\"time\",\"a\",\"b\"\r\n0,1e-3,-.5\r\n1,2,1.E+05\r\n2,3,4\r\n\r\n\r\n");
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d_.curveCount, 2);
  EXPECT_EQ(d_.pointCount[1], 3);
  EXPECT_EQ(d_.pointCount[2], 3);
  EXPECT_EQ(d_.Y(1, 1), 1e-3f);
  EXPECT_EQ(d_.Y(2, 1), -0.5f);
  EXPECT_EQ(d_.Y(2, 2), 1e5f);
  EXPECT_EQ(d_.X(2, 3), 2.0f);
}

TEST_F(ColumnFiles, PatternRules) {
  LineReader reader;
  ColumnPattern pattern;
  // Two lines then a different count: no run yet; three equal lines make one.
  std::string path = WriteTestFile("p1.txt", "1 2\n3 4\n5\n6 7\n8 9\n10 11\n");
  ASSERT_TRUE(reader.Open(path));
  ASSERT_TRUE(DetectColumns(reader, path, pattern).Ok());
  EXPECT_EQ(pattern.firstDataLine, 4);
  EXPECT_EQ(pattern.columns, 2);
  // A header of three numbers restarts the run at the first 2-column line.
  path = WriteTestFile("p2.txt", "1 2 3\n1\t2\n3\t4\n5\t6\n");
  ASSERT_TRUE(reader.Open(path));
  ASSERT_TRUE(DetectColumns(reader, path, pattern).Ok());
  EXPECT_EQ(pattern.firstDataLine, 2);
  EXPECT_EQ(pattern.separator, ColumnSeparator::Tab);
  // Only 51 lines are examined.
  std::string text(60 * 5, ' ');
  text.clear();
  for (int i = 0; i < 60; ++i) text += "text\n";
  for (int i = 0; i < 5; ++i) text += "1 2\n";
  const Status none = Import(text);
  EXPECT_EQ(none.Text(), "Unable to find a pattern of data columns in " + path_);
  text.clear();
  for (int i = 0; i < 48; ++i) text += "text\n";
  for (int i = 0; i < 3; ++i) text += "1 2\n";
  EXPECT_TRUE(Import(text).Ok());
}

TEST_F(ColumnFiles, SingleColumnAndSeventeen) {
  ASSERT_TRUE(Import("5\n6\n7\n").Ok());
  EXPECT_EQ(d_.X(1, 3), 3.0f);
  EXPECT_EQ(d_.Y(1, 3), 7.0f);
  // 17 columns: 16 are counted, X and 15 curves; the 17th is left.
  std::string line;
  for (int c = 1; c <= 17; ++c) line += std::to_string(c) + " ";
  PlotDocument e = NewDocument(20, 10);
  const std::string path = WriteTestFile("c17.txt", line + "\n" + line + "\n" + line + "\n");
  ASSERT_TRUE(ImportColumns(e, path, 1).Ok());
  EXPECT_EQ(e.curveCount, 15);
  EXPECT_EQ(e.Y(15, 2), 16.0f);
}

TEST_F(ColumnFiles, TooManyCurvesAndBadLinesLeaveTheDocument) {
  d_ = NewDocument(100, 10);
  d_.curveCount = 95;
  std::string line = "0";
  for (int c = 1; c <= 10; ++c) line += " " + std::to_string(c);
  EXPECT_EQ(Import(line + "\n" + line + "\n" + line + "\n", 96).Text(),
            "Too many curves (105) ... Maximum is 100.");
  EXPECT_EQ(d_.curveCount, 95);

  d_ = NewDocument();
  AddCurve(d_, 4);
  const Status ragged = Import("1,2\n3,4\n5,6\n7\n", 2);
  EXPECT_EQ(ragged.Text(), "Error interpreting data values in " + path_ + ", line 4.");
  EXPECT_EQ(d_.curveCount, 1);
  EXPECT_EQ(d_.pointCount[1], 4);
  EXPECT_EQ(d_.Y(1, 4), -4.0f);
  EXPECT_EQ(ImportColumns(d_, ::testing::TempDir() + "no_such_file.csv", 2).Text(),
            "Error opening " + ::testing::TempDir() + "no_such_file.csv");
}

TEST_F(ColumnFiles, GarbageAndOverlongLines) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_FALSE(Import(garbage).Ok());
  EXPECT_EQ(d_.curveCount, 0);
  // A line beyond 1 MB is not taken as data.
  const std::string longLine(MAX_TEXT_LINE + 10, '1');
  const Status s = Import("1 2\n3 4\n5 6\n" + longLine + "\n7 8\n");
  EXPECT_EQ(s.Text(), "Error interpreting data values in " + path_ + ", line 4.");
  ASSERT_TRUE(Import(longLine + "\n1 2\n3 4\n5 6\n").Ok());
  EXPECT_EQ(d_.pointCount[1], 3);
}

TEST_F(ColumnFiles, ChooserPicksColumns) {
  path_ = WriteTestFile("choose.txt", "1 10 100\n2 20 200\n3 30 300\n4 40 400\n");
  ColumnChooser chooser = [](const ColumnPattern& p, ColumnChoice& c) {
    EXPECT_EQ(p.columns, 3);
    c.xColumn = 3;
    c.yColumns = {1};
    return true;
  };
  ASSERT_TRUE(ImportColumns(d_, path_, 1, chooser).Ok());
  EXPECT_EQ(d_.curveCount, 1);
  EXPECT_EQ(d_.X(1, 4), 400.0f);
  EXPECT_EQ(d_.Y(1, 4), 4.0f);
  // Cancel: nothing read.
  EXPECT_FALSE(
      ImportColumns(d_, path_, 2, [](const ColumnPattern&, ColumnChoice&) { return false; }).Ok());
  EXPECT_EQ(d_.curveCount, 1);
}

TEST_F(ColumnFiles, RepeatedColumnsAndLastLineWithoutLineEnd) {
  path_ = WriteTestFile("repeat.txt", "1 10 x\n2 20 y\n3 30 z\n4 40.5");
  ColumnChooser chooser = [](const ColumnPattern&, ColumnChoice& c) {
    c.xColumn = 2;
    c.yColumns = {1, 2, 1};
    return true;
  };
  ASSERT_TRUE(ImportColumns(d_, path_, 1, chooser).Ok());
  EXPECT_EQ(d_.curveCount, 3);
  EXPECT_EQ(d_.X(3, 4), 40.5f);
  EXPECT_EQ(d_.Y(2, 4), 40.5f);
  EXPECT_EQ(d_.Y(3, 4), 4.0f);
}

TEST(PointLists, BothLayoutsAcrossLines) {
  PlotDocument d = NewDocument(4, 2);
  std::string path = WriteTestFile("t2.txt", "3\n1.5, 10 2.5,\n20\n3.5 30\n");
  ASSERT_TRUE(ImportFile(d, path, FILE_TYPE_POINT_PAIRS, 1).Ok());
  EXPECT_GE(d.maxPoints, 3);  // grown
  EXPECT_EQ(d.pointCount[1], 3);
  EXPECT_EQ(d.X(1, 2), 2.5f);
  EXPECT_EQ(d.Y(1, 3), 30.0f);
  EXPECT_EQ(d.fileTitle.Str(), "merva_io_t2.txt");
  EXPECT_TRUE(d.filePath.IsBlank());
  path = WriteTestFile("t3.txt", "4 0.25\n1 2 3 4\n");
  ASSERT_TRUE(ImportFile(d, path, FILE_TYPE_SPACED_VALUES, 2).Ok());
  EXPECT_EQ(d.curveCount, 2);
  EXPECT_EQ(d.X(2, 4), 0.75f);
  EXPECT_EQ(d.Y(2, 4), 4.0f);
  EXPECT_EQ(d.Y(1, 1), 10.0f);
}

TEST(PointLists, FalseCountsTakeNoMemory) {
  PlotDocument d = NewDocument(4, 10);
  std::string path = WriteTestFile("t2big.txt", "2000000000\n1 2\n3 4\n");
  EXPECT_EQ(ImportFile(d, path, FILE_TYPE_POINT_PAIRS, 1).Text(),
            "Error interpreting data values in " + path);
  EXPECT_EQ(d.maxPoints, 10);
  path = WriteTestFile("t2short.txt", "5\n1 2 3 4 5 6 7 8 9\n");
  EXPECT_FALSE(ImportFile(d, path, FILE_TYPE_POINT_PAIRS, 1).Ok());
  for (const char* bad : {"-3\n1 2\n", "2.5 1 2 3 4 5 6\n", "x\n", ""}) {
    path = WriteTestFile("t2bad.txt", bad);
    EXPECT_FALSE(ImportFile(d, path, FILE_TYPE_POINT_PAIRS, 1).Ok()) << bad;
  }
  EXPECT_EQ(d.curveCount, 0);
}

}  // namespace
}  // namespace merva

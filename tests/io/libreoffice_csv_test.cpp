// A CSV that LibreOffice Calc wrote, read back as a column file and
// compared with the values pandas reads from it. tests/io/libreoffice_csv.py
// makes both files and runs this case; without them it is skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "io/import_file.h"
#include "tests/io/import_test_support.h"

namespace merva {
namespace {

TEST(LibreOfficeCsv, ValuesMatchPandas) {
  const char* csv = std::getenv("MERVA_LIBREOFFICE_CSV");
  const char* expected = std::getenv("MERVA_LIBREOFFICE_EXPECTED");
  if (!csv || !expected) GTEST_SKIP() << "run by tests/io/libreoffice_csv.py";
  std::ifstream values(expected);
  int rows = 0, columns = 0;
  ASSERT_TRUE(values >> rows >> columns);
  PlotDocument d = import_test::NewDocument(10, 10);
  const Status s = ImportFile(d, csv, FILE_TYPE_COLUMNS, 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_EQ(d.curveCount, columns - 1);
  for (int p = 1; p <= rows; ++p) {
    double x = 0;
    ASSERT_TRUE(values >> x);
    for (int c = 1; c < columns; ++c) {
      double y = 0;
      ASSERT_TRUE(values >> y);
      ASSERT_EQ(d.pointCount[c], rows);
      EXPECT_EQ(d.X(c, p), static_cast<float>(x)) << "row " << p;
      EXPECT_EQ(d.Y(c, p), static_cast<float>(y)) << "row " << p << " column " << c + 1;
    }
  }
}

}  // namespace
}  // namespace merva

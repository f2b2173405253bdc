// The export files and the clipboard blocks, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/document_table.h"
#include "io/clipboard_data.h"
#include "io/curve_export.h"
#include "io/number_fields.h"
#include "io/export_file.h"
#include "io/link_table.h"

namespace merva {
namespace {

namespace fs = std::filesystem;

class Export : public ::testing::Test {
 protected:
  void SetUp() override {
    Status status;
    slot_ = table_.Open(8, 300, status);
    ASSERT_TRUE(status.Ok());
    dir_ = fs::temp_directory_path() /
           ("merva_export_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  PlotDocument& Doc() { return table_.Document(slot_); }
  int Add(int points, float x0, float dx, float y0, float dy) {
    PlotDocument& d = Doc();
    const int c = ++d.curveCount;
    d.pointCount[c] = points;
    for (int j = 1; j <= points; ++j) {
      d.X(c, j) = x0 + dx * static_cast<float>(j - 1);
      d.Y(c, j) = y0 + dy * static_cast<float>(j - 1);
    }
    return c;
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  DocumentTable table_;
  int slot_ = 0;
  fs::path dir_;
};

uint32_t LE32(const std::string& bytes, std::size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}
float FloatAt(const std::string& bytes, std::size_t at) {
  const uint32_t bits = LE32(bytes, at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

TEST_F(Export, AsciiCurveIsCountThenPairsInG7) {
  const int c = Add(3, 0.5f, 0.25f, -1.0f, 1e-5f);
  Doc().Y(c, 3) = 12345678.0f;
  ASSERT_TRUE(WriteAsciiCurve(Path("a.txt"), Doc(), c).Ok());
  EXPECT_EQ(Read(Path("a.txt")), "3\r\n0.5,-1\r\n0.75,-0.99999\r\n1,1.234568E+07\r\n");
}

TEST_F(Export, CsvHeadingsRowsAgainstCurveOne) {
  Add(3, 1, 1, 10, 1);    // curve 1: 3 points
  Add(2, 100, 1, 20, 1);  // shorter, its own X ignored
  Add(4, 0, 1, 30, 1);    // longer: only 3 rows
  Doc().title1.Set("Test \"A\"");
  Doc().title3.Set("third");
  Doc().xAxisLabel.Set("Time, s");
  Doc().legendText[1].Set("p1");
  Doc().legendText[3].Set("p3");
  EXPECT_EQ(CsvText(Doc()),
            "\"Test \"\"A\"\"\"\r\n\"third\"\r\n\"Time, s\",\"p1\",,\"p3\"\r\n"
            "1,10,20,30\r\n2,11,21,31\r\n3,12,,32\r\n");
}

TEST_F(Export, CsvOfOneCurveWithBlankTitlesStartsWithHeading) {
  Add(2, 0, 0.5, 1e-9f, 0);
  Doc().yAxisLabel.Set("Pressure");
  EXPECT_EQ(CsvText(Doc()), ",\"Pressure\"\r\n0,1E-09\r\n0.5,1E-09\r\n");
  ASSERT_TRUE(WriteCsv(Path("b.csv"), Doc()).Ok());
  EXPECT_EQ(Read(Path("b.csv")), CsvText(Doc()));
}

TEST_F(Export, UnformattedRecordsOf1024Bytes) {
  for (int n : {0, 1, 128, 129, 257}) {
    table_.Document(slot_).curveCount = 0;
    const int c = Add(n, 1, 1, -2, 0.5f);
    const std::string path = Path(("u" + std::to_string(n)).c_str());
    ASSERT_TRUE(WriteUnformattedCurve(path, Doc(), c).Ok());
    const std::string bytes = Read(path);
    const std::size_t records = 1 + static_cast<std::size_t>((n + 127) / 128);
    ASSERT_EQ(bytes.size(), records * 1024) << n;
    EXPECT_EQ(LE32(bytes, 0), static_cast<uint32_t>(n));
    EXPECT_EQ(bytes.find_first_not_of('\0', 4), n ? 1026u : std::string::npos);
    for (int j = 0; j < n; ++j) {
      const std::size_t at = 1024 + static_cast<std::size_t>(j / 128) * 1024 + 8 * (j % 128);
      EXPECT_EQ(FloatAt(bytes, at), Doc().X(c, j + 1));
      EXPECT_EQ(FloatAt(bytes, at + 4), Doc().Y(c, j + 1));
    }
    if (n % 128) {  // the rest of the last record is zero
      EXPECT_EQ(bytes.find_first_not_of('\0', 1024 * (records - 1) + 8 * (n % 128)),
                std::string::npos);
    }
  }
  // 129 points: the count, a full block and one point; 128: two records.
  EXPECT_EQ(fs::file_size(Path("u129")), 3072u);
  EXPECT_EQ(fs::file_size(Path("u128")), 2048u);
}

TEST_F(Export, NoDataReadOnlyAndMissingFolder) {
  Status s = WriteCsv(Path("none.csv"), Doc());
  EXPECT_EQ(s.Text(), "There is no data to save!");
  EXPECT_FALSE(fs::exists(Path("none.csv")));
  const int c = Add(2, 0, 1, 0, 1);
  { std::ofstream(Path("ro.txt")) << "keep"; }
  fs::permissions(Path("ro.txt"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  s = WriteAsciiCurve(Path("ro.txt"), Doc(), c);
  EXPECT_EQ(s.Text(), Path("ro.txt") + " is read-only.  Select a different filename.");
  EXPECT_EQ(Read(Path("ro.txt")), "keep");
  const std::string missing = Path("no/such/folder.bin");
  s = WriteUnformattedCurve(missing, Doc(), c);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Error writing " + missing + ".  ios=0x0000001D");
}

TEST_F(Export, FailedWriteLeavesTheEarlierFile) {
  const int c = Add(2, 0, 1, 0, 1);
  // A good write replaces the earlier file and leaves no temporary file.
  { std::ofstream(Path("old.csv")) << "old contents"; }
  ASSERT_TRUE(WriteAsciiCurve(Path("old.csv"), Doc(), c).Ok());
  EXPECT_EQ(Read(Path("old.csv")), "2\r\n0,0\r\n1,1\r\n");
  EXPECT_FALSE(fs::exists(Path("old.csv") + EXPORT_TEMPORARY_SUFFIX));
  { std::ofstream(Path("old.csv")) << "old contents"; }
  ExportFile file(Path("old.csv"));
  ASSERT_TRUE(file.Open().Ok());
  file.Append("partial");
  // The temporary file vanishes under the writer, as on a failing disk.
  std::error_code refused;
  fs::remove(Path("old.csv") + EXPORT_TEMPORARY_SUFFIX, refused);
  if (refused) GTEST_SKIP() << "an open file cannot be removed on this system";
  EXPECT_FALSE(file.Finish().Ok());
  EXPECT_EQ(Read(Path("old.csv")), "old contents");
}

TEST_F(Export, ClipboardTextIsG14Point7) {
  const int c = Add(3, 0.05f, 1000.0f, 10000000.0f, -1.0f);
  Doc().Y(c, 2) = 0.1f;
  Doc().Y(c, 3) = -2.5f;
  EXPECT_EQ(CurveClipboardText(Doc(), c),
            " 0.5000000E-01\t 0.1000000E+08\r\n"
            "  1000.050    \t 0.1000000    \r\n"
            "  2000.050    \t -2.500000    \r\n");
  EXPECT_EQ(CurveClipboardBytes(3), 100u);
  EXPECT_EQ(CurveClipboardText(Doc(), 2), "");
}

TEST(LinkFormat, ItemHasTwoDigitsAndBlockEndsInTwoNuls) {
  EXPECT_EQ(LinkCurveItem(7), "Curve07");
  EXPECT_EQ(LinkCurveItem(42), "Curve42");
  EXPECT_EQ(LinkCurveItem(100), "Curve100");
  const std::string block = LinkFormatBlock("MERVAW", "EX01.GRF", "Curve07");
  EXPECT_EQ(block, std::string("MERVAW\0EX01.GRF\0Curve07\0\0", 25));
  LinkNames names;
  ASSERT_TRUE(ParseLinkFormat(block.data(), block.size(), names));
  EXPECT_EQ(names.topic, "EX01.GRF");
  EXPECT_EQ(names.item, "Curve07");
}

TEST(LinkFormat, BadBlocksAreRefused) {
  LinkNames names;
  const std::string cut("Excel\0Sheet1\0R1C1:R3C3", 22);  // no NUL at the end
  EXPECT_FALSE(ParseLinkFormat(cut.data(), cut.size(), names));
  const std::string empty("Excel\0\0R1C1\0\0", 13);
  EXPECT_FALSE(ParseLinkFormat(empty.data(), empty.size(), names));
  const std::string longName = std::string(300, 'a') + std::string("\0b\0c\0", 6);
  EXPECT_FALSE(ParseLinkFormat(longName.data(), longName.size(), names));
  EXPECT_FALSE(ParseLinkFormat(nullptr, 0, names));
}

TEST(LinkTable, TenLinksSharedConversationsAndRemovalByDocument) {
  LinkTable table;
  // Conversation 1 carries two items into slot 1; 2 and 3 one each.
  EXPECT_TRUE(table.Add({1, 1, 1, "Excel", "Sheet1", "R1C1:R3C3", 0, {}}));
  EXPECT_TRUE(table.Add({1, 1, 3, "EXCEL", "sheet1", "R5C1:R9C2", 0, {}}));
  EXPECT_TRUE(table.Add({2, 2, 1, "MERVAW", "EX01.GRF", "Curve02", 0, {}}));
  EXPECT_TRUE(table.Add({3, 1, 4, "MERVAW", "EX01.GRF", "Curve02", 0, {}}));
  EXPECT_EQ(table.ConversationWith("excel", "SHEET1"), 1u);
  EXPECT_EQ(table.ConversationWith("Excel", "Sheet2"), 0u);
  ASSERT_EQ(table.ForItem(1, "r5c1:r9c2").size(), 1u);
  EXPECT_EQ(table.ForItem(1, "r5c1:r9c2")[0].firstCurve, 3);
  EXPECT_TRUE(table.ForItem(2, "R1C1:R3C3").empty());
  for (int i = 4; i < MAX_LINKS; ++i) EXPECT_TRUE(table.Add({9, 3, i, "A", "B", "C", 0, {}}));
  EXPECT_TRUE(table.Full());
  EXPECT_FALSE(table.Add({10, 3, 1, "A", "B", "C", 0, {}}));
  // Slot 1 goes: conversation 3 is no longer used, 1 still is not (only
  // slot 1 used it either), 2 stays.
  std::vector<uintptr_t> unused = table.RemoveSlot(1);
  std::sort(unused.begin(), unused.end());
  EXPECT_EQ(unused, (std::vector<uintptr_t>{1, 3}));
  EXPECT_TRUE(table.Has(2));
  EXPECT_TRUE(table.Remove(9));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_FALSE(table.Add({0, 1, 1, "A", "B", "C", 0, {}}));
  // An update reaches a link once per new text; the curves it holds.
  EXPECT_TRUE(table.Add({4, 2, 5, "A", "B", "C", 2, "1\t2\r\n"}));
  EXPECT_TRUE(table.TakeUpdate(4, "c", "1\t2\r\n").empty());
  EXPECT_EQ(table.TakeUpdate(4, "c", "1\t3\r\n").size(), 1u);
  EXPECT_TRUE(table.TakeUpdate(4, "c", "1\t3\r\n").empty());
  table.SetCurves(4, 2, 5, 3);
  EXPECT_EQ(table.Entries().back().curves, 3);
  EXPECT_EQ(NumberTextCurves("1 2 3\r\n4 5 6\r\n"), 2);
  EXPECT_EQ(NumberTextCurves("abc"), 0);
}

TEST(LinkTable, Caption) {
  EXPECT_EQ(LinkCaption("C:\\data\\[Book1.xls]Sheet1", true), "[Book1.xls]Sheet1(Link)");
  EXPECT_EQ(LinkCaption("c:/runs/EX01.GRF", true), "EX01.GRF(Link)");
  EXPECT_EQ(LinkCaption("Sheet1", false), "Sheet1");
}

}  // namespace
}  // namespace merva

namespace merva {
namespace {

TEST(LinkTable, ServerProgramFromOpenCommand) {
  EXPECT_EQ(ServerProgramFromCommand("\"C:\\Program Files\\Office\\EXCEL.EXE\" /e \"%1\""),
            "c:\\program files\\office\\excel.exe");
  EXPECT_EQ(ServerProgramFromCommand("C:\\MERVA\\MERVA95.EXE %1"), "c:\\merva\\merva95.exe");
  EXPECT_EQ(ServerProgramFromCommand("rundll32 shell32.dll"), "");
  EXPECT_EQ(ServerProgramFromCommand(""), "");
}

}  // namespace
}  // namespace merva

#ifdef __linux__
#include <signal.h>
#include <sys/resource.h>

namespace merva {
namespace {

// A full disk, as a file-size limit makes it: the write fails, the earlier
// file stays and no temporary file is left.
TEST_F(Export, FullDiskKeepsTheEarlierFile) {
  const int c = Add(300, 0, 0.001f, 1, 0.5f);
  { std::ofstream(Path("full.csv")) << "old contents"; }
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto* oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 2048;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const Status s = WriteAsciiCurve(Path("full.csv"), Doc(), c);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(s.Text(), "Error writing " + Path("full.csv") + ".  ios=0x00000027");
  EXPECT_EQ(Read(Path("full.csv")), "old contents");
  EXPECT_FALSE(fs::exists(Path("full.csv") + EXPORT_TEMPORARY_SUFFIX));
}

}  // namespace
}  // namespace merva
#endif

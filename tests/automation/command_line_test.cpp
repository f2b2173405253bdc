#include "automation/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace merva {
namespace {

const std::string kFolder = "C:\\MERVA\\";

int TypeOne(const std::string& path) { return path.find('@') != std::string::npos ? 99 : 1; }

CommandLineOutcome Parse(const std::string& line) {
  return ParseCommandLine(line, kFolder, TypeOne);
}

TEST(CommandLine, ShortAndOverlongLinesAskNothing) {
  EXPECT_EQ(Parse("").outcome, 0);
  EXPECT_EQ(Parse("ab").outcome, 0);
  EXPECT_EQ(Parse("abc").outcome, 1);
  EXPECT_EQ(Parse(std::string(255, 'a')).outcome, 1);
  EXPECT_EQ(Parse(std::string(256, 'a')).outcome, 0);
  EXPECT_EQ(Parse(std::string(1000, 'a')).outcome, 0);
  // The text ends at its first NUL.
  EXPECT_EQ(Parse(std::string("ab\0cdef", 7)).outcome, 0);
}

TEST(CommandLine, UninstallWinsOverEverything) {
  EXPECT_EQ(Parse("/uninstall").outcome, -1);
  EXPECT_EQ(Parse("a.grf /UNINSTALL").outcome, -1);
  EXPECT_EQ(Parse("/f=a.grf /uninstall").outcome, -1);
}

TEST(CommandLine, LogoAndIntroSetFlagsAndParsingGoesOn) {
  CommandLineOutcome out = Parse("/-logo");
  EXPECT_EQ(out.outcome, 0);
  EXPECT_EQ(out.startupFlags, STARTUP_NO_LOGO);
  out = Parse("/INTRO");
  EXPECT_EQ(out.outcome, 0);
  EXPECT_EQ(out.startupFlags, STARTUP_INTRO);
  out = Parse("/intro /-logo c:\\data\\x.grf");
  EXPECT_EQ(out.startupFlags, STARTUP_INTRO | STARTUP_NO_LOGO);
  EXPECT_EQ(out.outcome, 1);
  EXPECT_EQ(out.request, CommandLineRequest::PlotFile);
  EXPECT_EQ(out.text, "c:\\data\\x.grf");
  EXPECT_EQ(out.fileType, 1);
}

TEST(CommandLine, SettingsFileRelativeToTheProgramFolder) {
  CommandLineOutcome out = Parse("/s  mine.set");
  EXPECT_EQ(out.outcome, 1);
  EXPECT_EQ(out.request, CommandLineRequest::SettingsFile);
  EXPECT_EQ(out.text, "C:\\MERVA\\mine.set");
  out = Parse("/sd:\\prefs\\Mine.SET");
  EXPECT_EQ(out.text, "d:\\prefs\\Mine.SET");
  out = Parse("/s \"my prefs.set\"");
  EXPECT_EQ(out.text, "C:\\MERVA\\my prefs.set");
  EXPECT_EQ(Parse("/s   ").outcome, 0);
}

TEST(CommandLine, PlotSwitchWithFileTypes) {
  CommandLineOutcome out = Parse("/f=c:\\a.grf");
  EXPECT_EQ(out.outcome, 1);
  EXPECT_EQ(out.request, CommandLineRequest::PlotFile);
  EXPECT_EQ(out.fileType, 1);
  EXPECT_EQ(out.text, "c:\\a.grf");
  out = Parse("/F4=c:\\cols.dat");
  EXPECT_EQ(out.fileType, 4);
  out = Parse("/f12=\"C:\\My Data\\run 3.dat\"");
  EXPECT_EQ(out.outcome, 1);
  EXPECT_EQ(out.fileType, 12);
  EXPECT_EQ(out.text, "C:\\My Data\\run 3.dat");
  // Without quotation marks the name runs to the end of the line.
  out = Parse("/f2=c:\\my data\\x.dat  ");
  EXPECT_EQ(out.text, "c:\\my data\\x.dat");
  // An at sign makes it a described text file.
  out = Parse("/f4=c:\\d\\run.dat@run.fmt");
  EXPECT_EQ(out.fileType, 99);
  EXPECT_EQ(out.text, "c:\\d\\run.dat@run.fmt");
}

TEST(CommandLine, MalformedFileSwitchesAskNothing) {
  EXPECT_EQ(Parse("/f123=a.grf").outcome, 0);
  EXPECT_EQ(Parse("/fx=a.grf").outcome, 0);
  EXPECT_EQ(Parse("/f=").outcome, 0);
  EXPECT_EQ(Parse("/f=\"\"").outcome, 0);
}

TEST(CommandLine, PrintSwitchTakesOneDigitAtMost) {
  CommandLineOutcome out = Parse("/p=a.grf");
  EXPECT_EQ(out.request, CommandLineRequest::PrintFile);
  EXPECT_EQ(out.fileType, 1);
  out = Parse("/p3=b.dat");
  EXPECT_EQ(out.fileType, 3);
  EXPECT_EQ(out.text, "b.dat");
  EXPECT_EQ(Parse("/p12=b.dat").outcome, 0);
}

TEST(CommandLine, PlainNamesQuotedSlashesAndProbe) {
  CommandLineOutcome out = Parse("c:/data/Run1.grf other.grf");
  EXPECT_EQ(out.outcome, 1);
  EXPECT_EQ(out.request, CommandLineRequest::PlotFile);
  EXPECT_EQ(out.text, "c:\\data\\Run1.grf");
  out = Parse("\"c:/my data/a b.grf\" /-logo");
  EXPECT_EQ(out.text, "c:\\my data\\a b.grf");
  EXPECT_EQ(out.startupFlags, STARTUP_NO_LOGO);
  // The probe sees the converted name; a described file keeps it as written.
  std::string probed;
  out = ParseCommandLine("c:/d/x.dat@c:/d/x.fmt", kFolder, [&](const std::string& p) {
    probed = p;
    return 99;
  });
  EXPECT_EQ(probed, "c:\\d\\x.dat@c:\\d\\x.fmt");
  EXPECT_EQ(out.fileType, 99);
  EXPECT_EQ(out.text, "c:/d/x.dat@c:/d/x.fmt");
  out = ParseCommandLine("a.grf", kFolder, [](const std::string&) { return 7; });
  EXPECT_EQ(out.fileType, 7);
}

TEST(CommandLine, SwitchLettersInsideNamesAreNoSwitches) {
  CommandLineOutcome out = Parse("c:/files/s.grf");
  EXPECT_EQ(out.request, CommandLineRequest::PlotFile);
  EXPECT_EQ(out.text, "c:\\files\\s.grf");
  out = Parse("c:\\intro\\p.grf");
  EXPECT_EQ(out.startupFlags, 0);
  EXPECT_EQ(out.text, "c:\\intro\\p.grf");
  out = Parse("\"c:\\x /s y.grf\"");
  EXPECT_EQ(out.request, CommandLineRequest::PlotFile);
  EXPECT_EQ(out.text, "c:\\x \\s y.grf");
}

TEST(CommandLine, FirstLineProbe) {
  EXPECT_EQ(FileTypeOfFirstLine("MERVA/W v1.2"), 1);
  EXPECT_EQ(FileTypeOfFirstLine("data\r\n"), 1);
  EXPECT_EQ(FileTypeOfFirstLine("dx"), 1);
  // Column and CSV files go to the column reader.
  EXPECT_EQ(FileTypeOfFirstLine("Time (s),Pressure\r\n"), 4);
  EXPECT_EQ(FileTypeOfFirstLine("0.5\t1E3"), 4);
  EXPECT_EQ(FileTypeOfFirstLine("  1.5  -2 "), 4);
  EXPECT_EQ(FileTypeOfFirstLine("1.5 x"), 1);
  EXPECT_EQ(FileTypeOfPath("c:\\nowhere\\x.dat@x.fmt"), 99);
  EXPECT_EQ(FileTypeOfPath("/nonexistent/file.grf"), 1);
}

}  // namespace
}  // namespace merva

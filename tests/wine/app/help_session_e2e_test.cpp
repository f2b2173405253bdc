// The worked session of the help page "Transferring MERVA data to other
// applications", sent as written there: the replies must be the ones the
// page shows a client.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "harness/merva_program.h"
#include "raw_dde_client.h"

namespace merva::test {
namespace {

constexpr int ACK = 0x8000;

class HelpSession : public MervaTest {};

std::string Requested(RawDdeClient& client, const char* item) {
  std::string data;
  EXPECT_TRUE(client.Request(item, CF_TEXT, data)) << item;
  return data;
}

TEST_F(HelpSession, TheDdePagesWorkedSessionGetsTheRepliesItShows) {
  MervaProgram merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  const std::string plot = ExampleCopy("EX01.GRF", "EX01.GRF");

  RawDdeClient system;
  ASSERT_TRUE(WaitUntil([&] { return system.Connect("MERVAW", "System"); }, MERVA_START_MS));
  EXPECT_EQ(Requested(system, "Status"), "Ready");
  EXPECT_EQ(Requested(system, "Topics"), "ROZava\tSystem");
  system.Terminate();

  RawDdeClient service;
  ASSERT_TRUE(service.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(service.Execute("[ErrorMessages(0)][FileOpen(\"" + plot + "\")]"), ACK);
  EXPECT_EQ(service.Execute("[SelectCurve(3)][Legend(3,\"Added on line\")][XY(0,0)]"
                            "[XY(0.001,2.5)][XY(0.002,3.75)]"),
            ACK);
  // The failing command ends the string; the point before it stays.
  EXPECT_EQ(service.Execute("[XY(1,2)][Scale(99)]"), 0);

  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "EX01.GRF"));
  EXPECT_EQ(Requested(document, "NumberOfCurves"), "3");
  EXPECT_EQ(Requested(document, "NumberOfPoints"), "201\t201\t4");
  EXPECT_EQ(Requested(document, "Curve3"),
            " 0.0000000E+00\t 0.0000000E+00\r\n"
            " 0.1000000E-02\t  2.500000    \r\n"
            " 0.2000000E-02\t  3.750000    \r\n"
            "  1.000000    \t  2.000000    \r\n");
  // The page's text poke adds two curves of three points.
  EXPECT_EQ(service.Poke("Data", CF_TEXT, "0\t1.0\t10\r\n0.5\t1.5\t12\r\n1.0\t1.8\t13\r\n"), ACK);
  EXPECT_EQ(Requested(document, "NumberOfPoints"), "201\t201\t4\t3\t3");
  document.Terminate();

  // Printing is left out: the test prefix may have no printer.
  EXPECT_EQ(service.Execute("[Title1(\"Test 12 with added curve\")][ClearEditFlag()][FileClose()]"),
            ACK);

  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
}

}  // namespace
}  // namespace merva::test

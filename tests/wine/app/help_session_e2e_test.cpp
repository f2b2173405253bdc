// The worked session of the help page "Transferring MERVA data to other
// applications", sent as written there: the replies must be the ones the
// page shows a client.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "harness/merva_program.h"
#include "harness/raw_dde_client.h"

namespace merva::test {
namespace {

constexpr int ACK = 0x8000;

class HelpSession : public MervaTest {};

std::string Requested(RawDdeClient& client, const char* item) {
  std::string data;
  EXPECT_TRUE(client.Request(item, CF_TEXT, data)) << item;
  return data;
}

// The page's binary example, laid out by the offsets the page gives.
std::string PageBinaryExample() {
  std::string block(1620, '\0');
  auto put = [&](std::size_t offset, const void* value, std::size_t size) {
    std::memcpy(&block[offset], value, size);
  };
  const int32_t version = 2, curves = 2, points = 3;
  const int16_t format = 1, scale = 1;
  put(0, &version, 4);
  put(8, &format, 2);
  put(12, &curves, 4);
  put(16, &points, 4);
  put(20, &curves, 4);
  put(24, &scale, 2);
  put(36, &points, 4);  // curve 1; format 1 gives every curve its count
  const float values[] = {0.5f, 0, 1, 1.5f, 1.8f, 10, 12, 13};
  block.append(reinterpret_cast<const char*>(values), sizeof values);
  return block;
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

  // The binary example opens a window of its own.
  RawDdeClient binary;
  ASSERT_TRUE(binary.Connect("MERVAW", "ROZava"));
  const std::string block = PageBinaryExample();
  ASSERT_EQ(block.size(), 1652u);
  EXPECT_EQ(binary.Poke("Data", RegisterClipboardFormatA("MERVAW"), block), ACK);
  // The empty start-up window, EX01.GRF and the poked plot.
  EXPECT_EQ(DocumentCount(merva.frame), 3);
  RawDdeClient listing;
  ASSERT_TRUE(listing.Connect("MERVAW", "System"));
  const std::string topics = Requested(listing, "Topics");
  const std::string poked = topics.substr(topics.find_last_of('\t') + 1);
  RawDdeClient pokedDocument;
  ASSERT_TRUE(pokedDocument.Connect("MERVAW", poked.c_str())) << topics;
  EXPECT_EQ(Requested(pokedDocument, "NumberOfPoints"), "3\t3");
  EXPECT_EQ(Requested(pokedDocument, "Curve2"),
            " 0.0000000E+00\t  10.00000    \r\n"
            " 0.5000000    \t  12.00000    \r\n"
            "  1.000000    \t  13.00000    \r\n");

  // Printing is left out: the test prefix may have no printer.
  EXPECT_EQ(service.Execute("[Title1(\"Test 12 with added curve\")][ClearEditFlag()][FileClose()]"),
            ACK);

  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
}

}  // namespace
}  // namespace merva::test

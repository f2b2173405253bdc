#pragma once

// merva95 started with fresh settings and a client on "ROZava" with error
// messages off, so that a refused command answers at once instead of
// waiting for a click: the fixture of the DDE tests of its operations.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "harness/wine_harness.h"
#include "raw_dde_client.h"

namespace merva::test {

class MervaDdeTest : public ::testing::Test {
 protected:
  static constexpr int ACK = 0x8000;

  // Starts merva95 and connects. A caller's SetUp goes on only when
  // `Started()`: the test may have been skipped or have failed here.
  void StartMerva() {
    const std::string program = ProgramPath("app/merva95.exe");
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "merva95.exe is not built";
    if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    DeleteFileA((std::string(windows) + "\\mervaw.ini").c_str());
    merva_ = StartProgram(program, "/-logo");
    ASSERT_NE(merva_.pid, 0u);
    ASSERT_TRUE(WaitUntil(
        [&] {
          RawDdeClient probe;
          return probe.Connect("MERVAW", "System");
        },
        20000));
    ASSERT_TRUE(client_.Connect("MERVAW", "ROZava"));
    ASSERT_EQ(client_.Execute("[ErrorMessages(0)]"), ACK);
  }
  bool Started() const { return !IsSkipped() && !HasFatalFailure(); }
  void TearDown() override { merva_.End(); }

  // An item of the document topic `topic`.
  static std::string Item(const std::string& topic, const std::string& item) {
    RawDdeClient document;
    EXPECT_TRUE(document.Connect("MERVAW", topic.c_str()));
    std::string data;
    EXPECT_TRUE(document.Request(item.c_str(), CF_TEXT, data)) << item;
    return data;
  }

  StartedProcess merva_;
  RawDdeClient client_;
};

}  // namespace merva::test

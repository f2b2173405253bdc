#pragma once

// merva95 started with fresh settings and a client on "ROZava" with error
// messages off, so that a refused command answers at once instead of
// waiting for a click: the fixture of the tests that drive its operations
// over DDE.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "harness/merva_program.h"
#include "harness/raw_dde_client.h"

namespace merva::test {

class MervaDdeTest : public ::testing::Test {
 protected:
  static constexpr int ACK = 0x8000;

  // Starts merva95 and connects. A caller's SetUp goes on only when
  // `Started()`: the test may have been skipped or have failed here.
  void StartMerva() {
    if (!Exists(ProgramFile())) GTEST_SKIP() << "merva95.exe is not built";
    if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
    DeleteFileA(SettingsFile().c_str());
    merva_ = StartProgram(ProgramFile(), "/-logo");
    ASSERT_NE(merva_.pid, 0u);
    ASSERT_TRUE(WaitUntil(
        [&] {
          RawDdeClient probe;
          return probe.Connect("MERVAW", "System");
        },
        MERVA_START_MS));
    ASSERT_TRUE(
        WaitUntil([&] { return (frame_ = FindWindowOfProcess(merva_.pid, "MERVA/W")) != nullptr; },
                  MERVA_START_MS));
    ASSERT_TRUE(client_.Connect("MERVAW", "ROZava"));
    ASSERT_EQ(client_.Execute("[ErrorMessages(0)]"), ACK);
  }
  bool Started() const { return !IsSkipped() && !HasFatalFailure(); }
  // The conversation first: a terminate to an ended server waits in vain.
  void TearDown() override {
    client_.Terminate();
    merva_.End();
  }

  // An item of the document topic `topic`.
  static std::string Item(const std::string& topic, const std::string& item) {
    RawDdeClient document;
    EXPECT_TRUE(document.Connect("MERVAW", topic.c_str())) << topic;
    std::string data;
    EXPECT_TRUE(document.Request(item.c_str(), CF_TEXT, data)) << item;
    return data;
  }
  // The numbers of an item, such as the X and Y of a CurveN.
  static std::vector<double> Numbers(const std::string& topic, const std::string& item) {
    return NumbersIn(Item(topic, item));
  }
  // Adds `count` points X = i * step, Y = y(i) (i from 0) to the selected
  // curve, ten to an execute: a command string takes 1024 characters.
  void AddPoints(int count, const std::function<double(int)>& y, double step = 1) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      char point[64];
      std::snprintf(point, sizeof point, "[XY(%.9g,%.9g)]", i * step, y(i));
      text += point;
      if (i % 10 == 9 || i + 1 == count) {
        ASSERT_EQ(client_.Execute(text), ACK) << text;
        text.clear();
      }
    }
  }
  DWORD Pid() const { return merva_.pid; }
  // Posts a menu command to the frame.
  void Command(int id) const { PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  StartedProcess merva_;
  HWND frame_ = nullptr;
  RawDdeClient client_;
};

}  // namespace merva::test

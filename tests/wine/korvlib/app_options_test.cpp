// KUAppOptions driven from a helper thread.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dialog_driver.h"
#include "korvlib/korv32.h"
#include "korvlib/resource_ids.h"
#include "test_windows.h"

namespace korv::test {
namespace {

KUOPTIONSREQUEST Request(HWND owner, DWORD flags, const char* noun = "plot file") {
  KUOPTIONSREQUEST request{};
  request.size = KU_OPTIONS_REQUEST_SIZE;
  request.owner = KU_OWNER_VALUE(owner);
  request.flags = flags;
  std::strncpy(request.noun, noun, sizeof request.noun - 1);
  return request;
}

struct OptionsContents {
  std::string title;
  std::vector<std::string> labels;  // of the visible radio buttons
  std::vector<bool> visibleIcons;
  int checked = -1;  // index of the checked radio button
  bool helpVisible = false;
  RECT group{}, client{}, help{}, cancel{};
  LONG rowDistance = 0;
};

OptionsContents ReadOptions(HWND dialog) {
  OptionsContents c;
  char title[256] = {};
  GetWindowTextA(dialog, title, sizeof title);
  c.title = title;
  for (int i = 0; i < KU_OPTIONS_SLOTS; ++i) {
    if (Visible(dialog, KU_OPTIONS_FIRST_RADIO + i))
      c.labels.push_back(ControlText(dialog, KU_OPTIONS_FIRST_RADIO + i));
    c.visibleIcons.push_back(Visible(dialog, KU_OPTIONS_FIRST_ICON + i));
    if (Checked(dialog, KU_OPTIONS_FIRST_RADIO + i)) c.checked = i;
  }
  c.helpVisible = Visible(dialog, KU_OPTIONS_HELP_BUTTON);
  c.group = ControlRect(dialog, KU_OPTIONS_GROUP);
  c.help = ControlRect(dialog, KU_OPTIONS_HELP_BUTTON);
  c.cancel = ControlRect(dialog, IDCANCEL);
  GetClientRect(dialog, &c.client);
  c.rowDistance = ControlRect(dialog, KU_OPTIONS_FIRST_RADIO + 1).top -
                  ControlRect(dialog, KU_OPTIONS_FIRST_RADIO).top;
  return c;
}

// Shows the dialog, reads it, presses `button` and returns the result.
int RunOptions(const KUOPTIONSREQUEST& request, OptionsContents& c, int button = IDOK) {
  DialogDriver driver([&](HWND dialog) {
    c = ReadOptions(dialog);
    Press(dialog, button);
  });
  const int result = KUAppOptions(&request);
  EXPECT_TRUE(driver.Wait());
  return result;
}

TEST(AppOptions, WrongSizeReturnsMinusOneWithoutADialog) {
  TestWindow owner("Plotter");
  for (LONG size : {75, 77, 0, -76}) {
    KUOPTIONSREQUEST request = Request(owner.Get(), 0x1F);
    request.size = size;
    EXPECT_EQ(KUAppOptions(&request), -1) << size;
  }
  EXPECT_EQ(FindProcessDialog(), nullptr);
}

TEST(AppOptions, ShortRecordIsNotReadPastItsSize) {
  // Only the size field exists; the rest of the page is out of reach.
  auto* page = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(page, nullptr);
  DWORD old = 0;
  VirtualProtect(page + 4096, 4096, PAGE_NOACCESS, &old);
  auto* request = reinterpret_cast<KUOPTIONSREQUEST*>(page + 4096 - sizeof(LONG));
  request->size = 4;
  EXPECT_EQ(KUAppOptions(request), -1);
  VirtualFree(page, 0, MEM_RELEASE);
}

TEST(AppOptions, NullRequestReturnsZeroAndNoOptionsMinusOne) {
  EXPECT_EQ(KUAppOptions(nullptr), 0);
  TestWindow owner("Plotter");
  KUOPTIONSREQUEST request = Request(owner.Get(), 0x2100);
  EXPECT_EQ(KUAppOptions(&request), -1);
  EXPECT_EQ(FindProcessDialog(), nullptr);
}

TEST(AppOptions, ViewAloneListsOneOptionAndReturnsFour) {
  TestWindow owner("Plotter - [data]");
  OptionsContents c;
  EXPECT_EQ(RunOptions(Request(owner.Get(), 0x0004), c), 4);
  EXPECT_EQ(c.title, "Plotter");
  ASSERT_EQ(c.labels.size(), 1u);
  EXPECT_EQ(c.labels[0], "&View existing output");
  EXPECT_EQ(c.checked, 0);
  EXPECT_EQ(c.visibleIcons, (std::vector<bool>{true, false, false, false, false, false}));
  EXPECT_FALSE(c.helpVisible);
}

TEST(AppOptions, AllOptionsWithTheirLabels) {
  TestWindow owner("Plotter");
  OptionsContents c;
  EXPECT_EQ(RunOptions(Request(owner.Get(), 0x1F, "plot"), c), 1);
  EXPECT_EQ(c.labels, (std::vector<std::string>{"&Create a new plot", "&Open an existing plot",
                                                "&View existing output", "&Save plot",
                                                "&Run with an existing plot"}));
  EXPECT_EQ(c.visibleIcons, (std::vector<bool>{true, true, true, true, true, false}));
}

TEST(AppOptions, LongNounIsCutTo31Characters) {
  TestWindow owner("Plotter");
  OptionsContents c;
  RunOptions(Request(owner.Get(), 0x01, "measurement record file of the rig"), c);
  ASSERT_EQ(c.labels.size(), 1u);
  EXPECT_EQ(c.labels[0], "&Create a new measurement recor");
}

TEST(AppOptions, DefaultSelection) {
  TestWindow owner("Plotter");
  struct Case {
    DWORD flags;
    int checked, result;
  } cases[] = {
      {0x0307, 0, 1},                                   // two default bits: the first
      {0x0107, 1, 2},  {0x0207, 2, 4}, {0x0407, 0, 1},  // beyond the three listed: the first
      {0x081F, 4, 16}, {0x0018, 0, 8},
  };
  for (const Case& test : cases) {
    OptionsContents c;
    EXPECT_EQ(RunOptions(Request(owner.Get(), test.flags), c), test.result) << test.flags;
    EXPECT_EQ(c.checked, test.checked) << test.flags;
  }
}

TEST(AppOptions, CancelReturnsZero) {
  TestWindow owner("Plotter");
  OptionsContents c;
  EXPECT_EQ(RunOptions(Request(owner.Get(), 0x07), c, IDCANCEL), 0);
}

TEST(AppOptions, RadioButtonChoiceIsReturned) {
  TestWindow owner("Plotter");
  const KUOPTIONSREQUEST request = Request(owner.Get(), 0x1F);
  DialogDriver driver([&](HWND dialog) {
    SendMessageA(GetDlgItem(dialog, KU_OPTIONS_FIRST_RADIO + 3), BM_CLICK, 0, 0);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(KUAppOptions(&request), 8);
  EXPECT_TRUE(driver.Wait());
}

LPARAM IconCentre(HWND dialog, int index) {
  const RECT icon = ControlRect(dialog, KU_OPTIONS_FIRST_ICON + index);
  return MAKELPARAM((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
}

TEST(AppOptions, ClickOnAnIconSelectsItsOption) {
  TestWindow owner("Plotter");
  const KUOPTIONSREQUEST request = Request(owner.Get(), 0x07);
  bool thirdChecked = false, stillFirst = false;
  DialogDriver driver([&](HWND dialog) {
    // With Shift held the click does nothing.
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, IconCentre(dialog, 2));
    stillFirst = Checked(dialog, KU_OPTIONS_FIRST_RADIO);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, IconCentre(dialog, 2));
    thirdChecked =
        Checked(dialog, KU_OPTIONS_FIRST_RADIO + 2) && !Checked(dialog, KU_OPTIONS_FIRST_RADIO);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(KUAppOptions(&request), 4);
  EXPECT_TRUE(driver.Wait());
  EXPECT_TRUE(stillFirst);
  EXPECT_TRUE(thirdChecked);
}

TEST(AppOptions, DoubleClickOnAnIconChoosesItsOption) {
  TestWindow owner("Plotter");
  const KUOPTIONSREQUEST request = Request(owner.Get(), 0x1A);  // OPEN, SAVE, RUN
  DialogDriver driver([&](HWND dialog) {
    PostMessageA(dialog, WM_LBUTTONDBLCLK, MK_LBUTTON, IconCentre(dialog, 1));
  });
  EXPECT_EQ(KUAppOptions(&request), 8);
  EXPECT_TRUE(driver.Wait());
}

TEST(AppOptions, HelpSendsKorvHelpToTheOwnerAndStaysOpen) {
  TestWindow owner("Plotter");
  const UINT korvHelp = RegisterWindowMessageA("KORV Help");
  const KUOPTIONSREQUEST request = Request(owner.Get(), 0x2003);
  bool helpVisible = false, openAfterHelp = false;
  DialogDriver driver([&](HWND dialog) {
    helpVisible = Visible(dialog, KU_OPTIONS_HELP_BUTTON);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(KU_OPTIONS_HELP_BUTTON, BN_CLICKED), 0);
    Sleep(100);
    openAfterHelp = IsWindow(dialog) && IsWindowVisible(dialog);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(KUAppOptions(&request), 0);
  EXPECT_TRUE(driver.Wait());
  EXPECT_TRUE(helpVisible);
  EXPECT_TRUE(openAfterHelp);
  EXPECT_EQ(owner.Count(korvHelp), 1);
}

TEST(AppOptions, FewerOptionsShrinkTheGroupBoxAndTheDialog) {
  TestWindow owner("Plotter");
  OptionsContents five, three, one, oneWithHelp;
  RunOptions(Request(owner.Get(), 0x1F), five);
  RunOptions(Request(owner.Get(), 0x07), three);
  RunOptions(Request(owner.Get(), 0x01), one);
  RunOptions(Request(owner.Get(), 0x2001), oneWithHelp);
  const LONG row = five.rowDistance;
  ASSERT_GT(row, 0);
  const auto height = [](const RECT& r) { return r.bottom - r.top; };
  EXPECT_EQ(height(five.group) - height(three.group), 2 * row);
  EXPECT_EQ(height(five.group) - height(one.group), 4 * row);
  EXPECT_EQ(height(five.client) - height(three.client), 2 * row);
  // The buttons stay inside the shortened dialog.
  for (const OptionsContents* c : {&five, &three, &one})
    EXPECT_LE(c->cancel.bottom, c->client.bottom);
  EXPECT_LE(oneWithHelp.help.bottom, oneWithHelp.client.bottom);
  EXPECT_LE(height(one.client), height(three.client));
}

}  // namespace
}  // namespace korv::test

// KUAboutBox driven from a helper thread.

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "korvlib/korv32.h"
#include "korvlib/resource_ids.h"
#include "test_windows.h"

namespace korv::test {
namespace {

struct AboutContents {
  std::string title, nameVersion, text, disclaimer;
  HICON icon = nullptr;
  RECT frame{};
  bool okVisible = false;
};

AboutContents ReadAbout(HWND dialog) {
  AboutContents c;
  char title[256] = {};
  GetWindowTextA(dialog, title, sizeof title);
  c.title = title;
  c.nameVersion = ControlText(dialog, KU_ABOUT_NAME_VERSION);
  c.text = ControlText(dialog, KU_ABOUT_TEXT);
  c.disclaimer = ControlText(dialog, KU_ABOUT_DISCLAIMER);
  c.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, KU_ABOUT_ICON, STM_GETICON, 0, 0));
  GetWindowRect(dialog, &c.frame);
  c.okVisible = Visible(dialog, IDOK);
  return c;
}

TEST(AboutBox, ShowsTheOwnersNameVersionAndIcon) {
  const HICON icon = LoadIconA(nullptr, IDI_ASTERISK);
  TestWindow owner("MERVA95 - [plot1.grf]", Korv32Module(), icon);
  AboutContents c;
  DialogDriver driver([&](HWND dialog) {
    c = ReadAbout(dialog);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(KUAboutBox(owner.Get(), nullptr), 1);
  ASSERT_TRUE(driver.Wait());
  EXPECT_EQ(c.title, "About MERVA95");
  // The owner was made by KORV32.DLL's instance, so its version shows.
  EXPECT_EQ(c.nameVersion, "MERVA95 Version 2.1.0.0");
  EXPECT_EQ(c.text, "Sponsored by:");
  EXPECT_FALSE(c.disclaimer.empty());
  EXPECT_EQ(c.icon, icon);
  EXPECT_TRUE(c.okVisible);
}

TEST(AboutBox, ModuleWithoutVersionShowsQuestionMark) {
  TestWindow owner("Plotter");
  AboutContents c;
  DialogDriver driver([&](HWND dialog) {
    c = ReadAbout(dialog);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(KUAboutBox(owner.Get(), nullptr), 1);
  ASSERT_TRUE(driver.Wait());
  EXPECT_EQ(c.title, "About Plotter");
  EXPECT_EQ(c.nameVersion, "Plotter Version ?");
}

TEST(AboutBox, CreditsTextReplacesTheDefault) {
  TestWindow owner("MERVA95");
  AboutContents c;
  DialogDriver driver([&](HWND dialog) {
    c = ReadAbout(dialog);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(KUAboutBox(owner.Get(), "Sponsored by:\rThe test lab\rand its engineers"), 1);
  ASSERT_TRUE(driver.Wait());
  EXPECT_EQ(c.text, "Sponsored by:\rThe test lab\rand its engineers");
}

TEST(AboutBox, CloseBoxReturnsOne) {
  TestWindow owner("MERVA95");
  DialogDriver driver([&](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(KUAboutBox(owner.Get(), nullptr), 1);
  EXPECT_TRUE(driver.Wait());
}

TEST(AboutBox, NoOwnerOrNoTitleReturnsZero) {
  EXPECT_EQ(KUAboutBox(nullptr, nullptr), 0);
  TestWindow untitled("");
  EXPECT_EQ(KUAboutBox(untitled.Get(), "x"), 0);
  TestWindow dashOnly(" - [plot1.grf]");
  EXPECT_EQ(KUAboutBox(dashOnly.Get(), "x"), 0);
  TestWindow destroyed("gone");
  const HWND stale = destroyed.Get();
  DestroyWindow(stale);
  EXPECT_EQ(KUAboutBox(stale, nullptr), 0);
  EXPECT_EQ(FindProcessDialog(), nullptr);
}

TEST(AboutBox, CentredOverTheOwnersClientArea) {
  TestWindow owner("MERVA95", nullptr, nullptr, {100, 80, 700, 580});
  RECT client{};
  GetClientRect(owner.Get(), &client);
  MapWindowPoints(owner.Get(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  AboutContents c;
  DialogDriver driver([&](HWND dialog) {
    c = ReadAbout(dialog);
    Press(dialog, IDOK);
  });
  KUAboutBox(owner.Get(), nullptr);
  ASSERT_TRUE(driver.Wait());
  const LONG width = c.frame.right - c.frame.left, height = c.frame.bottom - c.frame.top;
  EXPECT_EQ(c.frame.left, (client.left + client.right - width) / 2);
  EXPECT_EQ(c.frame.top, (client.top + client.bottom - height) / 2);
}

TEST(AboutBox, KeptOnTheScreenNearItsEdges) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  for (const RECT frame :
       {RECT{-900, -900, -700, -700},
        RECT{screenWidth - 100, screenHeight - 100, screenWidth + 500, screenHeight + 500}}) {
    TestWindow owner("MERVA95", nullptr, nullptr, frame);
    AboutContents c;
    DialogDriver driver([&](HWND dialog) {
      c = ReadAbout(dialog);
      Press(dialog, IDOK);
    });
    KUAboutBox(owner.Get(), nullptr);
    ASSERT_TRUE(driver.Wait());
    if (frame.left < 0) {
      EXPECT_EQ(c.frame.left, 0);
      EXPECT_EQ(c.frame.top, 0);
    } else {
      EXPECT_EQ(c.frame.right, screenWidth);
      EXPECT_EQ(c.frame.bottom, screenHeight);
    }
  }
}

}  // namespace
}  // namespace korv::test

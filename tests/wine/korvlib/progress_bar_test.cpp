// KUProgressBar: templates, messages, drawing and Cancel.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "dialog_driver.h"
#include "korvlib/korv32.h"
#include "korvlib/progress_state.h"
#include "korvlib/resource_ids.h"
#include "test_windows.h"

namespace korv::test {
namespace {

class ProgressTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (IsWindow(dialog_)) SendMessageA(dialog_, WM_CLOSE, 0, 0);
  }
  HWND Open(UINT flags) {
    dialog_ = KUProgressBar(parent_.Get(), flags);
    return dialog_;
  }
  LRESULT SendText(const std::string& text) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    const LRESULT result = SendMessageA(dialog_, KU_PM_TEXT, 0, reinterpret_cast<LPARAM>(block));
    GlobalFree(block);  // the block stays the caller's
    return result;
  }

  TestWindow parent_{"MERVA95 - [plot1.grf]", nullptr, nullptr, {50, 60, 650, 560}};
  HWND dialog_ = nullptr;
};

// The bar control's pixels as the dialog paints them.
struct Picture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Picture& o) const { return pixels == o.pixels; }
};

template <typename Paint>
Picture Render(int width, int height, Paint paint) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  paint(dc);
  GdiFlush();
  const auto* raw = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width * height; ++i)
    picture.pixels.push_back(RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

Picture RenderBar(HWND dialog) {
  const HWND bar = GetDlgItem(dialog, KU_PROGRESS_BAR);
  RECT client{};
  GetClientRect(bar, &client);
  return Render(client.right, client.bottom, [&](HDC dc) {
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

// What the bar looks like at `percent`: its black frame around the bar.
Picture ExpectedBar(HWND dialog, int percent) {
  const HWND bar = GetDlgItem(dialog, KU_PROGRESS_BAR);
  RECT client{};
  GetClientRect(bar, &client);
  return Render(client.right, client.bottom, [&](HDC dc) {
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT inner = client;
    InflateRect(&inner, -1, -1);
    const HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0)));
    DrawPercentBar(dc, inner, percent);
    SelectObject(dc, font);
  });
}

constexpr COLORREF BLUE = RGB(0, 0, 255);
constexpr COLORREF WHITE = RGB(255, 255, 255);

TEST_F(ProgressTest, EveryTemplateOpens) {
  for (UINT flags = 0; flags < 8; ++flags) {
    ASSERT_NE(Open(flags), nullptr) << flags;
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_NE(GetDlgItem(dialog_, KU_PROGRESS_BAR), nullptr);
    EXPECT_NE(GetDlgItem(dialog_, KU_PROGRESS_FIRST_LINE), nullptr);
    EXPECT_EQ(GetDlgItem(dialog_, IDCANCEL) != nullptr, !(flags & KU_PROGRESS_NO_CANCEL));
    EXPECT_EQ(GetDlgItem(dialog_, KU_PROGRESS_FIRST_LINE + 4) != nullptr,
              (flags & KU_PROGRESS_FIVE_LINES) != 0);
    char title[128] = {};
    GetWindowTextA(dialog_, title, sizeof title);
    if (flags & KU_PROGRESS_NO_CANCEL) {
      // No caption: the title goes into control 288.
      EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_TITLE), "MERVA95") << flags;
    } else {
      EXPECT_STREQ(title, "MERVA95") << flags;
    }
    SendMessageA(dialog_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(dialog_));
  }
  // Higher flag bits are not part of the template number.
  ASSERT_NE(Open(0x10), nullptr);
}

TEST_F(ProgressTest, CentredOnTheParentWindow) {
  ASSERT_NE(Open(0), nullptr);
  RECT parent{}, frame{};
  GetWindowRect(parent_.Get(), &parent);
  GetWindowRect(dialog_, &frame);
  EXPECT_EQ(frame.left, (parent.left + parent.right - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (parent.top + parent.bottom - (frame.bottom - frame.top)) / 2);
}

TEST_F(ProgressTest, OneLineDialogReplacesItsText) {
  ASSERT_NE(Open(0), nullptr);
  EXPECT_EQ(SendText("Reading plot1.grf"), 1);
  EXPECT_EQ(SendText("Reading plot2.grf"), 1);
  EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE), "Reading plot2.grf");
  EXPECT_EQ(SendMessageA(dialog_, KU_PM_TEXT, 0, 0), 0);
}

TEST_F(ProgressTest, FiveLineDialogGivenSevenTextsShowsTheLastFive) {
  ASSERT_NE(Open(KU_PROGRESS_FIVE_LINES), nullptr);
  SendText("text 1");
  SendText("text 2");
  EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE), "text 1");
  EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE + 1), "text 2");
  EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE + 2), "");
  for (int i = 3; i <= 7; ++i) SendText("text " + std::to_string(i));
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE + i), "text " + std::to_string(i + 3));
}

TEST_F(ProgressTest, EachDialogCountsItsOwnLines) {
  ASSERT_NE(Open(KU_PROGRESS_FIVE_LINES), nullptr);
  for (int i = 1; i <= 6; ++i) SendText("first " + std::to_string(i));
  SendMessageA(dialog_, WM_CLOSE, 0, 0);
  ASSERT_NE(Open(KU_PROGRESS_FIVE_LINES), nullptr);
  SendText("second 1");
  EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE), "second 1");
  EXPECT_EQ(ControlText(dialog_, KU_PROGRESS_FIRST_LINE + 4), "");
}

TEST_F(ProgressTest, BarStartsWhiteAndFillsWithThePercentage) {
  ASSERT_NE(Open(0), nullptr);
  Picture picture = RenderBar(dialog_);
  EXPECT_EQ(picture.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(picture.At(picture.width / 2, picture.height / 2), WHITE);
  SendMessageA(dialog_, KU_PM_TOTAL, 0, 200);
  SendMessageA(dialog_, KU_PM_COUNT, 0, 100);
  picture = RenderBar(dialog_);
  EXPECT_TRUE(picture == ExpectedBar(dialog_, 50));
  const RECT inner{1, 1, picture.width - 1, picture.height - 1};
  const LONG split = FilledRight(inner, 50);
  EXPECT_EQ(picture.At(2, 2), BLUE);
  EXPECT_EQ(picture.At(split - 1, 2), BLUE);
  EXPECT_EQ(picture.At(split, 2), WHITE);
  EXPECT_EQ(picture.At(picture.width - 3, 2), WHITE);
  // A new run clears the bar.
  SendMessageA(dialog_, KU_PM_TOTAL, 0, 10);
  picture = RenderBar(dialog_);
  EXPECT_EQ(picture.At(2, 2), WHITE);
}

TEST_F(ProgressTest, PercentTextsAreDrawn) {
  ASSERT_NE(Open(0), nullptr);
  SendMessageA(dialog_, KU_PM_TOTAL, 0, 100);
  for (int percent : {0, 9, 10, 55, 100}) {
    SendMessageA(dialog_, KU_PM_COUNT, 0, percent);
    EXPECT_TRUE(RenderBar(dialog_) == ExpectedBar(dialog_, percent)) << percent;
  }
  // The text is really there: 9 % and 10 % differ only in it.
  EXPECT_FALSE(ExpectedBar(dialog_, 9) == ExpectedBar(dialog_, 10) &&
               ExpectedBar(dialog_, 10) == ExpectedBar(dialog_, 100));
}

TEST_F(ProgressTest, TotalsBelowOneAndHugeTotals) {
  ASSERT_NE(Open(0), nullptr);
  for (LPARAM total : {LPARAM(0), LPARAM(-5)}) {
    SendMessageA(dialog_, KU_PM_TOTAL, 0, total);
    SendMessageA(dialog_, KU_PM_COUNT, 0, 1);
    EXPECT_TRUE(RenderBar(dialog_) == ExpectedBar(dialog_, 100)) << total;
    SendMessageA(dialog_, KU_PM_COUNT, 0, 0);
    EXPECT_TRUE(RenderBar(dialog_) == ExpectedBar(dialog_, 0)) << total;
  }
#ifdef _WIN64
  SendMessageA(dialog_, KU_PM_TOTAL, 0, static_cast<LPARAM>(3000000000LL));
  SendMessageA(dialog_, KU_PM_COUNT, 0, static_cast<LPARAM>(1500000000LL));
  EXPECT_TRUE(RenderBar(dialog_) == ExpectedBar(dialog_, 50));
  SendMessageA(dialog_, KU_PM_COUNT, 0, static_cast<LPARAM>(2999999999LL));
  EXPECT_TRUE(RenderBar(dialog_) == ExpectedBar(dialog_, 99));
  SendMessageA(dialog_, KU_PM_COUNT, 0, -7);
  EXPECT_TRUE(RenderBar(dialog_) == ExpectedBar(dialog_, 0));
#endif
}

TEST_F(ProgressTest, AnimationAdvancesEvery200Milliseconds) {
  ASSERT_NE(Open(KU_PROGRESS_ANIMATION), nullptr);
  const Picture first = RenderBar(dialog_);
  SendMessageA(dialog_, KU_PM_COUNT, 0, 1);
  EXPECT_TRUE(RenderBar(dialog_) == first);  // too soon
  Sleep(250);
  SendMessageA(dialog_, KU_PM_COUNT, 0, 2);
  const Picture second = RenderBar(dialog_);
  EXPECT_FALSE(second == first);
  // Eight frames later the first one comes round again.
  for (int i = 0; i < 7; ++i) {
    Sleep(210);
    SendMessageA(dialog_, KU_PM_COUNT, 0, 3 + i);
  }
  EXPECT_TRUE(RenderBar(dialog_) == first);
}

TEST_F(ProgressTest, CancelTellsTheParentAndStaysOpen) {
  ASSERT_NE(Open(0), nullptr);
  SendMessageA(GetDlgItem(dialog_, IDCANCEL), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(parent_.Count(KU_PM_CANCELLED), 1);
  EXPECT_TRUE(IsWindow(dialog_));
  // Escape in a dialog without Cancel does not.
  SendMessageA(dialog_, WM_CLOSE, 0, 0);
  ASSERT_NE(Open(KU_PROGRESS_NO_CANCEL), nullptr);
  SendMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
  SendMessageA(dialog_, WM_COMMAND, IDOK, 0);
  PumpMessages();
  EXPECT_EQ(parent_.Count(KU_PM_CANCELLED), 1);
}

TEST_F(ProgressTest, ClosedWithTheParent) {
  auto parent = std::make_unique<TestWindow>("Owner");
  const HWND dialog = KUProgressBar(parent->Get(), KU_PROGRESS_FIVE_LINES);
  ASSERT_NE(dialog, nullptr);
  parent.reset();
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ProgressTest, WithoutParent) {
  dialog_ = KUProgressBar(nullptr, 0);
  ASSERT_NE(dialog_, nullptr);
  char title[64] = {};
  GetWindowTextA(dialog_, title, sizeof title);
  EXPECT_STREQ(title, "Progress");
}

}  // namespace
}  // namespace korv::test

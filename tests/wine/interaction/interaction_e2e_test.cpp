// The document window under the mouse, the tool bar and the status bar of
// a running merva95: hover hints read back from the status bar's text,
// dragging the legend, the zoom rectangle and its stack, the pop-up menus,
// the capacity part and the show/hide layout.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "harness/merva_program.h"

namespace merva::test {
namespace {

constexpr DWORD START_MS = 20000;
constexpr char ZOOM_HINT[] = "Click and drag to define a zoom rectangle.";
constexpr char LEGEND_HINT[] = "Click and drag or double-click to edit legend";
constexpr char CAPACITY_HINT[] = "Double-click to change array sizes";

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

struct Merva : MervaProgram {
  HWND client = nullptr, document = nullptr, status = nullptr;

  bool Start(const std::string& arguments) {
    if (!MervaProgram::Start(arguments)) return false;
    document = FindChildWindow(frame, "MERVADOC", nullptr);
    if (!WaitUntil(
            [&] {
              status = FindChildWindow(frame, "MERVASTATUS", nullptr);
              client = FindChildWindow(frame, "MDICLIENT", nullptr);
              return status && client;
            },
            START_MS))
      return false;
    Sleep(200);
    return true;
  }
  std::string Hint() { return WindowText(status); }
  // The hint after the mouse rests at a point of the document window.
  std::string HoverAt(int x, int y) {
    SendMessageA(document, WM_MOUSEMOVE, 0, At(x, y));
    return Hint();
  }
  RECT DocumentClient() {
    RECT r{};
    GetClientRect(document, &r);
    return r;
  }
};

class Interaction : public MervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    const std::string file = ExampleCopy(Example(), "hover.grf");
    ASSERT_TRUE(merva.Start("/-logo \"" + file + "\""));
    // The file's window is the active one once it is read; maximized for room.
    bool maximized = false;
    WaitUntil(
        [&] {
          merva.document =
              reinterpret_cast<HWND>(SendMessageA(merva.client, WM_MDIGETACTIVE, 0, 0));
          if (!merva.document) return false;
          if (!maximized) {
            SendMessageA(merva.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(merva.document), 0);
            maximized = true;
          }
          return merva.HoverAt(Center().x, Center().y).rfind("X=", 0) == 0;
        },
        15000);
  }
  virtual std::string Example() const { return "EX01.GRF"; }
  void TearDown() override {
    merva.process.End();
    MervaTest::TearDown();
  }
  POINT Center() {
    const RECT r = merva.DocumentClient();
    return POINT{r.right / 2, r.bottom / 2};
  }
  // Every hint seen on a grid over the document window, with one point each.
  std::vector<std::pair<std::string, POINT>> Survey(int step = 6) {
    std::vector<std::pair<std::string, POINT>> seen;
    std::set<std::string> kinds;
    const RECT r = merva.DocumentClient();
    for (int y = 1; y < r.bottom; y += step)
      for (int x = 1; x < r.right; x += step) {
        std::string hint = merva.HoverAt(x, y);
        const std::string kind = hint.rfind("X=", 0) == 0 ? "X=" : hint;
        if (kinds.insert(kind).second) seen.push_back({hint, POINT{x, y}});
      }
    return seen;
  }
  bool Find(const std::string& hint, POINT& where) {
    for (auto& [text, point] : Survey())
      if (text == hint) {
        where = point;
        return true;
      }
    return false;
  }
  // Drags in the document window with posted messages.
  void Drag(POINT from, POINT to) {
    PostMessageA(merva.document, WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
    PostMessageA(merva.document, WM_MOUSEMOVE, MK_LBUTTON,
                 At((from.x + to.x) / 2, (from.y + to.y) / 2));
    PostMessageA(merva.document, WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
    PostMessageA(merva.document, WM_LBUTTONUP, 0, At(to.x, to.y));
  }
  // A zoom rectangle; true when the program left the zoom mode.
  bool Zoom(POINT from, POINT to) {
    merva.Command(4222);
    if (!WaitUntil([&] { return merva.Hint() == ZOOM_HINT; }, 5000)) return false;
    Drag(from, to);
    return WaitUntil([&] { return merva.Hint() != ZOOM_HINT; }, 5000);
  }
  // The read-out at a point once the picture was drawn again.
  std::string SettledReadout(POINT p, const std::string& before) {
    // The new view shows once the picture is drawn again: wait for a
    // changed read-out that stays.
    std::string now, last;
    WaitUntil(
        [&] {
          last = now;
          now = merva.HoverAt(p.x, p.y);
          return now != before && now == last;
        },
        5000, 300);
    return now;
  }
  Merva merva;
};

TEST_F(Interaction, HoverHintsAndReadout) {
  const POINT c = Center();
  const std::string readout = merva.HoverAt(c.x, c.y);
  ASSERT_EQ(readout.rfind("X=", 0), 0u)
      << readout << " at " << c.x << "," << c.y << " boxes "
      << TopLevelOf(merva.process.pid, "#32770").size() << " "
      << (TopLevelOf(merva.process.pid, "#32770").empty()
              ? ""
              : WindowText(TopLevelOf(merva.process.pid, "#32770")[0]));
  double x = 0, y = 0;
  ASSERT_EQ(std::sscanf(readout.c_str(), "X=%lG, Y=%lG", &x, &y), 2) << readout;
  // Moving right grows X, moving up grows Y (EX01 has ordinary axes).
  double x2 = 0, y2 = 0;
  std::sscanf(merva.HoverAt(c.x + 30, c.y - 30).c_str(), "X=%lG, Y=%lG", &x2, &y2);
  EXPECT_GT(x2, x);
  EXPECT_GT(y2, y);
  const std::set<std::string> allowed{"",
                                      "Double-click to edit the title",
                                      "Double-click to edit the X axis label",
                                      "Double-click to edit the Y axis label",
                                      LEGEND_HINT,
                                      "Click and drag or double-click to edit note",
                                      "Click and drag or double-click to edit label"};
  std::set<std::string> seen;
  for (auto& [text, point] : Survey()) {
    if (text.rfind("X=", 0) == 0) continue;
    EXPECT_TRUE(allowed.count(text)) << "unexpected hint \"" << text << "\"";
    seen.insert(text);
  }
  EXPECT_TRUE(seen.count(""));  // the margins clear the hint
  EXPECT_TRUE(seen.count(LEGEND_HINT));
  EXPECT_TRUE(seen.count("Double-click to edit the X axis label"));
}

// EX01's framed point label lies inside the plot area.
TEST_F(Interaction, PointLabelInsideThePlotGetsItsHint) {
  POINT label{};
  ASSERT_TRUE(Find("Click and drag or double-click to edit label", label));
  const RECT r = merva.DocumentClient();
  EXPECT_GT(label.y, r.bottom / 10);
  EXPECT_LT(label.y, r.bottom * 9 / 10);
}

TEST_F(Interaction, LegendFollowsTheDrag) {
  POINT legend{};
  ASSERT_TRUE(Find(LEGEND_HINT, legend));
  const POINT c = Center();
  const POINT target{c.x - 120, c.y + 60};
  ASSERT_NE(merva.HoverAt(target.x + 4, target.y + 4), LEGEND_HINT);
  Drag(legend, target);
  EXPECT_TRUE(WaitUntil([&] { return merva.HoverAt(target.x, target.y) == LEGEND_HINT; }, 5000));
}

TEST_F(Interaction, ZoomStackOfFourViews) {
  const RECT r = merva.DocumentClient();
  const POINT probe = Center();
  const std::string original = merva.HoverAt(probe.x, probe.y);
  ASSERT_EQ(original.rfind("X=", 0), 0u);

  // A rectangle without width changes nothing.
  ASSERT_TRUE(Zoom(POINT{probe.x, r.bottom / 4}, POINT{probe.x, r.bottom * 3 / 4}));
  Sleep(500);
  EXPECT_EQ(merva.HoverAt(probe.x, probe.y), original);

  std::vector<std::string> views{original};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(Zoom(POINT{probe.x - r.right / 5, probe.y - r.bottom / 5},
                     POINT{probe.x + r.right / 8, probe.y + r.bottom / 8}))
        << "zoom " << i;
    views.push_back(SettledReadout(probe, views.back()));
    EXPECT_NE(views.back(), views[views.size() - 2]) << "zoom " << i;
  }
  // Four views are kept: three steps back through them, the fourth leaves
  // the zoom, the oldest view is gone.
  for (int back = 4; back >= 2; --back) {
    merva.Command(4223);
    EXPECT_EQ(SettledReadout(probe, views[static_cast<std::size_t>(back + 1)]),
              views[static_cast<std::size_t>(back)]);
  }
  merva.Command(4223);
  EXPECT_EQ(SettledReadout(probe, views[2]), original);
  merva.Command(4223);  // not zoomed: nothing changes
  Sleep(500);
  EXPECT_EQ(merva.HoverAt(probe.x, probe.y), original);

  // View All leaves the zoom at once.
  ASSERT_TRUE(Zoom(POINT{probe.x - 40, probe.y - 40}, POINT{probe.x + 10, probe.y + 10}));
  const std::string zoomed = SettledReadout(probe, original);
  ASSERT_NE(zoomed, original);
  merva.Command(4221);
  EXPECT_EQ(SettledReadout(probe, zoomed), original);
}

TEST_F(Interaction, EscapeEndsTheZoomModeWithoutChange) {
  const POINT probe = Center();
  const std::string original = merva.HoverAt(probe.x, probe.y);
  merva.Command(4222);
  ASSERT_TRUE(WaitUntil([&] { return merva.Hint() == ZOOM_HINT; }, 5000));
  // Hints are off while the zoom owns the mouse.
  EXPECT_EQ(merva.HoverAt(probe.x, probe.y), ZOOM_HINT);
  PostMessageA(merva.document, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return merva.Hint() != ZOOM_HINT; }, 5000));
  EXPECT_EQ(merva.HoverAt(probe.x, probe.y), original);
}

TEST_F(Interaction, LegendPopupMenu) {
  POINT legend{};
  ASSERT_TRUE(Find(LEGEND_HINT, legend));
  PostMessageA(merva.document, WM_RBUTTONDOWN, MK_RBUTTON, At(legend.x, legend.y));
  std::vector<HWND> menus;
  ASSERT_FALSE((menus = WaitForTopLevel(merva.process.pid, "#32768")).empty());
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menus[0], 0x01E1 /*MN_GETHMENU*/, 0, 0));
  // The menu handle can be read only where Wine shares menus between
  // processes.
  if (menu && GetMenuItemCount(menu) >= 0) {
    char text[64] = {};
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "F&rame");
    EXPECT_EQ(GetMenuItemID(menu, 0), 4352u);
    GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Opaque");
    GetMenuStringA(menu, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Font...");
    EXPECT_EQ(GetMenuItemID(menu, 2), 4354u);
  }
  PostMessageA(menus[0], WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLevelOf(merva.process.pid, "#32768").empty(); }, 5000));
  // "&Font..." opens the font dialog of the legend's text.
  merva.Command(4354);
  std::vector<HWND> boxes = WaitForTopLevel(merva.process.pid, "#32770");
  ASSERT_FALSE(boxes.empty()) << "no font dialog";
  EXPECT_EQ(WindowText(boxes[0]), "Font");
  PostMessageA(boxes[0], WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLevelOf(merva.process.pid, "#32770").empty(); }, 5000));
}

// A double-click opens the element's dialog; a dialog that is not part of
// the program yet leaves the document as it was.
void ExpectDialogOnDoubleClick(Merva& merva, POINT where, const std::string& caption) {
  PostMessageA(merva.document, WM_LBUTTONDBLCLK, MK_LBUTTON, At(where.x, where.y));
  std::vector<HWND> boxes;
  const bool opened = WaitUntil(
      [&] {
        boxes = TopLevelOf(merva.process.pid, "#32770");
        return !boxes.empty();
      },
      5000);
  if (!opened) {
    ADD_FAILURE() << "no dialog for \"" << caption << "\"";
    return;
  }
  EXPECT_EQ(WindowText(boxes[0]), caption);
  PostMessageA(boxes[0], WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLevelOf(merva.process.pid, "#32770").empty(); }, 5000));
}

TEST_F(Interaction, DoubleClickEditing) {
  POINT title{}, legend{};
  ASSERT_TRUE(Find("Double-click to edit the title", title));
  ASSERT_TRUE(Find(LEGEND_HINT, legend));
  ExpectDialogOnDoubleClick(merva, title, "Titles/Axes");
  ExpectDialogOnDoubleClick(merva, legend, "Legend/Labels");
  // The plot area itself opens nothing.
  const POINT c = Center();
  PostMessageA(merva.document, WM_LBUTTONDBLCLK, MK_LBUTTON, At(c.x, c.y));
  Sleep(700);
  EXPECT_TRUE(TopLevelOf(merva.process.pid, "#32770").empty());
}

TEST_F(Interaction, CapacityPart) {
  RECT bar{};
  GetClientRect(merva.status, &bar);
  const int x = bar.right - 20, y = bar.bottom / 2;
  SendMessageA(merva.status, WM_MOUSEMOVE, 0, At(x, y));
  EXPECT_EQ(merva.Hint(), CAPACITY_HINT);
  PostMessageA(merva.status, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
  std::vector<HWND> boxes;
  ASSERT_FALSE((boxes = WaitForTopLevel(merva.process.pid, "#32770")).empty());
  EXPECT_EQ(WindowText(boxes[0]), "Size X,Y Arrays");
  PostMessageA(boxes[0], WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLevelOf(merva.process.pid, "#32770").empty(); }, 5000));
}

int ClientTop(const Merva& m) {
  RECT r{};
  GetWindowRect(m.client, &r);
  POINT p{r.left, r.top};
  ScreenToClient(m.frame, &p);
  return p.y;
}

int ClientHeight(const Merva& m) {
  RECT r{};
  GetClientRect(m.client, &r);
  return r.bottom;
}

TEST_F(Interaction, StatusBarAndToolBarLayout) {
  HWND tools = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
  ASSERT_TRUE(tools);
  ASSERT_TRUE(IsWindowVisible(tools));
  RECT toolRect{};
  GetWindowRect(tools, &toolRect);
  const int toolHeight = toolRect.bottom - toolRect.top;
  EXPECT_EQ(ClientTop(merva), toolHeight);
  RECT statusRect{};
  GetWindowRect(merva.status, &statusRect);
  const int statusHeight = statusRect.bottom - statusRect.top;
  const int height = ClientHeight(merva);

  merva.Command(4224);  // hide the status bar
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(merva.status); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return ClientHeight(merva) == height + statusHeight; }, 3000));
  merva.Command(4224);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(merva.status) != 0; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return ClientHeight(merva) == height; }, 3000));

  merva.Command(4225);  // hide the tool bar
  EXPECT_TRUE(WaitUntil([&] { return ClientTop(merva) == 0; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return ClientHeight(merva) == height + toolHeight; }, 3000));
  merva.Command(4225);
  EXPECT_TRUE(WaitUntil([&] { return ClientTop(merva) == toolHeight; }, 5000));
}

// A preference file shows or hides the tool bar as it says; the client
// area follows it.
TEST_F(Interaction, PreferenceFileRebuildsTheToolBar) {
  HWND tools = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
  ASSERT_TRUE(tools);
  RECT toolRect{};
  GetWindowRect(tools, &toolRect);
  const int toolHeight = toolRect.bottom - toolRect.top;
  auto apply = [&](const std::string& text) {
    const std::string file = TempDirectory() + "\\bar.set";
    EXPECT_TRUE(WriteFileBytes(file, text));
    const ATOM atom = GlobalAddAtomA(file.c_str());
    const LRESULT result = SendMessageA(merva.frame, WM_APP + 0x3A1, atom, 0);
    GlobalDeleteAtom(atom);
    return result;
  };
  auto docked = [&] {
    HWND bar = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
    return bar && IsWindowVisible(bar);
  };
  ASSERT_EQ(apply("[ToolBar]\r\nVisible=0\r\n"), 1);
  EXPECT_TRUE(WaitUntil([&] { return !docked() && ClientTop(merva) == 0; }, 5000))
      << ClientTop(merva);
  ASSERT_EQ(apply("[ToolBar]\r\nVisible=1\r\nStyle=0x0000\r\n"), 1);
  EXPECT_TRUE(WaitUntil([&] { return docked() && ClientTop(merva) == toolHeight; }, 5000))
      << ClientTop(merva);
}

const char* const kTips[26] = {"New",           "Open",
                               "Save",          "Print",
                               "Copy Picture",  "Paste",
                               "Erase",         "Edit Data",
                               "Note",          "Fonts",
                               "No grid lines", "Grid lines",
                               "Box",           "Line/Symbol Styles",
                               "Colors",        "Curve Fit",
                               "Integrate",     "FFT",
                               "List Peaks",    "Interpolate",
                               "Scan data",     "Zoom in",
                               "Zoom out",      "Redraw",
                               "Help tool",     ""};

void ExpectButtons(HWND tools, int& width) {
  for (int id = 1; id <= 26; ++id) {
    HWND button = GetDlgItem(tools, id);
    ASSERT_TRUE(button) << "button " << id;
    EXPECT_EQ(WindowText(button), kTips[id - 1]) << "button " << id;
    RECT r{};
    GetWindowRect(button, &r);
    width = r.right - r.left;
  }
  EXPECT_FALSE(GetDlgItem(tools, 27));
}

TEST_F(Interaction, ToolBarButtonsSmallAndLarge) {
  HWND tools = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
  ASSERT_TRUE(tools);
  int small = 0, large = 0;
  ExpectButtons(tools, small);
  // The menu hint of a button comes with the mouse.
  SendMessageA(GetDlgItem(tools, 22), WM_MOUSEMOVE, 0, At(3, 3));
  EXPECT_EQ(merva.Hint(), "Enlarges a rectangle of the plot drawn with the mouse") << merva.Hint();
  SendMessageA(GetDlgItem(tools, 22), WM_MOUSELEAVE, 0, 0);
  merva.Command(4226);
  HWND rebuilt = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        rebuilt = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
        return rebuilt && rebuilt != tools && IsWindowVisible(rebuilt);
      },
      5000));
  ExpectButtons(rebuilt, large);
  EXPECT_GT(large, small);
  // The hide button hides the bar.
  PostMessageA(rebuilt, WM_COMMAND, MAKEWPARAM(26, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(rebuilt, 26)));
  EXPECT_TRUE(WaitUntil([&] { return ClientTop(merva) == 0; }, 5000));
}

}  // namespace
}  // namespace merva::test

namespace merva::test {
namespace {

constexpr char NOTE_HINT[] = "Click and drag or double-click to edit note";

// Tool bar state bit 1: the buttons float in a window of their own.
class FloatingToolBar : public Interaction {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(WriteFileBytes(SettingsFile(), "[ToolBar]\r\nVisible=1\r\nStyle=0x0002\r\n"));
    ASSERT_TRUE(merva.Start("/-logo"));
  }
};

TEST_F(FloatingToolBar, ButtonsFloatAndTheClientKeepsTheTop) {
  std::vector<HWND> floating;
  ASSERT_FALSE((floating = WaitForTopLevel(merva.process.pid, "MERVATOOL")).empty());
  int width = 0;
  ExpectButtons(floating[0], width);
  EXPECT_EQ(ClientTop(merva), 0);
  HWND docked = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
  EXPECT_TRUE(!docked || !IsWindowVisible(docked));
  // Hiding the tool bar hides the floating window.
  merva.Command(4225);
  EXPECT_TRUE(WaitUntil([&] { return TopLevelOf(merva.process.pid, "MERVATOOL").empty(); }, 5000));
}

// EX08 carries a framed, opaque note.
class NoteInteraction : public Interaction {
 protected:
  std::string Example() const override { return "EX08.GRF"; }
};

TEST_F(NoteInteraction, ButtonActivatedNote) {
  POINT note{};
  ASSERT_TRUE(Find(NOTE_HINT, note));
  merva.Command(4370);
  HWND button = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        button = FindChildWindow(merva.document, "MERVANOTE", nullptr);
        return button && IsWindowVisible(button);
      },
      5000));
  // The note's place gives no hint of its own now.
  WaitUntil([&] { return merva.HoverAt(note.x, note.y) != NOTE_HINT; }, 3000);
  for (auto& [text, point] : Survey()) EXPECT_NE(text, NOTE_HINT);
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  PostMessageA(button, WM_LBUTTONUP, 0, At(2, 2));
  // The note opens in its own pop-up, owned through the document window by the frame; any key
  // closes it.
  std::vector<HWND> popups;
  ASSERT_FALSE((popups = WaitForTopLevel(merva.process.pid, "MERVANOTE")).empty());
  EXPECT_EQ(WindowText(popups[0]), "Fill between curves 1 and 2, cross-hatched");
  EXPECT_EQ(GetWindow(popups[0], GW_OWNER), merva.frame);
  PostMessageA(popups[0], WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popups[0]); }, 5000));
  // A mouse press closes it as well.
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  ASSERT_FALSE((popups = WaitForTopLevel(merva.process.pid, "MERVANOTE")).empty());
  PostMessageA(popups[0], WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popups[0]); }, 5000));
  merva.Command(4370);  // back to the note itself
  EXPECT_TRUE(
      WaitUntil([&] { return !FindChildWindow(merva.document, "MERVANOTE", nullptr); }, 5000));
}

}  // namespace
}  // namespace merva::test

namespace merva::test {
namespace {

// EX04 is drawn on a tripartite grid in inches/sec.
class TripartiteInteraction : public Interaction {
 protected:
  std::string Example() const override { return "EX04.GRF"; }
};

TEST_F(TripartiteInteraction, ReadoutShowsDisplacementAndAcceleration) {
  const POINT probe = Center();
  const std::string text = merva.HoverAt(probe.x, probe.y);
  double x = 0, y = 0, z1 = 0, z2 = 0;
  char unit1[16] = {}, unit2[16] = {};
  ASSERT_EQ(std::sscanf(text.c_str(), "X=%lf, Y=%lf, Z1=%lf %15[^,], Z2=%lf %15s", &x, &y, &z1,
                        unit1, &z2, unit2),
            6)
      << text;
  EXPECT_STREQ(unit1, "in.");
  EXPECT_STREQ(unit2, "g");
  const double twoPi = 6.283185307179586;
  EXPECT_NEAR(z1 / (y / (twoPi * x)), 1.0, 1e-5) << text;
  EXPECT_NEAR(z2 / (twoPi * x * y / 386.09), 1.0, 1e-5) << text;
}

// Tool bar buttons follow the greying of their menu commands.
class ToolBarStates : public Interaction {
 protected:
  HWND Tools() { return FindChildWindow(merva.frame, "MERVATOOL", nullptr); }
  bool Enabled(int button) { return IsWindowEnabled(GetDlgItem(Tools(), button)) != 0; }
};

constexpr int SAVE_BUTTON = 3, ZOOM_IN_BUTTON = 22, ZOOM_OUT_BUTTON = 23, NEW_BUTTON = 1;
constexpr int HELP_BUTTON = 25, HIDE_BUTTON = 26;

TEST_F(ToolBarStates, ButtonsGreyWithTheirMenuCommands) {
  ASSERT_TRUE(Tools());
  // Curves in the active window: Save and Zoom in are there, Zoom out is
  // not (no zoom yet). (The menu itself cannot be read from another
  // process under Wine.)
  EXPECT_TRUE(WaitUntil([&] { return Enabled(SAVE_BUTTON) && !Enabled(ZOOM_OUT_BUTTON); }, 5000));
  EXPECT_TRUE(Enabled(ZOOM_IN_BUTTON));
  const RECT r = merva.DocumentClient();
  const POINT c = Center();
  ASSERT_TRUE(Zoom(POINT{c.x - r.right / 5, c.y - r.bottom / 5}, POINT{c.x + 20, c.y + 20}));
  EXPECT_TRUE(WaitUntil([&] { return Enabled(ZOOM_OUT_BUTTON); }, 5000));

  // A new, empty window: every button of a command that needs curves greys.
  HWND first = merva.document;
  merva.Command(4096);
  ASSERT_TRUE(WaitUntil(
      [&] {
        return reinterpret_cast<HWND>(SendMessageA(merva.client, WM_MDIGETACTIVE, 0, 0)) != first;
      },
      5000));
  EXPECT_TRUE(WaitUntil([&] { return !Enabled(SAVE_BUTTON); }, 5000));
  EXPECT_FALSE(Enabled(ZOOM_IN_BUTTON));
  EXPECT_FALSE(Enabled(ZOOM_OUT_BUTTON));
  EXPECT_TRUE(Enabled(NEW_BUTTON));
  EXPECT_TRUE(Enabled(HELP_BUTTON));
  EXPECT_TRUE(Enabled(HIDE_BUTTON));
  // A click that still reaches a greyed button issues no command.
  PostMessageA(Tools(), WM_COMMAND, MAKEWPARAM(ZOOM_IN_BUTTON, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(Tools(), ZOOM_IN_BUTTON)));
  Sleep(700);
  EXPECT_NE(merva.Hint(), ZOOM_HINT);

  // Back to the window with curves: the buttons come back.
  SendMessageA(merva.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  EXPECT_TRUE(WaitUntil([&] { return Enabled(SAVE_BUTTON) && Enabled(ZOOM_IN_BUTTON); }, 5000));
  EXPECT_TRUE(Enabled(ZOOM_OUT_BUTTON));
}

// Dragging the docked bar off the frame floats it; letting the floating
// window go at the top of the frame's client area docks it again.
TEST_F(ToolBarStates, DragToFloatAndBackToDock) {
  HWND docked = Tools();
  ASSERT_TRUE(docked && IsWindowVisible(docked));
  RECT bar{};
  GetWindowRect(docked, &bar);
  RECT client{};
  GetWindowRect(merva.client, &client);
  // The background right of the 26 buttons (the frame is maximized).
  HWND last = GetDlgItem(docked, HIDE_BUTTON);
  RECT lastRect{};
  GetWindowRect(last, &lastRect);
  POINT grab{lastRect.right + 10 - bar.left, 5};
  ASSERT_LT(grab.x, bar.right - bar.left) << "no free room on the docked bar";
  // A short move is a click: nothing happens.
  PostMessageA(docked, WM_LBUTTONDOWN, MK_LBUTTON, At(grab.x, grab.y));
  PostMessageA(docked, WM_MOUSEMOVE, MK_LBUTTON, At(grab.x + 1, grab.y + 1));
  PostMessageA(docked, WM_LBUTTONUP, 0, At(grab.x + 1, grab.y + 1));
  Sleep(700);
  EXPECT_TRUE(IsWindow(docked) && IsWindowVisible(docked));
  EXPECT_TRUE(TopLevelOf(merva.process.pid, "MERVATOOL").empty());
  // A drag down into the document area floats it there.
  const int dropY = grab.y + 200;
  PostMessageA(docked, WM_LBUTTONDOWN, MK_LBUTTON, At(grab.x, grab.y));
  PostMessageA(docked, WM_MOUSEMOVE, MK_LBUTTON, At(grab.x - 100, grab.y + 100));
  PostMessageA(docked, WM_MOUSEMOVE, MK_LBUTTON, At(grab.x - 200, dropY));
  PostMessageA(docked, WM_LBUTTONUP, 0, At(grab.x - 200, dropY));
  std::vector<HWND> floating;
  ASSERT_FALSE((floating = WaitForTopLevel(merva.process.pid, "MERVATOOL")).empty());
  EXPECT_TRUE(WaitUntil([&] { return ClientTop(merva) == 0; }, 5000));
  RECT placed{};
  GetWindowRect(floating[0], &placed);
  EXPECT_GT(placed.top, bar.bottom + 100);
  EXPECT_LT(std::abs(placed.left - (bar.left + grab.x - 200)), 200);
  int width = 0;
  ExpectButtons(floating[0], width);
  // Every button inside the window, and no empty row under the last.
  RECT inner{}, lastFloating{};
  GetClientRect(floating[0], &inner);
  GetWindowRect(GetDlgItem(floating[0], HIDE_BUTTON), &lastFloating);
  POINT lastBottom{lastFloating.right, lastFloating.bottom};
  ScreenToClient(floating[0], &lastBottom);
  EXPECT_LE(lastBottom.x, inner.right);
  EXPECT_LE(lastBottom.y, inner.bottom);
  EXPECT_LT(inner.bottom - lastBottom.y, lastFloating.bottom - lastFloating.top);
  // The floating window let go over the top of the client area docks.
  SetWindowPos(floating[0], nullptr, client.left + 40, client.top - 8, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(floating[0], WM_ENTERSIZEMOVE, 0, 0);
  SendMessageA(floating[0], WM_EXITSIZEMOVE, 0, 0);
  ASSERT_TRUE(WaitUntil(
      [&] {
        HWND again = Tools();
        return again && IsWindowVisible(again) &&
               TopLevelOf(merva.process.pid, "MERVATOOL").empty();
      },
      5000));
  EXPECT_TRUE(WaitUntil([&] { return ClientTop(merva) > 0; }, 5000));
  int dockedWidth = 0;
  ExpectButtons(Tools(), dockedWidth);
  // Let go elsewhere, a floating window stays floating.
  SendMessageA(Tools(), WM_LBUTTONDBLCLK, 0, At(grab.x, grab.y));
  ASSERT_FALSE((floating = WaitForTopLevel(merva.process.pid, "MERVATOOL")).empty());
  SetWindowPos(floating[0], nullptr, client.left + 200, client.top + 250, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(floating[0], WM_EXITSIZEMOVE, 0, 0);
  Sleep(700);
  EXPECT_EQ(TopLevelOf(merva.process.pid, "MERVATOOL").size(), 1u);
  EXPECT_EQ(ClientTop(merva), 0);
  // Nor does one whose top border was dragged up into the band.
  RECT sized{};
  GetWindowRect(floating[0], &sized);
  sized.top = client.top - 4;
  SendMessageA(floating[0], WM_ENTERSIZEMOVE, 0, 0);
  SendMessageA(floating[0], WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&sized));
  SetWindowPos(floating[0], nullptr, sized.left, sized.top, sized.right - sized.left,
               sized.bottom - sized.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(floating[0], WM_EXITSIZEMOVE, 0, 0);
  Sleep(700);
  EXPECT_EQ(TopLevelOf(merva.process.pid, "MERVATOOL").size(), 1u);
  EXPECT_EQ(ClientTop(merva), 0);
}

}  // namespace
}  // namespace merva::test

// What the user sees is what is stored: pages without remnants of other
// pages, lists that show the stored item, the focus where the keyboard put
// it, and labels where a screen reader looks for them.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

// Each page after a switch to it from every other page looks exactly as in
// a window opened straight on it, the focus on the row of tabs in both.
// The window opens on "General", as the program's does, and the user clicks
// the tabs.
TEST(Shown, APageLooksTheSameWhicheverPageWasShownBeforeIt) {
  DriverKeys keys;
  for (int page = 0; page < 5; ++page) {
    Picture straight;
    {
      WindowDriver panel(nullptr, nullptr, page);
      SetFocus(panel.Hwnd("SSTab1"));
      straight = panel.Capture();
    }
    for (int before = 0; before < 5; ++before) {
      if (before == page) continue;
      WindowDriver panel;
      panel.ClickTab(before), panel.ClickTab(page);
      const Picture switched = panel.Capture();
      const int differ = Differences(switched, straight);
      EXPECT_EQ(differ, 0) << "page " << page << " after page " << before;
      if (differ) {
        SaveBmp(straight, "page" + std::to_string(page) + ".bmp");
        SaveBmp(switched,
                "page" + std::to_string(page) + "-after" + std::to_string(before) + ".bmp");
      }
    }
  }
}

// Hovering over the items of the open EQ list, then closing it without a
// choice, shows the stored item again and writes nothing; a choice by
// mouse or by Enter writes its row once.
TEST(Shown, AListClosedWithoutAChoiceShowsTheStoredItem) {
  DriverKeys keys;
  WindowDriver panel(nullptr, nullptr, 4);
  HWND list = panel.Hwnd("cboAnalogEQ");
  COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
  GetComboBoxInfo(list, &info);
  const auto hover = [&](int item) {
    RECT r{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    panel.Deliver(info.hwndList, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2));
  };
  const std::string stored = Dump();
  // Closed by Esc, then by a click elsewhere.
  for (int close = 0; close < 2; ++close) {
    panel.Click(list);
    ASSERT_TRUE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    hover(4), hover(5);
    if (close == 0) panel.Key(VK_ESCAPE);
    if (close == 1) panel.Click("chkDetIn"), panel.Click("chkDetIn");
    EXPECT_FALSE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(panel.Look(list), L"None") << close;
    EXPECT_EQ(Dump(), stored) << close;
  }
  panel.Click(list), hover(5), panel.Key(VK_RETURN);
  EXPECT_EQ(panel.Look(list), L"Video");
  EXPECT_EQ(
      Values(
          R"(Customization\SupportAnalogEQ ControlPanel\AnalogEQSrcLine ControlPanel\AnalogEQEnableState)"),
      "Customization\\SupportAnalogEQ=dword:00000001\n"
      "ControlPanel\\AnalogEQSrcLine=dword:00000004\n"
      "ControlPanel\\AnalogEQEnableState=dword:00000001\n");
}

// Ctrl+Tab and Ctrl+Shift+Tab leave the focus on the row of tabs, from
// where Tab goes on into the page; the arrows move the choice round an
// option group, each move written as a click.
TEST(Shown, KeyboardFocusFollowsPageSwitchesAndOptionGroups) {
  DriverKeys keys;
  WindowDriver panel;
  HWND tabs = panel.Hwnd("SSTab1");
  SetFocus(panel.Hwnd("chkA3DSplash"));
  panel.Key(VK_TAB, {VK_CONTROL});
  EXPECT_EQ(panel.form().Page(), 1);
  EXPECT_EQ(panel.Focus(), tabs);
  panel.Key(VK_TAB);
  EXPECT_EQ(panel.Focus(), panel.Hwnd("chkMIDIfx"));
  panel.Key(VK_TAB, {VK_CONTROL, VK_SHIFT});
  panel.Key(VK_TAB, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(panel.form().Page(), 4);
  EXPECT_EQ(panel.Focus(), tabs);
  panel.Key(VK_TAB);
  EXPECT_EQ(panel.Focus(), panel.Hwnd("cboAnalogEQ"));

  // The key, the button it reaches, the rate stored.
  SetFocus(panel.Captioned(L"&32 kHz"));
  const std::tuple<UINT, const wchar_t*, const char*> rates[] = {
      {VK_RIGHT, L"&44.1 kHz", "dword:0000ac44"},
      {VK_DOWN, L"4&8 kHz", "dword:0000bb80"},
      {VK_RIGHT, L"&32 kHz", "dword:00007d00"},
      {VK_LEFT, L"4&8 kHz", "dword:0000bb80"},
      {VK_UP, L"&44.1 kHz", "dword:0000ac44"}};
  for (const auto& [key, reached, stored] : rates) {
    panel.Key(key);
    EXPECT_EQ(panel.Focus(), panel.Captioned(reached));
    EXPECT_EQ(panel.Look(reached), L"1");
    EXPECT_EQ(Values("Customization\\SpdifFrequency"),
              std::string("Customization\\SpdifFrequency=") + stored + "\n");
  }
  EXPECT_EQ(panel.Look("lblDigOut"), L"44100");
  panel.ClickTab(2);
  SetFocus(panel.Captioned(L"&Stereo"));
  for (auto [key, mode] : {std::pair{VK_LEFT, 1}, {VK_RIGHT, 0}, {VK_DOWN, 1}}) {
    panel.Key(key);
    EXPECT_EQ(Values("ControlPanel\\QuadCodecOutputModeState"),
              "ControlPanel\\QuadCodecOutputModeState=dword:0000000" + std::to_string(mode) + "\n");
    EXPECT_EQ(panel.Look("lblQuad"), mode ? L"Quad" : L"Stereo");
  }
}

// The Tab key visits Picture1 after ListView1 and before OK, and a focus
// rectangle shows it there.
TEST(Shown, ThePictureTakesTheFocusAndShowsIt) {
  DriverKeys keys;
  WindowDriver panel;
  HWND picture = panel.Hwnd("Picture1");
  SetFocus(panel.Hwnd("ListView1"));
  const Picture before = panel.Capture();
  panel.Key(VK_TAB);
  EXPECT_EQ(panel.Focus(), picture);
  const Picture focused = panel.Capture();
  panel.Key(VK_TAB);
  EXPECT_EQ(panel.Focus(), panel.Hwnd("cmdOK"));
  // The rectangle runs along the picture's edges.
  RECT box, window;
  GetWindowRect(picture, &box);
  GetWindowRect(panel.form().hwnd(), &window);
  OffsetRect(&box, -window.left, -window.top);
  int marked = 0;
  for (int x = box.left; x < box.right; ++x)
    marked += before.At(x, box.top) != focused.At(x, box.top);
  EXPECT_GT(marked, (box.right - box.left) / 3);
}

// Each picture fills its box, whatever the display: what differs from the
// dialog's colour reaches within a few pixels of every edge of the box.
TEST(Shown, PicturesFillTheirBoxes) {
  DriverKeys keys;
  for (auto [page, name] : {std::pair{0, "Picture1"}, {0, "Image1"}, {2, "Image2"}}) {
    WindowDriver panel(nullptr, nullptr, page);
    const Picture window = panel.Capture();
    RECT box, frame;
    GetWindowRect(panel.Hwnd(name), &box);
    GetWindowRect(panel.form().hwnd(), &frame);
    OffsetRect(&box, -frame.left, -frame.top);
    const unsigned face = GetSysColor(COLOR_BTNFACE);
    const unsigned dialog = (face & 0xFF) << 16 | (face & 0xFF00) | face >> 16;
    RECT ink{box.right, box.bottom, box.left, box.top};
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) {
        if (window.At(x, y) == dialog) continue;
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
               std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
      }
    }
    const int slack = 4 * panel.form().Dpi() / 96;
    EXPECT_TRUE(ink.left - box.left <= slack && ink.top - box.top <= slack &&
                box.right - ink.right <= slack && box.bottom - ink.bottom <= slack)
        << name << ": ink " << ink.left - box.left << "," << ink.top - box.top << " to "
        << ink.right - box.left << "," << ink.bottom - box.top << " of " << box.right - box.left
        << "x" << box.bottom - box.top;
  }
}

// In window order each naming label stands just before the control it
// names, as a screen reader expects; overlapping controls keep the one in
// front that shows whole.
TEST(Shown, EachLabelStandsJustBeforeTheControlItNames) {
  DriverKeys keys;
  WindowDriver panel;
  for (int page = 1; page < 5; ++page) panel.ClickTab(page);
  const std::pair<const char*, const char*> named[] = {
      {"Label7", "hsbPCM1"},     {"Label8", "hsbPCM2"},          {"Label9", "hsbFront"},
      {"Label10", "hsbRear"},    {"Label4", "cboWavetableMode"}, {"Label5", "cboAnalogEQ"},
      {"Picture1", "ListView1"}, {"cmdDO", "chkDetOut"},         {"cmdDI", "chkDetIn"}};
  for (auto [before, control] : named) {
    EXPECT_EQ(GetWindow(panel.Hwnd(control), GW_HWNDPREV), panel.Hwnd(before)) << control;
  }
}

// Each page on a freshly installed driver, saved for tests/pictures/compare
// to hold against the reviewed reference pictures; the pointer is moved off
// the window first.
TEST(Shown, PagesSavedForComparison) {
  const char* folder = std::getenv("CALVANE_PICTURES");
  if (!folder) GTEST_SKIP() << "CALVANE_PICTURES names no folder";
  DriverKeys keys;
  const char* names[] = {"1-General", "2-MIDI", "3-A3D-Settings", "4-AC97-Controls",
                         "5-Digital-Out-EQ"};
  for (int page = 0; page < 5; ++page) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    WindowDriver panel(nullptr, nullptr, page);
    SaveBmp(panel.Capture(), std::string(folder) + "\\" + names[page] + ".bmp");
  }
}

}  // namespace
}  // namespace calvane::test

// What the user sees: pages without remnants of other pages, the focus
// where the keyboard put it, and each page held against its reference
// picture.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

// Each test on a freshly installed driver's values.
struct Shown : testing::Test {
  DriverKeys keys;
};

// Each page after a switch to it from every other page looks exactly as in
// a window opened straight on it, the focus on the row of tabs in both.
// The window opens on "General", as the program's does, and the user clicks
// the tabs.
TEST_F(Shown, APageLooksTheSameWhicheverPageWasShownBeforeIt) {
  for (int page = 0; page < 5; ++page) {
    const Picture straight = [page] {
      WindowDriver panel(nullptr, nullptr, page);
      SetFocus(panel.Hwnd("SSTab1"));
      return panel.Capture();
    }();
    for (int before = 0; before < 5; ++before) {
      if (before == page) continue;
      WindowDriver panel;
      panel.PressTab(before), panel.PressTab(page);
      const Picture switched = panel.Capture();
      const std::string name = "page" + std::to_string(page + 1) + "-after" + std::to_string(before + 1);
      EXPECT_TRUE(switched == straight) << name << ".ppm and its -straight.ppm kept";
      if (switched != straight) SavePpm(switched, name + ".ppm"), SavePpm(straight, name + "-straight.ppm");
    }
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab leave the focus on the row of tabs, from
// where Tab goes on into the page; the arrows move the choice round an
// option group (the rates: three buttons, so both ways round), each move
// written as a click.
TEST_F(Shown, KeyboardFocusFollowsPageSwitchesAndOptionGroups) {
  WindowDriver panel;
  SetFocus(panel.Hwnd("chkA3DSplash"));
  // The modifiers held with Tab, the page shown then, the control Tab goes on to.
  for (auto [held, page, next] : {std::tuple{std::vector<UINT>{VK_CONTROL}, 1, "chkMIDIfx"},
                                  {{VK_CONTROL, VK_SHIFT}, 0, "chkPlayA3D"},
                                  {{VK_CONTROL, VK_SHIFT}, 4, "cboAnalogEQ"}}) {
    panel.Key(VK_TAB, held);
    EXPECT_TRUE(panel.form().Page() == page && GetFocus() == panel.Hwnd("SSTab1")) << page;
    panel.Key(VK_TAB);
    EXPECT_EQ(GetFocus(), panel.Hwnd(next));
  }

  // The key, the button it reaches, the rate stored.
  SetFocus(panel.Hwnd("&32 kHz"));
  // clang-format off
  const std::tuple<UINT, const char*, const char*> rates[] = {{VK_RIGHT, "&44.1 kHz", "0000ac44"},
      {VK_DOWN, "4&8 kHz", "0000bb80"}, {VK_RIGHT, "&32 kHz", "00007d00"}, {VK_LEFT, "4&8 kHz", "0000bb80"},
      {VK_UP, "&44.1 kHz", "0000ac44"}};
  // clang-format on
  for (const auto& [key, reached, stored] : rates) {
    panel.Key(key);
    EXPECT_TRUE(GetFocus() == panel.Hwnd(reached) && panel.Look(reached) == L"1") << reached;
    EXPECT_EQ(Values("Customization\\SpdifFrequency"),
              "Customization\\SpdifFrequency=dword:" + std::string(stored) + "\n");
  }
  EXPECT_EQ(panel.Look("lblDigOut"), L"44100");
}

// Each page on a freshly installed driver, saved for tests/pictures/compare
// to hold against the reviewed reference pictures; the pointer is moved off
// the window first. Last, the EQ list opened under a pointer that rested on
// it, long enough for its tip to show: no tip over the list.
TEST_F(Shown, PagesSavedForComparison) {
  const char* folder = std::getenv("CALVANE_PICTURES");
  if (!folder) GTEST_SKIP() << "CALVANE_PICTURES names no folder";
  const char* names[] = {"1-General", "2-MIDI", "3-A3D-Settings", "4-AC97-Controls", "5-Digital-Out-EQ"};
  for (int page = 0; page < 5; ++page) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    WindowDriver panel(nullptr, nullptr, page);
    SavePpm(panel.Capture(), std::string(folder) + "\\" + names[page] + ".ppm");
  }
  WindowDriver panel(nullptr, nullptr, 4);
  HWND list = panel.Hwnd("cboAnalogEQ");
  panel.Hover(list);
  panel.Click(list);
  for (int i = 0; i < 30; ++i) Sleep(50), panel.Pump();
  COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
  GetComboBoxInfo(list, &info);
  SavePpm(panel.Capture(info.hwndList), std::string(folder) + "\\6-Open-List.ppm");
  panel.Key(VK_ESCAPE);
}

}  // namespace
}  // namespace calvane::test

// The window on the display it runs on (ctest runs this at 96, 120 and 144
// dpi, each in a prefix of its own): the window and every control scale with
// the display, stay inside what contains them, and show their captions whole.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <memory>

#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane {
namespace {

// A text drawn in the control's font: on one line, or wrapped at word
// boundaries within `width`.
SIZE Extent(HWND control, const std::wstring& text, int width = 0) {
  std::unique_ptr<HDC__, decltype(&DeleteDC)> dc(CreateCompatibleDC(nullptr), &DeleteDC);
  SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextW(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | (width ? DT_WORDBREAK : DT_SINGLELINE));
  return {r.right, r.bottom};
}

TEST(Display, ControlsScaleStayInsideAndShowTheirCaptionsWhole) {
  test::TestRegistry registry;
  registry.SetFreshInstall();
  registry.SetDword(Setting::ChorusAmount, 127);  // the widest numbers the labels show
  registry.SetDword(Setting::AC97PCMOutVol, 31);
  test::WindowDriver panel;
  // The window reads the display's LogPixels, which the prefix sets.
  const int dpi = panel.form().Dpi();
  const char* asked = std::getenv("CALVANE_DPI");
  ASSERT_EQ(dpi, asked ? std::atoi(asked) : dpi);
  auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
  HWND form = panel.form().hwnd(), tabs = panel.Hwnd("SSTab1");
  auto place = [form](HWND control, RECT r = {}) {  // in the window's client area
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  RECT client, item, pages = place(tabs);
  GetClientRect(form, &client);
  EXPECT_NEAR(client.right, px(kFormWidth), 1);
  EXPECT_NEAR(client.bottom, px(kFormHeight), 1);
  // The pages lie below the row of tabs, whose captions wrap within them.
  for (int i = 0; i < kPageCount; ++i) {
    TabCtrl_GetItemRect(tabs, i, &item);
    const SIZE text = Extent(tabs, kPageCaptions[i], item.right - item.left - 4);
    EXPECT_TRUE(text.cx + 4 <= item.right - item.left && text.cy <= item.bottom - item.top) << i;
  }
  pages.top += item.bottom;
  const int edge = 2 * GetSystemMetrics(SM_CXEDGE);
  const int glyph = GetSystemMetrics(SM_CXMENUCHECK) + Extent(tabs, L"0").cx / 2;

  for (const ControlRow& row : FormRows()) {
    SCOPED_TRACE(row.name);
    HWND hwnd = row.kind == Kind::Option ? panel.Option(row.name, row.index) : panel.Hwnd(row.name);
    const RECT r = place(hwnd);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int left = row.left, top = row.top;
    for (const ControlRow* c = &row; std::string_view(c->container) != "Form1";)
      c = &Row(c->container), left += c->left, top += c->top;
    EXPECT_NEAR(r.left, px(left), 1);
    EXPECT_NEAR(r.top, px(top), 1);
    EXPECT_NEAR(width, px(row.width), 1);
    // A drop-down list is as high as its font needs; a label may grow to fit
    // its caption.
    const bool list = row.kind == Kind::DropDown;
    const int h = px(row.height);
    EXPECT_NEAR(list ? h : row.kind == Kind::Label ? std::min(height, h) : height, h, 1);
    const std::string_view in = row.container;
    HWND frame = in == "Form1" || in == "SSTab1" ? nullptr : panel.Hwnd(row.container);
    const RECT o = frame ? place(frame) : in == "SSTab1" ? pages : client;
    // Inside what contains it, and clear of its frame's caption.
    const SIZE title = frame ? Extent(frame, panel.Text(frame)) : SIZE{};
    EXPECT_TRUE(r.left >= o.left && r.top >= o.top && r.right <= o.right && r.bottom <= o.bottom &&
                (r.top >= o.top + title.cy || r.left >= o.left + title.cx + 2 * edge));

    // Every text whole: a label's wrapped within it, any other on one line
    // beside a box's glyph or a list's arrow, or within a button's edges.
    const int margin = row.kind == Kind::DropDown ? GetSystemMetrics(SM_CXVSCROLL) + edge
                       : row.kind == Kind::CheckBox || row.kind == Kind::Option ? glyph
                       : row.kind == Kind::Label                                ? 0
                                                                                : edge;
    for (const std::wstring& text : list ? ListItems(row.name) : std::vector{panel.Text(hwnd)}) {
      const SIZE need = Extent(hwnd, text, row.kind == Kind::Label ? width : 0);
      EXPECT_TRUE(need.cx + margin <= width && need.cy <= height) << need.cx << "x" << need.cy;
    }
  }
}

}  // namespace
}  // namespace calvane

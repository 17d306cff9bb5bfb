// The window on the display it runs on (ctest runs this at 96, 120 and 144
// dpi, each in a prefix of its own): the window and every control scale with
// the display, stay inside what contains them, and show their captions whole.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane {
namespace {

using Dc = std::unique_ptr<HDC__, std::function<void(HDC)>>;
Dc DcOf(HWND hwnd) {
  return Dc(GetDC(hwnd), [hwnd](HDC dc) { ReleaseDC(hwnd, dc); });
}

// A text drawn in the control's font: on one line, or wrapped at word
// boundaries within `width`.
SIZE Extent(HWND control, const std::wstring& text, int width = 0) {
  Dc dc = DcOf(control);
  SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextW(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | (width ? DT_WORDBREAK : DT_SINGLELINE));
  return {r.right, r.bottom};
}

std::wstring TextOf(HWND control) {
  wchar_t text[512] = L"";
  GetWindowTextW(control, text, 512);
  return text;
}

bool Inside(RECT in, RECT out) {
  RECT both;
  UnionRect(&both, &in, &out);
  return EqualRect(&both, &out);
}

TEST(Display, ControlsScaleStayInsideAndShowTheirCaptionsWhole) {
  test::TestRegistry registry;
  registry.SetFreshInstall();
  registry.SetDword(Setting::ChorusAmount, 127);  // the widest numbers the labels show
  registry.SetDword(Setting::AC97PCMOutVol, 31);
  test::WindowDriver panel;
  HWND form = panel.form().hwnd(), tabs = panel.Hwnd("SSTab1");
  const int dpi = GetDeviceCaps(DcOf(nullptr).get(), LOGPIXELSY);
  const char* asked = std::getenv("CALVANE_DPI");
  ASSERT_EQ(dpi, asked ? std::atoi(asked) : dpi) << "the prefix's LogPixels";
  ASSERT_EQ(panel.form().Dpi(), dpi);
  auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
  auto place = [form](HWND control) {  // in the window's client area
    RECT r;
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
    const SIZE caption = Extent(tabs, kPageCaptions[i], item.right - item.left - 4);
    EXPECT_LE(caption.cx, item.right - item.left - 4) << i;
    EXPECT_LE(caption.cy, item.bottom - item.top) << i;
  }
  pages.top += item.bottom;
  const int glyph = GetSystemMetrics(SM_CXMENUCHECK) + Extent(tabs, L"0").cx / 2;
  const int edge = 2 * GetSystemMetrics(SM_CXEDGE);

  for (const ControlRow& row : FormRows()) {
    SCOPED_TRACE(row.name);
    HWND hwnd = row.kind == Kind::Option ? FindWindowExW(form, nullptr, WC_BUTTONW, row.caption)
                                         : panel.Hwnd(row.name);
    const RECT r = place(hwnd);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int left = row.left, top = row.top;
    for (const ControlRow* c = &row; c->container != std::string_view("Form1");) {
      c = &Row(c->container);
      left += c->left;
      top += c->top;
    }
    EXPECT_NEAR(r.left, px(left), 1);
    EXPECT_NEAR(r.top, px(top), 1);
    EXPECT_NEAR(width, px(row.width), 1);
    // A drop-down list is as high as its font needs; a label may grow to fit
    // its caption.
    const bool free =
        row.kind == Kind::DropDown || (row.kind == Kind::Label && height > px(row.height));
    EXPECT_NEAR(free ? px(row.height) : height, px(row.height), 1);
    EXPECT_TRUE(Inside(r, row.page < 0 ? client : pages));
    if (row.page >= 0 && row.container != std::string_view("SSTab1")) {
      // Inside its frame, and clear of the frame's caption.
      HWND frame = panel.Hwnd(row.container);
      const RECT outer = place(frame);
      const SIZE caption = Extent(frame, TextOf(frame));
      RECT overlap,
          title{outer.left, outer.top, outer.left + caption.cx + 2 * edge, outer.top + caption.cy};
      EXPECT_TRUE(Inside(r, outer));
      EXPECT_FALSE(IntersectRect(&overlap, &r, &title));
    }

    const std::wstring text = TextOf(hwnd);
    const SIZE one = Extent(hwnd, text), wrapped = Extent(hwnd, text, width);
    if (row.kind == Kind::Label) {
      EXPECT_LE(wrapped.cx, width) << wrapped.cx;
      EXPECT_LE(wrapped.cy, height) << wrapped.cy;
    } else if (row.kind == Kind::CheckBox || row.kind == Kind::Option) {
      EXPECT_LE(one.cx + glyph, width) << one.cx;
      EXPECT_LE(one.cy, height);
    } else if (row.kind == Kind::PushButton || row.kind == Kind::Frame) {
      EXPECT_LE(one.cx + edge, width) << one.cx;
    }
    for (const std::wstring& entry : ListItems(row.name)) {
      EXPECT_LE(Extent(hwnd, entry).cx + GetSystemMetrics(SM_CXVSCROLL) + edge, width);
      EXPECT_LE(Extent(hwnd, entry).cy, height);
    }
  }
}

}  // namespace
}  // namespace calvane

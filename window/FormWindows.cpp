#include "window/FormWindows.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "window/PaintedWindows.h"

namespace calvane {
namespace {

constexpr int kFirstId = 100;

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

FormWindows::FormWindows(HWND form, ControlTable& table, int dpi, HFONT font,
                         std::function<void(const ControlTable::Item&)> made)
    : form_(form), table_(table), dpi_(dpi), font_(font), made_(std::move(made)) {}

RECT FormWindows::PixelRect(const ControlRow& row) const {
  int left = row.place.left, top = row.place.top;
  for (const ControlRow* outer = row.container; outer; outer = outer->container) {
    left += outer->place.left;
    top += outer->place.top;
  }
  auto px = [this](int twips) { return MulDiv(twips, dpi_, 1440); };
  return {px(left), px(top), px(left + row.place.width), px(top + row.place.height)};
}

void FormWindows::CreatePage(int page) {
  bool& created = created_[page + 1];
  if (created) return;
  created = true;
  // A new child window goes behind its siblings, so the rows, which run
  // front first, are made in their order; the tab control then goes back
  // behind them all.
  for (ControlTable::Item& item : table_.items()) {
    if (item.row->page == page) CreateWindowOf(item);
  }
  SetWindowPos(table_.Of(*table_.declared().tabs).hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ClipLabels(page);
  if (page >= 0) ClipToPage(page);
}

void FormWindows::ClipToPage(int page) {
  // A frame or the list view laid out at the page's very top reaches, at
  // some resolutions, over the border the tab control draws along the top of
  // the page; it gives up the rows above the page's inside, so that the
  // border shows whole. A frame's caption letters start lower down.
  HWND tabs = table_.Of(*table_.declared().tabs).hwnd();
  RECT inside;
  GetClientRect(tabs, &inside);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
  MapWindowPoints(tabs, form_, reinterpret_cast<POINT*>(&inside), 2);
  for (const ControlTable::Item& item : table_.items()) {
    if (item.row->page != page ||
        (item.row->kind != Kind::Frame && item.row->kind != Kind::ListView) ||
        item.row->container != table_.declared().tabs) {
      continue;
    }
    RECT frame;
    GetWindowRect(item.control->hwnd(), &frame);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&frame), 2);
    if (frame.top >= inside.top) continue;
    // The window owns its region from here on.
    HRGN shape = CreateRectRgn(0, inside.top - frame.top, frame.right - frame.left,
                               frame.bottom - frame.top);
    if (!SetWindowRgn(item.control->hwnd(), shape, FALSE)) DeleteObject(shape);
  }
}

void FormWindows::ClipLabels(int page) {
  // A label stands in front of the control it names, as a screen reader
  // expects, and may overlap it by a few pixels: it gives that part up, so
  // that the control behind it shows whole.
  const auto& items = table_.items();
  for (auto label = items.begin(); label != items.end(); ++label) {
    if (label->row->page != page || label->row->kind != Kind::Label) continue;
    const RECT r = PixelRect(*label->row);
    HRGN shape = CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top);
    bool clipped = false;
    for (auto behind = label + 1; behind != items.end(); ++behind) {
      const ControlRow& row = *behind->row;
      const RECT b = PixelRect(row);
      if (row.page != page || row.container != label->row->container || row.kind == Kind::Frame ||
          !Overlap(r, b)) {
        continue;
      }
      HRGN cut = CreateRectRgn(b.left - r.left, b.top - r.top, b.right - r.left, b.bottom - r.top);
      CombineRgn(shape, shape, cut, RGN_DIFF);
      DeleteObject(cut);
      clipped = true;
    }
    // The window owns its region from here on.
    if (!clipped || !SetWindowRgn(label->control->hwnd(), shape, FALSE)) DeleteObject(shape);
  }
}

void FormWindows::CreateWindowOf(ControlTable::Item& item) {
  const ControlRow& row = *item.row;
  // A frame is the parent window of what it holds.
  const bool framed = row.container && row.container->kind == Kind::Frame;
  HWND parent = framed ? table_.Of(*row.container).hwnd() : form_;
  const int id = kFirstId + static_cast<int>(&item - table_.items().data());
  const wchar_t* cls = WC_BUTTONW;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  switch (row.kind) {
    case Kind::Tabs:
      cls = WC_TABCONTROLW;
      style |= WS_TABSTOP | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH;
      break;
    case Kind::PushButton:
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case Kind::CheckBox:
      style |= WS_TABSTOP | BS_3STATE;  // not automatic: the model keeps the state
      break;
    case Kind::Option:
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      break;
    case Kind::Frame:
      style |= BS_GROUPBOX | WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case Kind::Label:
      cls = WC_STATICW;
      style |= SS_LEFT | SS_NOTIFY;  // takes the pointer, for its tooltip
      break;
    case Kind::DropDown:
      cls = WC_COMBOBOXW;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case Kind::ScrollBar:
      cls = WC_SCROLLBARW;
      style |= WS_TABSTOP | SBS_HORZ;
      break;
    case Kind::Slider:
      cls = TRACKBAR_CLASSW;
      style |= WS_TABSTOP | TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS;
      break;
    case Kind::ListView:
      cls = WC_LISTVIEWW;
      style |= WS_TABSTOP | LVS_ICON;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Picture:
    case Kind::Image:
      cls = kPictureClass;
      if (row.tab >= 0) style |= WS_TABSTOP;
      break;
  }
  if (row.disabled) style |= WS_DISABLED;
  style |= WS_VISIBLE;

  RECT r = PixelRect(row);
  if (framed) {
    const RECT frame = PixelRect(*row.container);
    OffsetRect(&r, -frame.left, -frame.top);
  }
  int height = r.bottom - r.top;
  // A list's window holds its dropped list too.
  if (row.kind == Kind::DropDown) height *= static_cast<DropDown&>(*item.control).Count() + 1;
  HWND hwnd = CreateWindowExW(exStyle, cls, row.caption ? row.caption : L"", style, r.left, r.top,
                              r.right - r.left, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  switch (row.kind) {
    case Kind::Tabs:
      SetUpTabs(hwnd, r);
      break;
    case Kind::Label:
      FitLabel(hwnd, row, r);
      break;
    case Kind::Frame:
      MakeFrame(hwnd);
      break;
    case Kind::Picture:
    case Kind::Image: {
      // One picture pixel to one screen pixel at 96 dpi, where the box is
      // exactly the picture's size; scaled to fill the box on larger displays.
      pictures_.push_back(
          std::make_unique<Picture>(LoadPicture(row.picture, r.right - r.left, r.bottom - r.top)));
      SetPicture(hwnd, pictures_.back().get());
      break;
    }
    default:
      break;
  }
  item.control->Attach(hwnd);
  if (made_) made_(item);
}

void FormWindows::SetUpTabs(HWND tabs, const RECT& r) {
  for (const wchar_t* caption : kPageCaptions) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(caption);
    SendMessageW(tabs, TCM_INSERTITEMW, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0),
                 reinterpret_cast<LPARAM>(&tab));
  }
  // Five tabs of equal width in one row, tall enough for a caption that
  // wraps onto a second line.
  HDC dc = GetDC(tabs);
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(tabs, dc);
  tabWidth_ = (r.right - r.left - 4) / kPageCount;
  // Drawn the classic way, so that its pages have the dialog colour that the
  // labels and boxes on them are drawn with.
  SetWindowTheme(tabs, L" ", L" ");
  SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, 2 * tm.tmHeight + 4));
}

void FormWindows::FitLabel(HWND label, const ControlRow& row, const RECT& r) {
  // The font's widths do not scale exactly with the display, so a long
  // caption may wrap onto one more line than it does at 96 dpi (the A3D
  // page's text at 120 dpi): the label then gets the height it needs.
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, font_);
  RECT text{0, 0, r.right - r.left, 0};
  DrawTextW(dc, row.caption, -1, &text, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  if (text.bottom > r.bottom - r.top) {
    SetWindowPos(label, nullptr, 0, 0, r.right - r.left, text.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void FormWindows::DrawTab(const DRAWITEMSTRUCT& draw) const {
  const wchar_t* caption = kPageCaptions[draw.itemID % kPageCount];
  HGDIOBJ old = SelectObject(draw.hDC, font_);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(COLOR_BTNTEXT));
  // Wrapped to the width of an unselected tab, so that a caption keeps its
  // lines when its tab is selected and drawn wider.
  RECT text = draw.rcItem;
  const int wrap = tabWidth_ - 8;
  text.left += (text.right - text.left - wrap) / 2;
  text.right = text.left + wrap;
  RECT measured = text;
  DrawTextW(draw.hDC, caption, -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  // The tab's focus rectangle leaves a two-line caption hardly a pixel above
  // and below; a caption's cells have more room above their ink than below
  // it, so the caption sits a little above the middle to keep clear of both.
  text.top += std::max(0L, (text.bottom - text.top - height) / 2 - MulDiv(2, dpi_, 96));
  DrawTextW(draw.hDC, caption, -1, &text, DT_CENTER | DT_WORDBREAK);
  SelectObject(draw.hDC, old);
}

}  // namespace calvane

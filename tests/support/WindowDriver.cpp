#include "tests/support/WindowDriver.h"

#include <commctrl.h>

#include "window/FormLayout.h"

namespace calvane::test {
namespace {

thread_local WindowDriver* watched = nullptr;

}  // namespace

WindowDriver::WindowDriver(Store* store, bool show, MessageBoxes* realBoxes) {
  if (!store) {
    ownStore_ = std::make_unique<SystemRegistry>();
    store = ownStore_.get();
  }
  form_ = std::make_unique<Form1>(*store, realBoxes ? *realBoxes : boxes_,
                                  [this] { unloaded_ = true; });
  if (show) {
    form_->Load();
    form_->Show();
    Pump();
  }
}

WindowDriver::~WindowDriver() {
  // What the watch looks at may be gone already.
  hook_.reset();
  if (watched == this) watched = nullptr;
  form_.reset();
  Pump();
}

void WindowDriver::Watch(std::function<void(const MSG&)> watch) {
  watch_ = std::move(watch);
  watched = this;
  if (!hook_) hook_.reset(SetWindowsHookExW(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId()));
}

LRESULT CALLBACK WindowDriver::Taken(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && watched && watched->watch_) {
    watched->watch_(*reinterpret_cast<const MSG*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WindowDriver::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (form_ && form_->PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WindowDriver::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageW(hwnd, message, wParam, lParam);
}

void WindowDriver::Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Post(hwnd, message, wParam, lParam);
  Pump();
}

HWND WindowDriver::Option(const char* name, int index) {
  for (const ControlRow& row : FormRows()) {
    if (row.kind == Kind::Option && row.index == index && std::string_view(name) == row.name) {
      return FindWindowExW(form_->hwnd(), nullptr, WC_BUTTONW, row.caption);
    }
  }
  return nullptr;
}

std::string WindowDriver::Name(HWND hwnd) {
  for (const ControlRow& row : FormRows()) {
    if (row.kind != Kind::Option ? Hwnd(row.name) == hwnd : Option(row.name, row.index) == hwnd) {
      return row.kind != Kind::Option ? row.name : row.name + std::to_string(row.index);
    }
  }
  return {};
}

void WindowDriver::ClickOnScreen(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  HWND target = WindowFromPoint(at);
  ScreenToClient(target, &at);
  Click(target, at);
}

void WindowDriver::ClickTab(int page) {
  HWND tabs = Hwnd("SSTab1");
  RECT r{};
  SendMessageW(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&r));
  Click(tabs, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void WindowDriver::Click(HWND control, POINT at) {
  if (at.x < 0) {
    RECT r;
    GetClientRect(control, &r);
    at = {r.right / 2, r.bottom / 2};
  }
  Drag(control, at, at);
}

void WindowDriver::Drag(HWND control, POINT from, POINT to) {
  Post(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  if (from.x != to.x || from.y != to.y) {
    Post(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    Post(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  }
  Post(control, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  Pump();
}

void WindowDriver::Key(UINT vk, std::vector<UINT> modifiers) {
  BYTE state[256];
  GetKeyboardState(state);
  for (UINT m : modifiers) state[m] |= 0x80;
  SetKeyboardState(state);
  HWND target = GetFocus() ? GetFocus() : form_->hwnd();
  const UINT scan = MapVirtualKeyW(vk, 0);
  Post(target, WM_KEYDOWN, vk, 1 | (scan << 16));
  Post(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
  Pump();
  for (UINT m : modifiers) state[m] &= ~0x80;
  SetKeyboardState(state);
}

void WindowDriver::AltKey(wchar_t letter) {
  HWND target = GetFocus() ? GetFocus() : form_->hwnd();
  Post(target, WM_SYSCHAR, letter, 1 | (1u << 29));
  Pump();
}

void WindowDriver::Char(wchar_t c) {
  Post(GetFocus() ? GetFocus() : form_->hwnd(), WM_CHAR, c, 1);
  Pump();
}

std::wstring WindowDriver::Text(HWND hwnd) {
  std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
  return text;
}

RECT WindowDriver::Thumb(HWND bar, int* arrow) {
  RECT thumb{};
  SCROLLBARINFO info{sizeof info, {}, 0, 0, 0, 0, {}};
  if (GetScrollBarInfo(bar, OBJID_CLIENT, &info)) {
    thumb = {info.xyThumbTop, 0, info.xyThumbBottom,
             info.rcScrollBar.bottom - info.rcScrollBar.top};
  } else {
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  }
  if (arrow) *arrow = info.dxyLineButton;
  return thumb;
}

int WindowDriver::Shown(HWND hwnd) {
  wchar_t kind[64] = {};
  GetClassNameW(hwnd, kind, 64);
  const auto is = [&kind](const wchar_t* name) { return lstrcmpiW(kind, name) == 0; };
  if (is(WC_BUTTONW)) return static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  if (is(WC_COMBOBOXW)) return static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
  if (is(WC_SCROLLBARW)) return GetScrollPos(hwnd, SB_CTL);
  if (is(TRACKBAR_CLASSW)) return static_cast<int>(SendMessageW(hwnd, TBM_GETPOS, 0, 0));
  return 0;
}

std::wstring WindowDriver::States() {
  std::wstring all;
  for (const ControlRow& row : FormRows()) {
    HWND hwnd = row.kind == Kind::Option ? Option(row.name, row.index) : Hwnd(row.name);
    all += Text(hwnd) + L" = " + std::to_wstring(Shown(hwnd)) +
           (IsWindowEnabled(hwnd) ? L"\n" : L", disabled\n");
  }
  return all;
}

}  // namespace calvane::test

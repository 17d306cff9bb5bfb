#include "tests/support/WindowDriver.h"

namespace calvane::test {

WindowDriver::WindowDriver(Store* store, bool show) {
  if (!store) {
    ownStore_ = std::make_unique<SystemRegistry>();
    store = ownStore_.get();
  }
  form_ = std::make_unique<Form1>(*store, boxes_, [this] { unloaded_ = true; });
  if (show) {
    form_->Load();
    form_->Show();
    Pump();
  }
}

WindowDriver::~WindowDriver() {
  form_.reset();
  Pump();
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

std::wstring WindowDriver::Text(const char* name) {
  HWND hwnd = Hwnd(name);
  std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
  return text;
}

}  // namespace calvane::test

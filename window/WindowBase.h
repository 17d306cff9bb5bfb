// A window procedure for a C++ object: `this` comes in with WM_NCCREATE (the
// lpParam of CreateWindowEx) and stays in the window's user data; each later
// message goes to the object's HandleMessage, and WM_NCDESTROY, the last,
// to its OnDestroyed.
#pragma once

#include <windows.h>

namespace calvane {

template <class Window>
class WindowBase {
 protected:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->OnDestroyed();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(hwnd, message, wParam, lParam);
  }
};

}  // namespace calvane

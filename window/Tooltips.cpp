#include "window/Tooltips.h"

#include <commctrl.h>

#include <algorithm>

namespace calvane {

Tooltips::Tooltips(HWND owner, HFONT font, int dpi) : dpi_(dpi) {
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                          nullptr);
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, dpi, 96));
}

void Tooltips::Add(HWND control, const wchar_t* text) {
  HWND parent = GetParent(control);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = parent;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // In a frame, which takes the pointer, the control's place in it is a
  // tool too, so that a disabled control shows its tip.
  if (parent != GetAncestor(control, GA_ROOT)) {
    tool.uFlags = 0;
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    GetWindowRect(control, &tool.rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&tool.rect), 2);
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Tooltips::Relay(const MSG& msg) {
  if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST) return;
  MSG copy = msg;
  SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

void Tooltips::ListOpened() {
  SendMessageW(tips_, TTM_POP, 0, 0);
  SendMessageW(tips_, TTM_ACTIVATE, FALSE, 0);
  // A tip may be on its way already: the pointer came onto the list just
  // before the click that opened it. A move onto the form itself, which is
  // no tool, makes the tooltip forget that control, so that its timer finds
  // nothing to show.
  MSG away{GetWindow(tips_, GW_OWNER), WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
  SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&away));
}

void Tooltips::ListClosed() { SendMessageW(tips_, TTM_ACTIVATE, TRUE, 0); }

void Tooltips::Place() {
  // Just below the control it describes (below the list a drop-down would
  // open), or just above it where the screen ends: never over either.
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  if (!SendMessageW(tips_, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return;
  RECT control = tool.rect, covered;
  if (tool.uFlags & TTF_IDISHWND) {
    HWND hwnd = reinterpret_cast<HWND>(tool.uId);
    GetWindowRect(hwnd, &control);
  } else {
    MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&control), 2);
  }
  covered = control;
  if (tool.uFlags & TTF_IDISHWND) {
    // A drop-down's list opens below it, as tall as its window was made.
    wchar_t kind[32] = L"";
    HWND hwnd = reinterpret_cast<HWND>(tool.uId);
    GetClassNameW(hwnd, kind, 32);
    if (lstrcmpiW(kind, WC_COMBOBOXW) == 0) {
      RECT dropped{};
      SendMessageW(hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      covered.bottom = std::max(covered.bottom, dropped.bottom);
    }
  }
  RECT tip;
  GetWindowRect(tips_, &tip);
  const int height = tip.bottom - tip.top, gap = MulDiv(2, dpi_, 96);
  int top = covered.bottom + gap;
  if (top + height > GetSystemMetrics(SM_CYSCREEN)) top = control.top - gap - height;
  SetWindowPos(tips_, nullptr, control.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace calvane

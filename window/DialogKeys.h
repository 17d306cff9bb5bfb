// The window's keyboard, as a dialog's: Tab and Shift+Tab in tab order over
// the shown page's usable controls, Ctrl+Tab between pages, arrows round an
// option group, Enter at a focused push button only, access keys (with Alt,
// or alone while a button has the focus), and the focus kept across a
// page switch and across another window's turn.
#pragma once

#include <windows.h>

#include <functional>

#include "window/ControlTable.h"

namespace calvane {

class DialogKeys {
 public:
  // `showPage` switches to a page; `page` tells the page shown.
  DialogKeys(HWND form, ControlTable& table, std::function<void(int)> showPage,
             std::function<int()> page);

  // A message of the loop; true when it was used.
  bool PreTranslate(const MSG& msg);
  // The first control in tab order that takes the focus (at start: OK).
  void FocusFirst() { MoveFocus(nullptr, false); }
  // After a page switch: a focus left on a hidden control goes to the tabs.
  void PageShown();
  // WM_ACTIVATE and WM_SETFOCUS of the form: the focused control is kept
  // while another window (a message box, another program) is active.
  void Deactivated();
  void FormFocused();

 private:
  bool Focusable(const ControlTable::Item& item) const;
  void MoveFocus(HWND from, bool backward);
  void FocusByKey(HWND control);
  void MoveInGroup(const ControlTable::Item& option, int step);
  bool AccessKey(wchar_t key);

  HWND form_;
  ControlTable& table_;
  std::function<void(int)> showPage_;
  std::function<int()> page_;
  HWND lastFocus_ = nullptr;
};

}  // namespace calvane

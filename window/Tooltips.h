// One tooltip window for every control that shows or edits a setting, each
// tip placed next to its control, never over it nor over a list it has open.
// The tooltip takes the pointer's moves from the message loop (Relay), not
// by subclassing each control, so that a control's own messages cost
// nothing more.
#pragma once

#include <windows.h>

namespace calvane {

class Tooltips {
 public:
  // The tooltip window is owned by `owner` and goes with it.
  Tooltips(HWND owner, HFONT font, int dpi);

  // A tip for a control. A disabled control takes no pointer: the frame
  // holding it, which does, shows its tip over the control's place.
  void Add(HWND control, const wchar_t* text);
  // Mouse messages, as the message loop takes them.
  void Relay(const MSG& msg);
  // Places the tip that is about to show (TTN_SHOW).
  void Place();
  // While a list is open its tip stays hidden.
  void ListOpened();
  void ListClosed();

 private:
  HWND tips_;
  int dpi_;
};

}  // namespace calvane

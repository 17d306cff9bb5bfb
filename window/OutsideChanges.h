// Values another program changes while the window is open (a second panel,
// a script, a registry editor) are shown at once, quietly: the controls,
// labels and snapshot follow what is stored, no change action runs and
// nothing is written. The key watch posts the window a message when a key
// changes, which every message loop delivers, a message box's, the file
// dialog's and a dragged scroll bar's too; nothing runs while nothing
// changes. A change that comes while a list is open or a thumb is dragged
// is shown once the list closes or the drag ends.
#pragma once

#include <windows.h>

#include "model/Panel.h"
#include "registry/KeyWatch.h"
#include "window/ControlTable.h"

namespace calvane {

// The message the watch posts to the window.
inline constexpr UINT kKeysChanged = WM_APP + 1;

class OutsideChanges {
 public:
  // Watches from now on, so that a change made while the panel starts up is
  // seen too.
  OutsideChanges(HWND form, Panel& panel, const ControlTable& controls);

  // The watch's message.
  void Changed();
  // A list has closed or a bar has settled.
  void Resume();

 private:
  bool Busy() const;

  Panel& panel_;
  const ControlTable& controls_;
  KeyWatch watch_;
  bool waiting_ = false;
};

}  // namespace calvane

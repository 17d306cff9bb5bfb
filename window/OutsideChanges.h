// Values another program changes while the window is open (a second panel,
// a script, a registry editor) are shown within a moment, quietly: the
// controls, labels and snapshot follow what is stored, no change action runs
// and nothing is written. The watch is looked at on a timer of the window's,
// whose message every message loop delivers, a message box's, the file
// dialog's and a dragged scroll bar's too; a change that comes while a list
// is open or a thumb is dragged is shown once the list closes or the drag
// ends.
#pragma once

#include <windows.h>

#include <optional>

#include "model/Panel.h"
#include "registry/KeyWatch.h"
#include "window/ControlTable.h"

namespace calvane {

class OutsideChanges {
 public:
  OutsideChanges(HWND form, UINT_PTR timer, Panel& panel, const ControlTable& controls);
  ~OutsideChanges();

  // The timer's tick.
  void Tick();
  // A list has closed or a bar has settled.
  void Resume();

 private:
  bool Busy() const;

  HWND form_;
  UINT_PTR timer_;
  Panel& panel_;
  const ControlTable& controls_;
  KeyWatch watch_;
  bool waiting_ = false;
};

}  // namespace calvane

// Values another program changes while the window is open (a second panel,
// a script, a registry editor) are shown within a moment, quietly: the
// controls, labels and snapshot follow what is stored, no change action runs
// and nothing is written. The watch thread posts `message` to the window,
// whose message loop (or a message box's, the file dialog's, a dragged
// scroll bar's) delivers it; a change that comes while a list is open or a
// thumb is dragged is shown once the list closes or the drag ends.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>

#include "model/Panel.h"
#include "registry/KeyWatch.h"
#include "window/ControlTable.h"

namespace calvane {

class OutsideChanges {
 public:
  OutsideChanges(HWND form, UINT message, Panel& panel, const ControlTable& controls);

  // The posted message has come.
  void Arrived();
  // A list has closed or a bar has settled.
  void Resume();

 private:
  bool Busy() const;
  void Show();

  Panel& panel_;
  const ControlTable& controls_;
  std::atomic<bool> posted_{false};
  bool waiting_ = false;
  std::optional<KeyWatch> watch_;  // last: its thread stops first
};

}  // namespace calvane

#include "window/OutsideChanges.h"

#include <vector>

namespace calvane {

OutsideChanges::OutsideChanges(HWND form, UINT message, Panel& panel, const ControlTable& controls)
    : panel_(panel), controls_(controls) {
  std::vector<KeyWatch::Watched> keys;
  for (Key key : kKeys) keys.push_back({kRoot, KeyPath(key), KeyView(key)});
  // One message at a time: a burst of changes is read once.
  watch_.emplace(std::move(keys), [this, form, message] {
    if (!posted_.exchange(true)) PostMessageW(form, message, 0, 0);
  });
}

bool OutsideChanges::Busy() const {
  for (const auto& item : controls_.items()) {
    if (const auto* list = dynamic_cast<const DropDown*>(item.control.get());
        list && list->Open()) {
      return true;
    }
    if (const auto* bar = dynamic_cast<const Bar*>(item.control.get()); bar && bar->Dragged()) {
      return true;
    }
  }
  return false;
}

void OutsideChanges::Arrived() {
  posted_ = false;
  if (Busy()) {
    waiting_ = true;
    return;
  }
  Show();
}

void OutsideChanges::Resume() {
  if (waiting_ && !Busy()) Show();
}

void OutsideChanges::Show() {
  waiting_ = false;
  panel_.Reconcile();
}

}  // namespace calvane

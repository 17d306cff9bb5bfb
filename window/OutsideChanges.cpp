#include "window/OutsideChanges.h"

#include <vector>

namespace calvane {
namespace {

std::vector<KeyWatch::Watched> Keys() {
  std::vector<KeyWatch::Watched> keys;
  for (Key key : kKeys) keys.push_back({kRoot, KeyPath(key), KeyView(key)});
  return keys;
}

}  // namespace

OutsideChanges::OutsideChanges(HWND form, Panel& panel, const ControlTable& controls)
    : panel_(panel),
      controls_(controls),
      watch_(panel.store(), Keys(), [form] { PostMessageW(form, kKeysChanged, 0, 0); }) {}

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

void OutsideChanges::Changed() {
  waiting_ = watch_.Rearm() || waiting_;
  Resume();
}

void OutsideChanges::Resume() {
  if (!waiting_ || Busy()) return;
  waiting_ = false;
  panel_.Reconcile();
}

}  // namespace calvane

#include "window/OutsideChanges.h"

#include <vector>

namespace calvane {
namespace {

// A change shows within a quarter of a second of the tick after it.
constexpr UINT kEvery = 250;  // ms

std::vector<KeyWatch::Watched> Keys() {
  std::vector<KeyWatch::Watched> keys;
  for (Key key : kKeys) keys.push_back({kRoot, KeyPath(key), KeyView(key)});
  return keys;
}

}  // namespace

OutsideChanges::OutsideChanges(HWND form, UINT_PTR timer, Panel& panel,
                               const ControlTable& controls)
    : form_(form), timer_(timer), panel_(panel), controls_(controls), watch_(Keys()) {
  SetTimer(form_, timer_, kEvery, nullptr);
}

OutsideChanges::~OutsideChanges() { KillTimer(form_, timer_); }

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

void OutsideChanges::Tick() {
  waiting_ = watch_.Changed() || waiting_;
  Resume();
}

void OutsideChanges::Resume() {
  if (!waiting_ || Busy()) return;
  waiting_ = false;
  panel_.Reconcile();
}

}  // namespace calvane

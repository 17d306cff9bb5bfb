#include "window/pages/Bindings.h"

#include <limits>

namespace calvane {

std::optional<int> EntryNumber(const Form1& form, Setting setting) {
  auto n = ReadNumber(form.snapshot().Text(setting), std::numeric_limits<std::int16_t>::min(),
                      std::numeric_limits<std::int16_t>::max());
  return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
}

void BindSwitch(Form1& form, const char* box, Setting setting, std::function<void(int)> then) {
  CheckBox& check = form.Get<CheckBox>(box);
  form.Edits(box, setting);
  check.onClick = [&form, &check, setting, then = std::move(then)] {
    const int state = check.State();
    std::wstring& entry = form.snapshot().Text(setting);
    entry = std::to_wstring(state);
    if (then) then(state);
    form.Write(setting, SettingValue(entry));
  };
}

void FillSwitch(Form1& form, const char* box, Setting setting) {
  const auto state = EntryNumber(form, setting);
  if (state && *state >= 0 && *state <= 2) form.Get<CheckBox>(box).SetState(*state);
}

void FillIndex(Form1& form, const char* list, Setting setting) {
  DropDown& drop = form.Get<DropDown>(list);
  const auto index = EntryNumber(form, setting);
  if (index && *index >= -1 && *index < drop.Count()) drop.SetIndex(*index);
}

}  // namespace calvane

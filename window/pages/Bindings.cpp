#include "window/pages/Bindings.h"

#include <limits>

namespace calvane {

std::optional<int> EntryNumber(const Form1& form, Setting setting) {
  auto n = ReadNumber(form.snapshot().Text(setting), std::numeric_limits<std::int16_t>::min(),
                      std::numeric_limits<std::int16_t>::max());
  return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
}

void BindNumber(Form1& form, const char* control, Setting setting, int max,
                std::function<std::optional<int>()> shown, std::function<void(int)> set) {
  form.Bind({control,
             {setting},
             [shown = std::move(shown)]() -> std::optional<std::vector<std::uint32_t>> {
               if (const auto n = shown()) return std::vector{static_cast<std::uint32_t>(*n)};
               return std::nullopt;
             },
             [max](const std::vector<std::uint32_t>& numbers) -> std::optional<int> {
               if (numbers[0] > static_cast<std::uint32_t>(max)) return std::nullopt;
               return static_cast<int>(numbers[0]);
             },
             std::move(set)});
}

void BindSwitch(Form1& form, const char* box, Setting setting, std::function<void(int)> then) {
  CheckBox& check = form.Get<CheckBox>(box);
  // The box shows its stored state when its entry, which follows it, holds one.
  BindNumber(
      form, box, setting, 2,
      [&form, &check, setting]() -> std::optional<int> {
        const auto state = EntryNumber(form, setting);
        if (!state || *state < 0 || *state > 2) return std::nullopt;
        return check.State();
      },
      [&check](int state) { check.SetState(state); });
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

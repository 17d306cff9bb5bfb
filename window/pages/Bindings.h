// What the pages share: check boxes that edit a switch kept as a text entry,
// lists whose items write a row of numbers, lists filled from a stored
// index, and reading an entry as a number.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "settings/Catalogue.h"
#include "window/Form1.h"

namespace calvane {

// An entry read as a 16-bit number; nothing when it holds none.
std::optional<int> EntryNumber(const Form1& form, Setting setting);

// A check box and the switch it edits.
struct SwitchRow {
  const char* box;
  Setting setting;
};

// A control that shows its one setting as a number from 0 to `max`: the
// number it shows now (nothing when it shows no stored value), and setting
// it to a number, which runs its change action.
void BindNumber(Form1& form, const char* control, Setting setting, int max,
                std::function<std::optional<int>()> shown, std::function<void(int)> set);

// Each change of the box stores its state ("0", "1" or "2") in the entry,
// runs `then` with the state, and writes the entry.
void BindSwitch(Form1& form, const char* box, Setting setting, std::function<void(int)> then = {});
// Sets the box to its entry. An entry that is no state 0, 1 or 2 leaves the
// box clear and the stored value as it is.
void FillSwitch(Form1& form, const char* box, Setting setting);
// Each item of the list writes its row of `rows` to `settings`, left to
// right; every write is tried whatever became of the one before. No item
// selected writes nothing.
template <std::size_t N, std::size_t M>
void BindRows(Form1& form, const char* list, const Setting (&settings)[N],
              const std::int16_t (&rows)[M][N]) {
  DropDown& drop = form.Get<DropDown>(list);
  form.Bind(
      {list,
       {std::begin(settings), std::end(settings)},
       [&drop, &rows]() -> std::optional<std::vector<std::uint32_t>> {
         if (drop.Index() < 0) return std::nullopt;
         const auto& row = rows[drop.Index()];
         return std::vector<std::uint32_t>(std::begin(row), std::end(row));
       },
       [&rows](const std::vector<std::uint32_t>& numbers) -> std::optional<int> {
         for (std::size_t i = 0; i < M; ++i) {
           if (std::equal(std::begin(rows[i]), std::end(rows[i]), numbers.begin(), numbers.end())) {
             return static_cast<int>(i);
           }
         }
         return std::nullopt;
       },
       [&drop](int index) { drop.SetIndex(index); }});
  drop.onClick = [&form, &drop, &settings, &rows] {
    const int index = drop.Index();
    if (index < 0 || index >= static_cast<int>(M)) return;
    for (std::size_t i = 0; i < N; ++i) form.Write(settings[i], SettingValue(rows[index][i]));
  };
}

// Selects the stored index; one that is neither -1 nor an item's leaves the
// list showing nothing.
void FillIndex(Form1& form, const char* list, Setting setting);

}  // namespace calvane

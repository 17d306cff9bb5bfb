// The window's controls, one for each declared row, made before any of them
// has a window: the option buttons of one field share one group, and a list
// takes the items its row declares.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "model/Declared.h"
#include "window/Controls.h"

namespace calvane {

class ControlTable {
 public:
  struct Item {
    const ControlRow* row;
    std::unique_ptr<Control> control;
  };

  // A list without items, or a row whose field is of another kind, is a
  // mistake: Mistake.
  explicit ControlTable(const Declared& declared);

  const Declared& declared() const { return declared_; }
  // The control of a row.
  Control& Of(const ControlRow& row) const { return *items_[row.id].control; }
  // The control of a row by its name (an option button: the first of its
  // group), for the tests; an unknown name throws Mistake.
  Control& Find(std::string_view name) const { return Of(RowNamed(declared_, name)); }
  // The control that edits a field: its group for an option group.
  Control& ControlOf(const Field& field) const;

  // The item whose window this is, or holds it (a list's own list window).
  const Item* ItemOf(HWND hwnd) const;
  std::vector<Item>& items() { return items_; }
  const std::vector<Item>& items() const { return items_; }

 private:
  const Declared& declared_;
  std::vector<Item> items_;                           // by row
  std::vector<std::unique_ptr<OptionGroup>> groups_;  // by field
};

}  // namespace calvane

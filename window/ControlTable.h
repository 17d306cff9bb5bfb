// The window's controls by name, one for each row of the form table, made
// before any of them has a window: the option buttons of one name share one
// group, and a list takes the items its page declares.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Declared.h"
#include "window/Controls.h"
#include "window/FormLayout.h"

namespace calvane {

class ControlTable {
 public:
  struct Item {
    const ControlRow* row;
    std::unique_ptr<Control> control;
  };

  // A list without declared items, or a bar or list row whose field is of
  // another kind, is a mistake: Mistake.
  explicit ControlTable(const Declared& pages);

  // The control of a row by its name (an option button: the first of its
  // group); an unknown name throws Mistake.
  Control& Find(std::string_view name) const;
  template <class T>
  T& Get(std::string_view name) const {
    return dynamic_cast<T&>(Find(name));
  }
  // The group of option buttons of that name; an unknown name throws.
  OptionGroup& Group(std::string_view name) const;
  // The control that edits a field: its group for an option group.
  Control& ControlOf(const Field& field) const;

  // The item whose window this is, or holds it (a list's own list window).
  const Item* ItemOf(HWND hwnd) const;
  std::vector<Item>& items() { return items_; }
  const std::vector<Item>& items() const { return items_; }

 private:
  std::vector<Item> items_;
  std::vector<std::pair<std::string, std::unique_ptr<OptionGroup>>> groups_;
};

}  // namespace calvane

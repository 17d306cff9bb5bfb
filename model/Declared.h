// What the pages declare: each control that edits settings once (a field),
// and for the others what they show: the text of an information button's
// box, the items of a list that edits nothing, a tooltip.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Field.h"

namespace calvane {

struct Declared {
  struct Note {
    const char* button;
    const wchar_t* text;  // shown in an "Information" box
  };
  struct FixedList {
    const char* list;
    std::vector<std::wstring> items;
    const wchar_t* tip;
  };

  std::vector<std::unique_ptr<Field>> fields;
  // The controls the start-up fill sets, in its fixed order; each set that
  // moves a control runs its change action, and so writes, at once.
  std::vector<const char*> fillOrder;
  std::vector<Note> notes;
  std::vector<FixedList> fixedLists;

  template <class F, class... Args>
  void Add(Args&&... args) {
    fields.push_back(std::make_unique<F>(std::forward<Args>(args)...));
  }
};

}  // namespace calvane

// What the pages share: check boxes that edit a switch kept as a text entry,
// lists filled from a stored index, and reading an entry as a number.
#pragma once

#include <functional>
#include <optional>

#include "settings/Catalogue.h"
#include "window/Form1.h"

namespace calvane {

// An entry read as a 16-bit number; nothing when it holds none.
std::optional<int> EntryNumber(const Form1& form, Setting setting);

// Each change of the box stores its state ("0", "1" or "2") in the entry,
// runs `then` with the state, and writes the entry.
void BindSwitch(Form1& form, const char* box, Setting setting, std::function<void(int)> then = {});
// Sets the box to its entry. An entry that is no state 0, 1 or 2 leaves the
// box clear and the stored value as it is.
void FillSwitch(Form1& form, const char* box, Setting setting);
// Selects the stored index; one that is neither -1 nor an item's leaves the
// list showing nothing.
void FillIndex(Form1& form, const char* list, Setting setting);

}  // namespace calvane

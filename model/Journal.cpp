// The panel's undo journal, and telling another program's changes from the
// panel's own.
#include <algorithm>

#include "model/Panel.h"

namespace calvane {

void Panel::BeginJournal() {
  journaling_ = true;
  journal_ = {};
}

bool Panel::CanUndo() const {
  return std::any_of(journal_.begin(), journal_.end(), [](const auto& j) { return j.has_value(); });
}

Panel::UndoOutcome Panel::Undo() {
  UndoOutcome outcome;
  const StoredValues stored = ReadStoredValues(store_);
  ChangeSet changes;
  std::vector<Setting> shown;
  for (const SettingInfo& info : kSettings) {
    const auto at = static_cast<std::size_t>(info.setting);
    if (!journal_[at]) continue;
    shown.push_back(info.setting);
    if (stored[at] != journal_[at]->last) {
      // Another program changed it since: its change stands.
      outcome.leftAlone.push_back(info.setting);
    } else if (journal_[at]->before) {
      // A value the panel created is left: the undo deletes nothing.
      changes.Restore(info.setting, *journal_[at]->before);
    }
  }
  outcome.failure = Commit(changes);
  // An undo that worked ends the journal; one that failed wrote nothing and
  // keeps it, so that the user can try again.
  if (!outcome.failure) {
    journal_ = {};
    ShowStored(shown, ReadStoredValues(store_));
  }
  return outcome;
}

std::vector<Setting> Panel::Reconcile() {
  std::vector<Setting> changed;
  if (!startedUp_) return changed;
  const StoredValues stored = ReadStoredValues(store_);
  for (const SettingInfo& info : kSettings) {
    const auto at = static_cast<std::size_t>(info.setting);
    if (stored[at] != known_[at]) changed.push_back(info.setting);
  }
  if (!changed.empty()) ShowStored(changed, stored);
  return changed;
}

}  // namespace calvane

// The panel's undo journal, and telling another program's changes from the
// panel's own.
#include <algorithm>

#include "model/Panel.h"

namespace calvane {

std::array<std::optional<RawValue>, kSettingCount> Panel::ReadAllStored() const {
  std::array<std::optional<RawValue>, kSettingCount> stored;
  for (Key key : kKeys) {
    const OpenedKey opened = OpenToRead(store_, key);
    if (opened.status() != ERROR_SUCCESS) continue;
    for (const SettingInfo& info : kSettings) {
      if (info.key == key) {
        stored[static_cast<std::size_t>(info.setting)] =
            ReadRawValue(store_, opened.get(), info.name);
      }
    }
  }
  return stored;
}

void Panel::BeginJournal() {
  journaling_ = true;
  journal_ = {};
  known_ = ReadAllStored();
}

bool Panel::CanUndo() const {
  return std::any_of(journal_.begin(), journal_.end(), [](const auto& j) { return j.has_value(); });
}

Panel::UndoOutcome Panel::Undo() {
  UndoOutcome outcome;
  const auto stored = ReadAllStored();
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
  const auto journal = journal_;
  outcome.failure = Commit(changes);
  // An undo that worked ends the journal; one that failed keeps it, so that
  // the user can try again.
  journal_ = outcome.failure ? journal : decltype(journal_){};
  if (!outcome.failure) ShowStored(shown);
  return outcome;
}

std::vector<Setting> Panel::Reconcile() {
  std::vector<Setting> changed;
  if (!journaling_) return changed;
  const auto stored = ReadAllStored();
  for (const SettingInfo& info : kSettings) {
    const auto at = static_cast<std::size_t>(info.setting);
    if (stored[at] != known_[at]) changed.push_back(info.setting);
  }
  if (!changed.empty()) ShowStored(changed);
  return changed;
}

}  // namespace calvane

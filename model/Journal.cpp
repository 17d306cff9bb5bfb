#include "model/Journal.h"

#include <algorithm>

namespace calvane {

void Journal::Know(Setting setting, const std::optional<RawValue>& stored) {
  known_[static_cast<std::size_t>(setting)] = stored;
}

void Journal::Begin() {
  journaling_ = true;
  journal_ = {};
}

bool Journal::Wants(Setting setting) const {
  return journaling_ && !journal_[static_cast<std::size_t>(setting)];
}

void Journal::Wrote(const std::vector<ChangeSet::Change>& changes) {
  for (const ChangeSet::Change& change : changes) {
    const auto at = static_cast<std::size_t>(change.setting);
    known_[at] = change.after;
    if (!journaling_) continue;
    if (journal_[at]) {
      journal_[at]->last = change.after;
    } else {
      journal_[at] = Entry{change.before, change.after};
    }
  }
}

bool Journal::CanUndo() const {
  return std::any_of(journal_.begin(), journal_.end(), [](const auto& j) { return j.has_value(); });
}

Journal::Undo Journal::PlanUndo(const StoredValues& stored) const {
  Undo undo;
  for (const SettingInfo& info : kSettings) {
    const auto at = static_cast<std::size_t>(info.setting);
    if (!journal_[at]) continue;
    undo.shown.push_back(info.setting);
    if (stored[at] != journal_[at]->last) {
      // Another program changed it since: its change stands.
      undo.leftAlone.push_back(info.setting);
    } else if (journal_[at]->before) {
      undo.changes.Restore(info.setting, *journal_[at]->before);
    }
  }
  return undo;
}

std::vector<Setting> Journal::ChangedElsewhere(const StoredValues& stored) const {
  std::vector<Setting> changed;
  for (const SettingInfo& info : kSettings) {
    const auto at = static_cast<std::size_t>(info.setting);
    if (stored[at] != known_[at]) changed.push_back(info.setting);
  }
  return changed;
}

}  // namespace calvane

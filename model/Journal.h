// What the panel knows as stored, and what it has changed: the undo's
// journal, and the telling of another program's changes from the panel's
// own. What the panel knows is what its start-up read, then its own writes
// and the values it has read again and shown.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "model/ChangeSet.h"
#include "settings/Snapshot.h"

namespace calvane {

class Journal {
 public:
  // What the start-up read.
  void Know(const StoredValues& stored) { known_ = stored; }
  // A value read again and shown.
  void Know(Setting setting, const std::optional<RawValue>& stored);
  // From now on (the window is on the screen) each value the panel changes
  // is kept for the undo.
  void Begin();
  // Whether a value's data before this change is wanted: before the panel's
  // first change of it since Begin.
  bool Wants(Setting setting) const;
  // The panel's own writes, which worked.
  void Wrote(const std::vector<ChangeSet::Change>& changes);

  bool CanUndo() const;
  // What an undo puts back of what is stored now: each value that still
  // holds what the panel wrote, as it was before the panel first changed
  // it; a value the panel created is left, for the undo deletes nothing.
  struct Undo {
    ChangeSet changes;
    std::vector<Setting> shown;      // each value the panel changed
    std::vector<Setting> leftAlone;  // changed by another program since
  };
  Undo PlanUndo(const StoredValues& stored) const;
  // The undo worked: nothing left to undo.
  void Clear() { journal_ = {}; }

  // The values stored otherwise than the panel knows: another program's
  // changes, in catalogue order.
  std::vector<Setting> ChangedElsewhere(const StoredValues& stored) const;

 private:
  struct Entry {
    std::optional<RawValue> before;
    RawValue last;
  };
  bool journaling_ = false;
  std::array<std::optional<Entry>, kSettingCount> journal_;
  StoredValues known_;
};

}  // namespace calvane

// The writes of one user action, one settings file or one undo, applied
// whole or not at all. Before its first write the change set opens every
// key it needs and keeps what each value holds (its type and bytes, or that
// it does not exist); if a write still fails, what it wrote is put back, a
// value it created deleted again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "registry/Registry.h"
#include "registry/Store.h"
#include "settings/Catalogue.h"

namespace calvane {

class ChangeSet {
 public:
  // Each value as it was before the change, and as the change left it.
  struct Change {
    Setting setting;
    std::optional<RawValue> before;  // nothing: it did not exist, or was not kept
    RawValue after;
  };
  struct Result {
    std::vector<Change> changes;  // in the order written, when it worked
    // When it did not: the value that could not be written (or whose key
    // could not be opened), why, and each value that could not be put back
    // and so differs from before.
    std::optional<Setting> failed;
    LONG status = ERROR_SUCCESS;
    std::vector<Setting> notPutBack;
    bool ok() const { return !failed; }
  };

  // A number, stored as REG_DWORD; a value exactly as it was stored.
  void Write(Setting setting, std::uint32_t number);
  void Restore(Setting setting, const RawValue& value);
  // The values it writes, each once, in the order of their first write.
  std::vector<Setting> Settings() const;

  // `kept` tells whether the caller wants a value's data before the change
  // (the undo journal does, once per value); a change of more than one value
  // keeps every value's for itself, to put back, a change of one value only
  // those the caller wants.
  Result Apply(Store& store, const std::function<bool(Setting)>& kept = {}) const;

 private:
  struct Pending {
    Setting setting;
    RawValue data;
    std::optional<std::uint32_t> number;  // for a number, data is its REG_DWORD
  };
  std::vector<Pending> writes_;
};

}  // namespace calvane

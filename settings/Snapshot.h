// The settings snapshot: the panel's copy of the 25 values it shows, read at
// start-up, kept by the change actions, and read again for a value that
// changed outside the panel or could not be saved.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "registry/Registry.h"
#include "registry/SettingValue.h"
#include "registry/Store.h"
#include "settings/Catalogue.h"

namespace calvane {

class Snapshot {
 public:
  // A text entry as read: a REG_SZ keeps its terminating zero character, a
  // REG_DWORD becomes its decimal digits, a missing value the empty text.
  const std::wstring& Text(Setting setting) const { return At(setting).text; }

  // A 16-bit entry as the user should see it: its number, or else what is
  // stored (a number beyond 16 bits, a text that is no number).
  std::wstring LevelText(Setting setting) const;

  // The entry as a number: a 16-bit entry's number, a text's number of any
  // size (one beyond 64 bits as the nearer end of that range); nothing when
  // it holds none.
  std::optional<long long> Number(Setting setting) const;

  // Converts a value read from the registry into the setting's entry.
  void Take(Setting setting, const SettingValue& value);
  // A number the panel has stored: a 16-bit entry holds it, a text entry its
  // decimal digits.
  void Put(Setting setting, std::uint32_t number);

 private:
  struct Entry {
    std::wstring text;
    std::optional<std::int16_t> level;
  };
  Entry& At(Setting setting) { return entries_[static_cast<std::size_t>(setting)]; }
  const Entry& At(Setting setting) const { return entries_[static_cast<std::size_t>(setting)]; }

  std::array<Entry, kSettingCount> entries_;
};

// A setting read as the start-up reads it: Empty when it cannot be read.
SettingValue ReadSetting(Store& store, Setting setting);
// Whether a key exists (and may be read).
bool KeyExists(Store& store, Key key);
// The key of a setting opened for reading, in its view.
OpenedKey OpenToRead(Store& store, Key key);

// Every value of the catalogue exactly as stored (nothing: missing, or its
// key cannot be read), each key opened once.
using StoredValues = std::array<std::optional<RawValue>, kSettingCount>;
StoredValues ReadStoredValues(Store& store);
// The snapshot of values read so: every value it keeps, in catalogue order.
Snapshot SnapshotOf(const StoredValues& stored);

}  // namespace calvane

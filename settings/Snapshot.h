// The settings snapshot: the window's copy of the 25 values it shows, read
// once at start-up and afterwards kept by the change actions.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
  std::wstring& Text(Setting setting) { return At(setting).text; }
  const std::wstring& Text(Setting setting) const { return At(setting).text; }

  // A 16-bit entry: nothing when the stored value is no 16-bit number.
  std::optional<std::int16_t>& Level(Setting setting) { return At(setting).level; }
  const std::optional<std::int16_t>& Level(Setting setting) const { return At(setting).level; }
  // A 16-bit entry as the user should see it: its number, or else what is
  // stored (a number beyond 16 bits, a text that is no number).
  std::wstring LevelText(Setting setting) const;

  // Converts a value read from the registry into the setting's entry.
  void Store(Setting setting, const SettingValue& value);

 private:
  struct Entry {
    std::wstring text;
    std::optional<std::int16_t> level;
  };
  Entry& At(Setting setting) { return entries_[static_cast<std::size_t>(setting)]; }
  const Entry& At(Setting setting) const { return entries_[static_cast<std::size_t>(setting)]; }

  std::array<Entry, kSettingCount> entries_;
};

// The one place that puts a setting into the registry: as REG_DWORD, below
// its catalogue key, never creating the key. Returns the store's status.
LONG WriteSetting(Store& store, Setting setting, const SettingValue& value);
SettingValue ReadSetting(Store& store, Setting setting);
// A setting's value exactly as stored, and put back so.
std::optional<RawValue> ReadStored(Store& store, Setting setting);
LONG WriteStored(Store& store, Setting setting, const RawValue& value);

using SettingWriter = std::function<void(Setting, const SettingValue&)>;

// The start-up reads: every value the snapshot keeps, in catalogue order,
// then the creation of SetGPIO0InQuad (through `write`) when it reads as the
// empty text.
Snapshot ReadSnapshot(Store& store, const SettingWriter& write);

}  // namespace calvane

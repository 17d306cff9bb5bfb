#include "settings/Snapshot.h"

#include <limits>

#include "registry/Registry.h"

namespace calvane {

void Snapshot::Take(Setting setting, const SettingValue& value) {
  Entry& entry = At(setting);
  if (Info(setting).entry == calvane::Entry::Text) {
    entry.text = value.ToText();
    return;
  }
  // A 16-bit entry: Empty is 0; a number or text that does not fit 16 bits is
  // kept only as text to show, never wrapped.
  if (value.IsEmpty()) {
    entry.level = 0;
  } else if (auto text = value.Text()) {
    auto n = ReadNumber(*text, std::numeric_limits<std::int16_t>::min(),
                        std::numeric_limits<std::int16_t>::max());
    entry.level = n ? std::optional<std::int16_t>(static_cast<std::int16_t>(*n)) : std::nullopt;
  } else {
    const std::int32_t n = value.ToInt32().value_or(0);
    const bool fits = n >= std::numeric_limits<std::int16_t>::min() &&
                      n <= std::numeric_limits<std::int16_t>::max();
    entry.level = fits ? std::optional<std::int16_t>(static_cast<std::int16_t>(n)) : std::nullopt;
  }
  const std::wstring text = value.ToText();
  entry.text = text.substr(0, text.find(L'\0'));
}

void Snapshot::Put(Setting setting, std::uint32_t number) {
  if (Info(setting).entry == calvane::Entry::Int16) {
    Take(setting, SettingValue(static_cast<std::int16_t>(number)));
  } else {
    Take(setting, SettingValue(static_cast<std::int32_t>(number)));
  }
}

std::wstring Snapshot::LevelText(Setting setting) const {
  const Entry& entry = At(setting);
  return entry.level ? Decimal(*entry.level) : entry.text;
}

std::optional<long long> Snapshot::Number(Setting setting) const {
  if (Info(setting).entry == calvane::Entry::Int16) {
    const auto& level = At(setting).level;
    return level ? std::optional<long long>(*level) : std::nullopt;
  }
  return ReadAnyNumber(At(setting).text);
}

OpenedKey OpenToRead(Store& store, Key key) {
  return OpenedKey(store, kRoot, KeyPath(key), KEY_QUERY_VALUE | KeyView(key));
}

SettingValue ReadSetting(Store& store, Setting setting) {
  const SettingInfo& info = Info(setting);
  return ReadKeyValue(store, kRoot, KeyPath(info.key), info.name, KeyView(info.key));
}

bool KeyExists(Store& store, Key key) { return OpenToRead(store, key).status() == ERROR_SUCCESS; }

StoredValues ReadStoredValues(Store& store) {
  StoredValues stored;
  for (Key key : kKeys) {
    const OpenedKey opened = OpenToRead(store, key);
    if (opened.status() != ERROR_SUCCESS) continue;
    for (const SettingInfo& info : kSettings) {
      if (info.key == key) {
        stored[static_cast<std::size_t>(info.setting)] =
            ReadRawValue(store, opened.get(), info.name);
      }
    }
  }
  return stored;
}

Snapshot SnapshotOf(const StoredValues& stored) {
  Snapshot snapshot;
  for (const SettingInfo& info : kSettings) {
    const auto& raw = stored[static_cast<std::size_t>(info.setting)];
    if (info.entry != Entry::None)
      snapshot.Take(info.setting, raw ? ValueOf(*raw) : SettingValue());
  }
  return snapshot;
}

}  // namespace calvane

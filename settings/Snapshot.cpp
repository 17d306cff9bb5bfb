#include "settings/Snapshot.h"

#include <limits>

#include "registry/Registry.h"

namespace calvane {

void Snapshot::Store(Setting setting, const SettingValue& value) {
  Entry& entry = At(setting);
  if (Info(setting).form == Form::Text) {
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

std::wstring Snapshot::LevelText(Setting setting) const {
  const Entry& entry = At(setting);
  return entry.level ? std::to_wstring(*entry.level) : entry.text;
}

LONG WriteSetting(Store& store, Setting setting, const SettingValue& value) {
  const SettingInfo& info = Info(setting);
  return WriteKeyValue(store, kRoot, KeyPath(info.key), info.name, value, kTypeNumber,
                       KeyView(info.key));
}

SettingValue ReadSetting(Store& store, Setting setting) {
  const SettingInfo& info = Info(setting);
  return ReadKeyValue(store, kRoot, KeyPath(info.key), info.name, KeyView(info.key));
}

std::optional<RawValue> ReadStored(Store& store, Setting setting) {
  const SettingInfo& info = Info(setting);
  return ReadRawValue(store, kRoot, KeyPath(info.key), info.name, KeyView(info.key));
}

LONG WriteStored(Store& store, Setting setting, const RawValue& value) {
  const SettingInfo& info = Info(setting);
  return WriteRawValue(store, kRoot, KeyPath(info.key), info.name, value, KeyView(info.key));
}

Snapshot ReadSnapshot(Store& store, const SettingWriter& write) {
  Snapshot snapshot;
  for (const SettingInfo& info : kSettings) {
    if (info.form != Form::NotRead) snapshot.Store(info.setting, ReadSetting(store, info.setting));
  }
  // The driver does not create the rear-jack switch; the panel does, as 0.
  // A stored empty REG_SZ with its terminator reads as one zero character and
  // is left alone.
  if (snapshot.Text(Setting::SetGPIO0InQuad).empty()) {
    write(Setting::SetGPIO0InQuad, SettingValue(std::int16_t{0}));
    snapshot.Store(Setting::SetGPIO0InQuad, ReadSetting(store, Setting::SetGPIO0InQuad));
  }
  return snapshot;
}

}  // namespace calvane

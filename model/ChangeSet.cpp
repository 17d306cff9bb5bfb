#include "model/ChangeSet.h"

#include <algorithm>

#include "registry/SettingValue.h"

namespace calvane {
namespace {

RawValue Dword(std::uint32_t number) {
  return {REG_DWORD,
          {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
           static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}

// What a value holds now: its data, that it does not exist (nothing), or a
// failure to tell, which stops the change before it writes anything.
LONG Before(Store& store, HKEY key, const char* name, std::optional<RawValue>& before) {
  LONG status = ERROR_SUCCESS;
  before = ReadRawValue(store, key, name, &status);
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

void ChangeSet::Write(Setting setting, std::uint32_t number) {
  writes_.push_back({setting, Dword(number), number});
}

void ChangeSet::Restore(Setting setting, const RawValue& value) {
  writes_.push_back({setting, value, std::nullopt});
}

std::vector<Setting> ChangeSet::Settings() const {
  std::vector<Setting> settings;
  for (const Pending& write : writes_) {
    if (std::find(settings.begin(), settings.end(), write.setting) == settings.end()) {
      settings.push_back(write.setting);
    }
  }
  return settings;
}

ChangeSet::Result ChangeSet::Apply(Store& store, const std::function<bool(Setting)>& kept) const {
  Result result;
  // Every key first, each once: a key that cannot be opened for writing
  // costs nothing to give up on.
  std::vector<std::pair<Key, OpenedKey>> keys;
  for (const Pending& write : writes_) {
    const Key key = Info(write.setting).key;
    if (std::any_of(keys.begin(), keys.end(), [key](const auto& k) { return k.first == key; })) {
      continue;
    }
    keys.emplace_back(key, OpenedKey(store, kRoot, KeyPath(key), kWriteAccess | KeyView(key)));
    if (keys.back().second.status() != ERROR_SUCCESS) {
      result.failed = write.setting;
      result.status = keys.back().second.status();
      return result;
    }
  }
  auto keyOf = [&keys](Setting setting) {
    const Key key = Info(setting).key;
    return std::find_if(keys.begin(), keys.end(), [key](const auto& k) { return k.first == key; })
        ->second.get();
  };
  auto changeOf = [&result](Setting setting) {
    return std::find_if(result.changes.begin(), result.changes.end(),
                        [setting](const Change& c) { return c.setting == setting; });
  };

  for (const Pending& write : writes_) {
    HKEY key = keyOf(write.setting);
    const char* name = Info(write.setting).name;
    auto change = changeOf(write.setting);
    std::optional<RawValue> before;
    LONG status = ERROR_SUCCESS;
    if (change == result.changes.end() && (writes_.size() > 1 || (kept && kept(write.setting)))) {
      status = Before(store, key, name, before);
    }
    if (status == ERROR_SUCCESS) {
      // A number goes through the routine that stores every setting; a value
      // put back goes in as it was.
      status = write.number ? WriteValue(store, key, name, kTypeNumber,
                                         SettingValue(static_cast<std::int32_t>(*write.number)))
                            : WriteRawValue(store, key, name, write.data);
    }
    if (status == ERROR_SUCCESS) {
      // A value's first write keeps what it held before.
      if (change == result.changes.end()) {
        result.changes.push_back({write.setting, std::move(before), write.data});
      } else {
        change->after = write.data;
      }
      continue;
    }
    // Put back, last first, what this change wrote.
    result.failed = write.setting;
    result.status = status;
    for (auto done = result.changes.rbegin(); done != result.changes.rend(); ++done) {
      HKEY doneKey = keyOf(done->setting);
      const char* doneName = Info(done->setting).name;
      const LONG undone = done->before ? WriteRawValue(store, doneKey, doneName, *done->before)
                                       : store.DeleteValue(doneKey, doneName);
      if (undone != ERROR_SUCCESS) result.notPutBack.push_back(done->setting);
    }
    result.changes.clear();
    return result;
  }
  return result;
}

}  // namespace calvane

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
// failure to tell, which stops the change before it writes anything. One
// query serves for the small values the panel changes.
LONG Before(Store& store, HKEY key, const char* name, std::optional<RawValue>& before) {
  RawValue value{REG_NONE, std::vector<BYTE>(64)};
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = static_cast<DWORD>(value.bytes.size());
    const LONG status = store.QueryValue(key, name, &value.type, value.bytes.data(), &size);
    if (status == ERROR_FILE_NOT_FOUND) return before.reset(), ERROR_SUCCESS;
    if (status == ERROR_SUCCESS) {
      value.bytes.resize(size);
      return before = std::move(value), ERROR_SUCCESS;
    }
    if (status != ERROR_MORE_DATA) return status;
    value.bytes.resize(size);
  }
  return ERROR_MORE_DATA;
}

}  // namespace

void ChangeSet::Write(Setting setting, std::uint32_t number) {
  writes_.push_back({setting, Dword(number)});
}

void ChangeSet::Restore(Setting setting, const RawValue& value) {
  writes_.push_back({setting, value});
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
  std::vector<bool> written;  // beside result.changes: whether it was written yet
  auto changeOf = [&result](Setting setting) {
    return std::find_if(result.changes.begin(), result.changes.end(),
                        [setting](const Change& c) { return c.setting == setting; });
  };

  for (const Pending& write : writes_) {
    HKEY key = keyOf(write.setting);
    const char* name = Info(write.setting).name;
    auto change = changeOf(write.setting);
    LONG status = ERROR_SUCCESS;
    if (change == result.changes.end()) {
      std::optional<RawValue> before;
      if (writes_.size() > 1 || (kept && kept(write.setting))) status = Before(store, key, name, before);
      if (status == ERROR_SUCCESS) {
        change = result.changes.insert(result.changes.end(), {write.setting, before, {}});
        written.push_back(false);
      }
    }
    if (status == ERROR_SUCCESS) {
      // A number goes through the routine that stores every setting; a value
      // put back goes in as it was.
      status = write.data.type == REG_DWORD && write.data.bytes.size() == 4
                   ? WriteValue(store, key, name, kTypeNumber,
                                SettingValue(static_cast<std::int32_t>(
                                    write.data.bytes[0] | write.data.bytes[1] << 8 |
                                    write.data.bytes[2] << 16 |
                                    static_cast<DWORD>(write.data.bytes[3]) << 24)))
                   : WriteRawValue(store, key, name, write.data);
    }
    if (status == ERROR_SUCCESS) {
      change->after = write.data;
      written[change - result.changes.begin()] = true;
      continue;
    }
    // Put back, last first, what this change wrote.
    result.failed = write.setting;
    result.status = status;
    for (auto done = result.changes.rbegin(); done != result.changes.rend(); ++done) {
      if (!written[result.changes.rend() - done - 1]) continue;
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

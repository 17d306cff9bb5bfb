// The store behind the registry routines: the four advapi32 calls they need.
// The panel uses the system registry; tests wrap it to make single calls fail.
#pragma once

#include <windows.h>

#include <utility>

namespace calvane {

class Store {
 public:
  virtual ~Store() = default;
  virtual LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) = 0;
  // data may be null to ask only for the type and the size.
  virtual LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) = 0;
  virtual LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) = 0;
  // Only to put back the state before a change that created the value.
  virtual LONG DeleteValue(HKEY key, const char* name) = 0;
  virtual LONG CloseKey(HKEY key) = 0;
  // Sets `event` once the key's values (`subtree`: also its subkeys')
  // change as `filter` says; asked again after each time.
  virtual LONG NotifyChange(HKEY key, bool subtree, DWORD filter, HANDLE event) = 0;
};

// The system registry through RegOpenKeyExA, RegQueryValueExA,
// RegSetValueExA, RegDeleteValueA, RegCloseKey and RegNotifyChangeKeyValue.
class SystemRegistry final : public Store {
 public:
  LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override;
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override;
  LONG DeleteValue(HKEY key, const char* name) override;
  LONG CloseKey(HKEY key) override;
  LONG NotifyChange(HKEY key, bool subtree, DWORD filter, HANDLE event) override;
};

// An open key, closed through its store when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey(Store& store, HKEY root, const char* path, REGSAM access)
      : store_(store), status_(store.OpenKey(root, path, access, &key_)) {
    if (status_ != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenedKey() {
    if (key_) store_.CloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  OpenedKey(OpenedKey&& other) noexcept
      : store_(other.store_), key_(std::exchange(other.key_, nullptr)), status_(other.status_) {}

  LONG status() const { return status_; }
  HKEY get() const { return key_; }

 private:
  Store& store_;
  HKEY key_ = nullptr;
  LONG status_;
};

}  // namespace calvane

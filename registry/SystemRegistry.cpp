#include "registry/Store.h"

namespace calvane {

LONG SystemRegistry::OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) {
  return RegOpenKeyExA(root, path, 0, access, key);
}

LONG SystemRegistry::QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExA(key, name, nullptr, type, data, size);
}

LONG SystemRegistry::SetValue(HKEY key, const char* name, DWORD type, const BYTE* data,
                              DWORD size) {
  return RegSetValueExA(key, name, 0, type, data, size);
}

LONG SystemRegistry::DeleteValue(HKEY key, const char* name) { return RegDeleteValueA(key, name); }

LONG SystemRegistry::CloseKey(HKEY key) { return RegCloseKey(key); }

LONG SystemRegistry::NotifyChange(HKEY key, bool subtree, DWORD filter, HANDLE event) {
  return RegNotifyChangeKeyValue(key, subtree, filter, event, TRUE);
}

}  // namespace calvane

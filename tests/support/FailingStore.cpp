#include "tests/support/FailingStore.h"

namespace calvane::test {

std::optional<LONG> FailingStore::Failure(Call call, const char* name) const {
  for (const auto& [fails, status, only] : rules_)
    if (fails == call && (only.empty() || (name && only == name))) return status;
  return std::nullopt;
}

LONG FailingStore::OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) {
  opens.push_back(access);
  if (auto status = Failure(Call::Open, nullptr)) return *status;
  const LONG status = inner_.OpenKey(root, path, access, key);
  if (status == ERROR_SUCCESS) ++openKeys;
  return status;
}

LONG FailingStore::QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  if (auto status = Failure(data ? Call::DataQuery : Call::SizeQuery, name)) return *status;
  return inner_.QueryValue(key, name, type, data, size);
}

LONG FailingStore::SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  if (auto status = Failure(Call::Set, name)) return *status;
  sets.emplace_back(name);
  return inner_.SetValue(key, name, type, data, size);
}

}  // namespace calvane::test

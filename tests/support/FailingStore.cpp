#include "tests/support/FailingStore.h"

namespace calvane::test {

void FailingStore::Fail(Call call, LONG status, std::string name) {
  rules_.push_back({call, status, std::move(name)});
}

std::optional<LONG> FailingStore::Failure(Call call, const char* name) const {
  for (const Rule& rule : rules_) {
    if (rule.call == call && (rule.name.empty() || (name && rule.name == name))) return rule.status;
  }
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

LONG FailingStore::CloseKey(HKEY key) {
  --openKeys;
  return inner_.CloseKey(key);
}

}  // namespace calvane::test

// A store for tests: passes every call to the real registry underneath,
// records the values set, and makes a chosen kind of call fail with a chosen
// status.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "registry/Store.h"

namespace calvane::test {

enum class Call { Open, SizeQuery, DataQuery, Set };

class FailingStore final : public Store {
 public:
  explicit FailingStore(Store& inner) : inner_(inner) {}

  // From now on every call of this kind fails with `status`; with a value
  // name, only the calls for that value.
  void Fail(Call call, LONG status, std::string name = {}) {
    rules_.emplace_back(call, status, std::move(name));
  }

  LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override;
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override;
  LONG CloseKey(HKEY key) override { return --openKeys, inner_.CloseKey(key); }

  std::vector<std::string> sets;  // value names set, in order
  std::vector<REGSAM> opens;      // access asked for, in order
  int openKeys = 0;               // opened and not yet closed

 private:
  std::optional<LONG> Failure(Call call, const char* name) const;

  Store& inner_;
  std::vector<std::tuple<Call, LONG, std::string>> rules_;  // the call, its status, the value
};

}  // namespace calvane::test

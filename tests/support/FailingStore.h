// A store for tests: passes every call to the store underneath, records each
// value written or deleted in order (not the opens and reads, so that a
// change in how values are read leaves the record alone), the access each
// open asks for and the keys left open, and makes one kind of call fail with
// a chosen status: every such call, or only the k-th (OpenToWrite: of the
// opens that ask to write). A data query goes
// through a buffer of exactly the size asked for with a guard byte behind it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "registry/Store.h"

namespace calvane::test {

enum class Call { None, OpenToWrite, Set };

class FailingStore final : public Store {
 public:
  explicit FailingStore(Store& inner, Call fails = Call::None, LONG status = ERROR_SUCCESS, int only = 0)
      : inner_(inner), fails_(fails), status_(status), only_(only) {}

  LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override {
    const bool fails = (access & KEY_SET_VALUE) && Fails(Call::OpenToWrite);
    const LONG status = fails ? status_ : inner_.OpenKey(root, path, access, key);
    return openKeys += status == ERROR_SUCCESS, status;
  }
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override {
    std::vector<BYTE> guarded(*size + 1, 0xBD);
    const LONG status = inner_.QueryValue(key, name, type, data ? guarded.data() : nullptr, size);
    EXPECT_EQ(guarded.back(), 0xBD) << "written past the buffer";
    if (data) std::memcpy(data, guarded.data(), std::min<std::size_t>(guarded.size() - 1, *size));
    return status;
  }
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override {
    if (Fails(Call::Set)) return status_;
    const LONG status = inner_.SetValue(key, name, type, data, size);
    const bool dword = type == REG_DWORD && size == 4;
    if (status == ERROR_SUCCESS)
      writes.push_back(std::string(name) + "=" +
                       (dword ? std::to_string(data[0] | data[1] << 8 | data[2] << 16 | DWORD(data[3]) << 24)
                              : "type " + std::to_string(type)));
    return status;
  }
  LONG DeleteValue(HKEY key, const char* name) override {
    const LONG status = inner_.DeleteValue(key, name);
    if (status == ERROR_SUCCESS) writes.push_back(std::string(name) + "=-");
    return status;
  }
  LONG CloseKey(HKEY key) override { return --openKeys, inner_.CloseKey(key); }
  LONG NotifyChange(HKEY key, bool subtree, DWORD filter, HANDLE event) override {
    return inner_.NotifyChange(key, subtree, filter, event);
  }
  // From now on the k-th call of that kind fails (every one when `only` is 0).
  void Fail(Call fails, LONG status, int only = 0) { fails_ = fails, status_ = status, only_ = only, seen_ = 0; }

  std::vector<std::string> writes;  // "name=number" for a REG_DWORD, "name=type t" else, "name=-" deleted
  int openKeys = 0;                 // opened and not yet closed

 private:
  bool Fails(Call call) { return call == fails_ && (++seen_ == only_ || only_ == 0); }
  Store& inner_;
  Call fails_;
  LONG status_;
  int only_, seen_ = 0;
};

}  // namespace calvane::test

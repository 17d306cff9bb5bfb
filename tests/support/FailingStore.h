// A store for tests: passes every call to the store underneath, records the
// access each open asks for and the keys left open, and makes one kind of
// call fail with a chosen status. A data query goes through a buffer of
// exactly the size asked for with a guard byte behind it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "registry/Store.h"

namespace calvane::test {

enum class Call { None, Open, SizeQuery, DataQuery, Set };

class FailingStore final : public Store {
 public:
  explicit FailingStore(Store& inner, Call fails = Call::None, LONG status = ERROR_SUCCESS)
      : inner_(inner), fails_(fails), status_(status) {}

  LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override {
    opens.push_back(access);
    const LONG status = fails_ == Call::Open ? status_ : inner_.OpenKey(root, path, access, key);
    return openKeys += status == ERROR_SUCCESS, status;
  }
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override {
    if (fails_ == (data ? Call::DataQuery : Call::SizeQuery)) return status_;
    std::vector<BYTE> guarded(*size + 1, 0xBD);
    const LONG status = inner_.QueryValue(key, name, type, data ? guarded.data() : nullptr, size);
    EXPECT_EQ(guarded.back(), 0xBD) << "written past the buffer";
    if (data) std::memcpy(data, guarded.data(), std::min<std::size_t>(guarded.size() - 1, *size));
    if (!data && grow && status == ERROR_SUCCESS && *size > 0) --*size;
    return status;
  }
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override {
    return fails_ == Call::Set ? status_ : inner_.SetValue(key, name, type, data, size);
  }
  LONG CloseKey(HKEY key) override { return --openKeys, inner_.CloseKey(key); }

  std::vector<REGSAM> opens;  // access asked for, in order
  int openKeys = 0;           // opened and not yet closed
  bool grow = false;          // size queries answered a byte short, as if the text grew before the data query

 private:
  Store& inner_;
  Call fails_;
  LONG status_;
};

}  // namespace calvane::test

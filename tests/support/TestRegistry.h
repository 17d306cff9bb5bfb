// The driver's three keys in the test prefix's real registry, made anew for
// each test and removed afterwards, with the means to seed values of any
// type and size and to read back exactly what is stored.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Catalogue.h"

namespace calvane::test {

struct Stored {
  DWORD type;
  std::vector<BYTE> bytes;
  friend bool operator==(const Stored&, const Stored&) = default;
};

Stored Dword(DWORD value);
// A REG_SZ holding `text`, with its terminating zero unless told otherwise.
Stored Sz(std::string_view text, bool terminated = true);

class TestRegistry {
 public:
  TestRegistry();   // the three keys, empty
  ~TestRegistry();  // the three keys removed
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  void RemoveKey(Key key);
  // Everyone may still read the key; no one may write it.
  void MakeReadOnly(Key key);

  void SetRaw(Setting setting, DWORD type, std::vector<BYTE> bytes);
  void SetDword(Setting s, DWORD value) { SetRaw(s, REG_DWORD, test::Dword(value).bytes); }
  void SetText(Setting setting, std::string_view text, bool terminated = true) {
    SetRaw(setting, REG_SZ, Sz(text, terminated).bytes);
  }
  // Every value as a freshly installed driver holds it (SetGPIO0InQuad too).
  void SetFreshInstall();

  std::optional<Stored> Get(Setting setting) const;
  // The number of a 4-byte REG_DWORD; nothing for anything else.
  std::optional<DWORD> Dword(Setting setting) const;
  bool KeyExists(Key key) const;
  // Every value below the three keys, by "key path\name".
  std::map<std::string, Stored> Everything() const;
};

}  // namespace calvane::test

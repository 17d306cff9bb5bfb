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

class TestRegistry {
 public:
  TestRegistry();   // the three keys, empty
  ~TestRegistry();  // the three keys removed
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  void RemoveKey(Key key);
  // Everyone may still read the key; no one may write it.
  void MakeReadOnly(Key key);

  void SetDword(Setting setting, DWORD value);
  // A REG_SZ holding `text`, with its terminating zero unless told otherwise.
  void SetText(Setting setting, std::string_view text, bool terminated = true);
  void SetRaw(Setting setting, DWORD type, std::vector<BYTE> bytes);
  // Every value as a freshly installed driver holds it (SetGPIO0InQuad too).
  void SetFreshInstall();

  std::optional<Stored> Get(Setting setting) const;
  // The number of a 4-byte REG_DWORD; nothing for anything else.
  std::optional<DWORD> Dword(Setting setting) const;
  bool KeyExists(Key key) const;
  // Every value below the three keys, by "key path\name".
  std::map<std::string, Stored> Everything() const;
};

Stored Dword(DWORD value);

}  // namespace calvane::test

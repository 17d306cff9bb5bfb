// The driver's three keys in the test prefix's real registry, seeded from
// registration text and read back as such, with the key paths written out
// here, apart from the program's own. The A3D key, below Software, is the one
// 32-bit programs see (KEY_WOW64_32KEY); a key below SYSTEM has one view.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace calvane::test {

// Applies registration text: "[path]" opens (and makes) a key below
// HKEY_LOCAL_MACHINE, "[-path]" removes it, "name"=dword:1f, "name"="text",
// "name"=hex(type):01,02 (any type and size, no terminator added) and
// "name"=- (removed). A text's terminating zero is stored with it;
// "\0" stands for a zero character inside it. Throws on anything else.
void Apply(std::string_view registration);

// Every value below the three keys, one line each, sorted:
// Key\name=data, with Key the last part of the key path and data as above.
std::string Dump();
// What Dump says of these values only (Key\name each, separated by blanks):
// "Key\name=data" lines, or "Key\name missing".
std::string Values(std::string_view names);

// The values as a freshly installed driver leaves them, SetGPIO0InQuad too.
extern const std::string kFreshInstall;

// The three keys removed (the A3D key in both views), then `registration`
// applied; the keys removed again at the end of the scope.
class DriverKeys {
 public:
  explicit DriverKeys(std::string_view registration = kFreshInstall);
  ~DriverKeys();
  DriverKeys(const DriverKeys&) = delete;
  DriverKeys& operator=(const DriverKeys&) = delete;
};

// Everyone may still read the key ("Customization", ...), no one write it.
void LockKey(std::string_view key);

}  // namespace calvane::test

// A settings profile: some of the panel's values, each with a number, kept
// as a registration file that registry editors can import too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/Catalogue.h"

namespace calvane {

struct ProfileValue {
  Setting setting;
  std::uint32_t number;
  int line = 0;  // where a file gave it
};
using Profile = std::vector<ProfileValue>;

// A fault of a file, and its line (0: the file as a whole).
struct ProfileFault {
  int line;
  std::wstring fault;
};

// The largest profile file the panel reads.
inline constexpr std::size_t kProfileLimit = 64 * 1024;

// REGEDIT4 text: the keys written out in full, each value as dword:, in the
// catalogue's order.
std::string FormatProfile(const Profile& profile);

// Reads a REGEDIT4 file, or a "Windows Registry Editor Version 5.00" file
// in UTF-16 with its byte-order mark. It may hold only the panel's own keys
// (HKEY_LOCAL_MACHINE written out) and values, matched without regard to
// case, each as dword: and once; whether a number suits its control is the
// window's to judge.
std::variant<Profile, ProfileFault> ParseProfile(std::string_view file);

// A file written whole, or read up to `limit` bytes and one more; the
// system's error code, 0 when it worked.
unsigned long WriteWholeFile(const std::wstring& path, const std::string& data);
unsigned long ReadWholeFile(const std::wstring& path, std::string& data, std::size_t limit);

}  // namespace calvane

// Settings files: registration text, as a registry editor writes and imports
// it, that holds some of the panel's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/Catalogue.h"

namespace calvane {

// One of the panel's values a file gives, and the line it stands on; a
// number given as a text keeps that text, to be quoted as the file gives it
// ("-1", which is stored as 4294967295).
struct FileValue {
  Setting setting;
  std::uint32_t number;
  int line = 0;
  std::wstring text = {};
  friend bool operator==(const FileValue&, const FileValue&) = default;
};

// A value the panel leaves alone: its key as written (without
// "HKEY_LOCAL_MACHINE\"; a key below another root keeps its root), its name
// ("" for the default value @) and its line.
struct SkippedValue {
  std::wstring key;
  std::wstring name;
  int line = 0;
  friend bool operator==(const SkippedValue&, const SkippedValue&) = default;
};

struct SettingsFile {
  std::vector<FileValue> values;
  std::vector<SkippedValue> skipped;
};

// Why a file is refused, and its line (0: the file as a whole). A fault of
// one of the panel's values names it by `setting`, which the words follow
// ("must be a number"), so that messages name it as the window does.
struct FileFault {
  int line;
  std::wstring what;
  std::optional<Setting> setting = std::nullopt;
};

// The largest settings file the panel reads.
inline constexpr std::size_t kSettingsFileLimit = 64 * 1024;

// Reads a REGEDIT4 file in the 8-bit code page, or a "Windows Registry Editor
// Version 5.00" file in UTF-16 with its byte-order mark (or in UTF-8, with or
// without one). Every key and value is read in each form the registry editor
// writes; the panel's values in the panel's keys (names without regard to
// case) must be numbers (dword:, hex(4): of 1 to 4 bytes, or a text holding
// a decimal number), each given once. A file that deletes anything, that was
// cut short, or that holds none of the panel's values is refused.
std::variant<SettingsFile, FileFault> ReadSettingsFile(std::string_view bytes);

// Where a written file puts the A3D key: as 32-bit programs see it, or as a
// 64-bit registry editor shows that same key.
enum class A3DPath { Plain, Wow6432Node };

// REGEDIT4 text with the keys written out, each value as dword: in the
// catalogue's order, each setting once; a key without values is left out, so
// that importing the file creates no key.
std::string WriteSettingsFile(const std::vector<FileValue>& values, A3DPath a3d);

}  // namespace calvane

#include "settings/Profile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace calvane {
namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE\\";

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

// The file as 8-bit text: UTF-16 with its byte-order mark narrowed, each
// character beyond ASCII as '?', so that it can match no name.
std::string Narrowed(std::string_view file) {
  if (!file.starts_with("\xFF\xFE")) return std::string(file);
  std::string text;
  for (std::size_t i = 2; i + 1 < file.size(); i += 2) {
    const unsigned unit =
        static_cast<unsigned char>(file[i]) | static_cast<unsigned char>(file[i + 1]) << 8;
    text += unit < 0x80 ? static_cast<char>(unit) : '?';
  }
  return text;
}

std::optional<Key> KeyNamed(std::string_view path) {
  if (!SameText(path.substr(0, kRootName.size()), kRootName)) return std::nullopt;
  path.remove_prefix(kRootName.size());
  for (Key key : {Key::ControlPanel, Key::Customization, Key::A3D}) {
    if (SameText(path, KeyPath(key))) return key;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> Hex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t n = 0;
  for (char c : digits) {
    const int d = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
    if (d < 0) return std::nullopt;
    n = n << 4 | static_cast<std::uint32_t>(d);
  }
  return n;
}

struct FileCloser {
  void operator()(HANDLE file) const { CloseHandle(file); }
};
using UniqueFile = std::unique_ptr<void, FileCloser>;

UniqueFile OpenFile(const std::wstring& path, bool write) {
  HANDLE file =
      CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                  write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

unsigned long WriteWholeFile(const std::wstring& path, const std::string& data) {
  UniqueFile file = OpenFile(path, true);
  DWORD written = 0;
  if (!file ||
      !WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr)) {
    return GetLastError();
  }
  return written == data.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

unsigned long ReadWholeFile(const std::wstring& path, std::string& data, std::size_t limit) {
  UniqueFile file = OpenFile(path, false);
  if (!file) return GetLastError();
  data.assign(limit + 1, '\0');
  DWORD read = 0, total = 0;
  while (total < data.size() &&
         ReadFile(file.get(), data.data() + total, static_cast<DWORD>(data.size() - total), &read,
                  nullptr) &&
         read > 0) {
    total += read;
  }
  data.resize(total);
  return ERROR_SUCCESS;
}

std::string FormatProfile(const Profile& profile) {
  std::string text = "REGEDIT4\r\n";
  for (Key key : {Key::ControlPanel, Key::Customization, Key::A3D}) {
    text += "\r\n[" + std::string(kRootName) + KeyPath(key) + "]\r\n";
    for (const SettingInfo& info : kSettings) {
      for (const ProfileValue& value : profile) {
        if (value.setting != info.setting || info.key != key) continue;
        char number[16];
        std::snprintf(number, sizeof number, "%08lx", static_cast<unsigned long>(value.number));
        text += "\"" + std::string(info.name) + "\"=dword:" + number + "\r\n";
      }
    }
  }
  return text;
}

std::variant<Profile, ProfileFault> ParseProfile(std::string_view file) {
  if (file.size() > kProfileLimit) return ProfileFault{0, L"the file is larger than 64 KiB"};
  const std::string text = Narrowed(file);
  Profile profile;
  std::optional<Key> key;
  bool header = false;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    ++number;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
      line.remove_suffix(1);
    }
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    auto fault = [number](std::wstring what) { return ProfileFault{number, std::move(what)}; };
    if (!header) {
      if (line != kHeader4 && line != kHeader5) {
        return fault(L"the file does not start as a registration file (\"REGEDIT4\")");
      }
      header = true;
      continue;
    }
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return fault(L"a key must be written in square brackets");
      key = KeyNamed(line.substr(1, line.size() - 2));
      if (!key) return fault(L"the key " + Wide(line) + L" is not one of the panel's");
      continue;
    }
    const std::size_t equals = line.find("\"=");
    if (line.front() != '"' || equals == std::string_view::npos) {
      return fault(L"this is neither a key nor a value");
    }
    if (!key) return fault(L"a value must follow its key");
    const std::string_view name = line.substr(1, equals - 1);
    const std::string_view data = line.substr(equals + 2);
    const auto info = std::find_if(kSettings.begin(), kSettings.end(), [&](const SettingInfo& i) {
      return i.key == *key && SameText(name, i.name);
    });
    if (info == kSettings.end()) {
      return fault(L"\"" + Wide(name) + L"\" is not one of the panel's values in this key");
    }
    if (!SameText(data.substr(0, 6), "dword:")) {
      return fault(L"\"" + Wide(info->name) + L"\" must be a number written as dword:");
    }
    const auto value = Hex(data.substr(6));
    if (!value) return fault(L"\"" + Wide(info->name) + L"\" holds no hexadecimal dword");
    if (std::any_of(profile.begin(), profile.end(),
                    [&](const ProfileValue& v) { return v.setting == info->setting; })) {
      return fault(L"\"" + Wide(info->name) + L"\" is given twice");
    }
    profile.push_back({info->setting, *value, number});
  }
  if (!header) return ProfileFault{1, L"the file is empty"};
  return profile;
}

}  // namespace calvane

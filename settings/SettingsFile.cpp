#include "settings/SettingsFile.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "registry/SettingValue.h"
#include "settings/RegistrationText.h"

namespace calvane {
namespace {

using namespace registration;

constexpr std::wstring_view kHeader4 = L"REGEDIT4";
constexpr std::wstring_view kHeader5 = L"Windows Registry Editor Version 5.00";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE\\";
// The A3D key as a 64-bit registry editor exports it: the 32-bit view.
constexpr const char* kA3DWow6432 = "SOFTWARE\\WOW6432Node\\Zedave\\A3D";
constexpr const wchar_t* kDeletes = L"; the panel does not load files that delete keys or values";

struct Data {
  enum Kind { Text, Dword, Bytes } kind = Text;
  std::wstring text;
  std::uint32_t number = 0;  // a dword, or the type of bytes
  std::vector<unsigned char> bytes;
};

class Reader {
 public:
  explicit Reader(std::wstring_view text) : text_(text) {}

  std::variant<SettingsFile, FileFault> Read() {
    std::wstring_view line;
    if (!NextLine(line) || (line != kHeader4 && line != kHeader5)) {
      return FileFault{1, L"the file does not start as a registration file (\"" +
                              std::wstring(kHeader4) + L"\" or \"" + std::wstring(kHeader5) +
                              L"\")"};
    }
    while (NextLine(line)) {
      if (!ended_ && !Whole(line)) return CutShort();
      std::optional<FileFault> fault;
      if (line.empty() || line.front() == L';') continue;
      if (line.front() == L'[') {
        fault = KeyLine(line);
      } else if (line.front() == L'"' || line.front() == L'@') {
        fault = ValueLine(line);
      } else {
        fault = Fault(L"this is neither a key nor a value");
      }
      if (fault) return *fault;
    }
    if (file_.values.empty()) return FileFault{0, L"the file holds none of the panel's settings"};
    return file_;
  }

 private:
  // The next line, without its line end and the blanks around it.
  bool NextLine(std::wstring_view& line) {
    if (text_.empty()) return false;
    const std::size_t end = text_.find(L'\n');
    ended_ = end != std::wstring_view::npos;
    line = text_.substr(0, end);
    text_.remove_prefix(ended_ ? end + 1 : text_.size());
    if (line.ends_with(L'\r')) line.remove_suffix(1);
    line = Trimmed(line);
    ++number_;
    return true;
  }

  FileFault Fault(std::wstring what) const { return {number_, std::move(what)}; }
  // A fault of the value `name` in the words that follow its name: one of
  // the panel's values named by its setting, any other as the file gives it.
  FileFault ValueFault(int line, const std::wstring& name, std::wstring what) const {
    if (setting_) return {line, std::move(what), setting_};
    return {line, Shown(name) + L" " + what};
  }
  FileFault ValueFault(const std::wstring& name, std::wstring what) const {
    return ValueFault(number_, name, std::move(what));
  }
  FileFault CutShort() const {
    return Fault(L"the file ends inside line " + Decimal(number_) +
                 L": it may have been cut short");
  }

  std::optional<FileFault> KeyLine(std::wstring_view line) {
    if (line.back() != L']') return Fault(L"a key must be written in square brackets");
    std::wstring_view path = line.substr(1, line.size() - 2);
    if (path.starts_with(L'-')) {
      return Fault(L"the file deletes the key " + Shown(path.substr(1)) + kDeletes);
    }
    haveKey_ = true;
    key_.reset();
    if (Strip(path, kRootName)) {
      for (Key key : kKeys) {
        if (SameText(path, KeyPath(key))) key_ = key;
      }
      if (SameText(path, kA3DWow6432)) key_ = Key::A3D;
    }
    keyPath_ = path;
    return std::nullopt;
  }

  std::optional<FileFault> ValueLine(std::wstring_view rest) {
    const int first = number_;
    const auto name = ValueName(rest);
    if (!name) return Fault(L"the name of a value has no closing quote");
    const auto info = std::find_if(kSettings.begin(), kSettings.end(), [&](const SettingInfo& i) {
      return key_ == i.key && SameText(*name, i.name);
    });
    setting_.reset();
    if (info != kSettings.end()) setting_ = info->setting;
    rest = Trimmed(rest);
    if (!rest.starts_with(L'=')) return ValueFault(*name, L"has no = after its name");
    rest = Trimmed(rest.substr(1));
    if (rest == L"-") return ValueFault(*name, L"is deleted by the file" + std::wstring(kDeletes));
    if (!haveKey_) return Fault(L"a value must follow its key");
    Data data;
    if (auto fault = ReadData(rest, *name, data)) return fault;

    if (info == kSettings.end()) {
      file_.skipped.push_back({keyPath_, *name, first});
      return std::nullopt;
    }
    std::optional<std::uint32_t> number;
    if (data.kind == Data::Dword) number = data.number;
    if (data.kind == Data::Bytes && data.number == REG_DWORD && !data.bytes.empty() &&
        data.bytes.size() <= 4) {
      number = 0;
      for (std::size_t i = data.bytes.size(); i-- > 0;) *number = *number << 8 | data.bytes[i];
    }
    if (data.kind == Data::Text) {
      // A number stored as text, as the start-up reads it; a negative one as
      // the dword that holds the same 32 bits.
      if (auto n = ReadNumber(data.text, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::uint32_t>::max())) {
        number = static_cast<std::uint32_t>(*n);
      }
    }
    if (!number) return ValueFault(first, *name, L"must be a number");
    if (std::any_of(file_.values.begin(), file_.values.end(),
                    [&](const FileValue& v) { return v.setting == info->setting; })) {
      return ValueFault(first, *name, L"is given twice");
    }
    file_.values.push_back(
        {info->setting, *number, first, data.kind == Data::Text ? data.text : std::wstring()});
    return std::nullopt;
  }

  // The data after "name"=, in each form the registry editor writes: a text,
  // dword:, or a list of bytes as hex: or hex(type): continued on the next
  // lines after a trailing backslash.
  std::optional<FileFault> ReadData(std::wstring_view rest, const std::wstring& name, Data& data) {
    if (rest.starts_with(L'"')) {
      const auto text = Quoted(rest);
      if (!text) return ValueFault(name, L"has a text without its closing quote");
      data.text = *text;
      if (Trimmed(rest).empty()) return std::nullopt;
    } else if (Strip(rest, "dword:")) {
      data.kind = Data::Dword;
      const auto number = Hex(rest, 8);
      if (!number || !rest.empty()) {
        return ValueFault(name, L"must have 1 to 8 hexadecimal digits after dword:");
      }
      data.number = *number;
      return std::nullopt;
    } else if (Strip(rest, "hex")) {
      data.kind = Data::Bytes;
      data.number = REG_BINARY;
      if (Strip(rest, "(")) {
        const auto type = Hex(rest, 8);
        if (!type || !Strip(rest, ")")) return ValueFault(name, L"has a bad hex(type)");
        data.number = *type;
      }
      if (Strip(rest, ":")) return ReadBytes(rest, name, data.bytes);
    }
    return ValueFault(name, L"is not written as a registry editor writes values");
  }

  std::optional<FileFault> ReadBytes(std::wstring_view rest, const std::wstring& name,
                                     std::vector<unsigned char>& bytes) {
    for (;;) {
      rest = Trimmed(rest);
      if (rest.empty()) return std::nullopt;
      if (rest == L"\\") {
        // The list goes on in the next line, which must be there in whole.
        if (!NextLine(rest) || !ended_) return CutShort();
        continue;
      }
      const auto byte = Hex(rest, 2);
      rest = Trimmed(rest);
      if (!byte || !(rest.empty() || rest.starts_with(L',') || rest == L"\\")) {
        return ValueFault(name, L"has a bad hex byte");
      }
      bytes.push_back(static_cast<unsigned char>(*byte));
      if (rest.starts_with(L',')) rest.remove_prefix(1);
    }
  }

  std::wstring_view text_;
  int number_ = 0;
  bool ended_ = false;  // whether the last line read had its line end
  bool haveKey_ = false;
  std::optional<Key> key_;          // the panel's key that values now go to
  std::optional<Setting> setting_;  // the panel's value of the line read
  std::wstring keyPath_;
  SettingsFile file_;
};

}  // namespace

std::variant<SettingsFile, FileFault> ReadSettingsFile(std::string_view bytes) {
  if (bytes.size() > kSettingsFileLimit) return FileFault{0, L"the file is larger than 64 KiB"};
  const std::wstring text = Decoded(bytes);
  if (text.empty()) return FileFault{0, L"the file is empty"};
  return Reader(text).Read();
}

std::string WriteSettingsFile(const std::vector<FileValue>& values, A3DPath a3d) {
  std::string text = "REGEDIT4\r\n";
  for (Key key : kKeys) {
    std::string lines;
    for (const SettingInfo& info : kSettings) {
      const auto value = std::find_if(values.begin(), values.end(), [&](const FileValue& v) {
        return v.setting == info.setting;
      });
      if (info.key != key || value == values.end()) continue;
      std::string digits(8, '0');
      for (int i = 7, n = static_cast<int>(value->number); i >= 0; --i, n = int(unsigned(n) >> 4)) {
        digits[i] = "0123456789abcdef"[n & 0xF];
      }
      lines += "\"" + std::string(info.name) + "\"=dword:" + digits + "\r\n";
    }
    if (lines.empty()) continue;
    const bool wow = key == Key::A3D && a3d == A3DPath::Wow6432Node;
    text += std::string("\r\n[HKEY_LOCAL_MACHINE\\") + (wow ? kA3DWow6432 : KeyPath(key)) + "]\r\n";
    text += lines;
  }
  return text;
}

}  // namespace calvane

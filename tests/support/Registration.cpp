#include "tests/support/Registration.h"

#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace calvane::test {
namespace {

constexpr const char* kKeys[] = {"SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel",
                                 "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization",
                                 "Software\\Zedave\\A3D"};
constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE\\";
using Handle = std::unique_ptr<HKEY__, decltype(&RegCloseKey)>;

// A 64-bit Windows shows 32-bit programs keys of their own below Software, the same below SYSTEM.
REGSAM View(const std::string& path, REGSAM view) { return _strnicmp(path.c_str(), "Software\\", 9) ? 0 : view; }

Handle Open(const std::string& path, REGSAM access, REGSAM view = KEY_WOW64_32KEY) {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access | View(path, view), &key);
  return Handle(status ? nullptr : key, &RegCloseKey);
}

void SetAccess(const std::string& path, const char* sddl, REGSAM view = KEY_WOW64_32KEY) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  Handle key = Open(path, WRITE_DAC, view);
  if (key && ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, 1, &sd, nullptr)) {
    RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
  }
}

void Remove(const std::string& path, REGSAM view) {
  SetAccess(path, "D:P(A;OICI;KA;;;WD)", view);
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), View(path, view), 0);
}

// Both views of the key, so that nothing seeded in either outlives a test.
void RemoveEverywhere(const std::string& path) {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) Remove(path, view);
}

// Data as registration text writes it: dword:0000001f, "text" (with \0 for
// a zero inside), else hex(type):bytes.
std::string Data(DWORD type, const std::vector<BYTE>& b) {
  char text[16];
  if (type == REG_DWORD && b.size() == 4) {
    std::snprintf(text, sizeof text, "%08lx", b[0] | b[1] << 8 | b[2] << 16 | DWORD(b[3]) << 24);
    return "dword:" + std::string(text);
  }
  std::string data = type == REG_SZ && !b.empty() && !b.back() ? "\"" : "hex(" + std::to_string(type) + "):";
  for (std::size_t i = 0; data[0] == '"' && i + 1 < b.size(); ++i) data += b[i] ? std::string(1, char(b[i])) : "\\0";
  for (std::size_t i = 0; data[0] != '"' && i < b.size(); ++i) {
    std::snprintf(text, sizeof text, i ? ",%02x" : "%02x", b[i]);
    data += text;
  }
  return data[0] == '"' ? data + "\"" : data;
}

std::vector<BYTE> Parse(std::string_view data, DWORD& type) {
  std::vector<BYTE> bytes;
  if (data.starts_with("dword:")) {
    const unsigned long n = std::stoul(std::string(data.substr(6)), nullptr, 16);
    type = REG_DWORD;
    return {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
  }
  if (data.starts_with("\"") && data.ends_with("\"") && data.size() > 1) {
    type = REG_SZ;
    for (std::size_t i = 1; i + 1 < data.size(); ++i) {
      const bool zero = data.substr(i, 2) == "\\0";
      bytes.push_back(zero ? 0 : BYTE(data[i])), i += zero;
    }
    return bytes.push_back(0), bytes;
  }
  if (!data.starts_with("hex(")) throw std::invalid_argument("data not understood: " + std::string(data));
  const std::size_t close = data.find("):");
  type = std::stoul(std::string(data.substr(4, close - 4)), nullptr, 16);
  for (std::size_t i = close + 2; i < data.size(); i += 3)
    bytes.push_back(BYTE(std::stoul(std::string(data.substr(i, 2)), nullptr, 16)));
  return bytes;
}

}  // namespace

void Apply(std::string_view registration) {
  const REGSAM view = KEY_WOW64_32KEY;
  Handle key(nullptr, &RegCloseKey);
  std::istringstream lines{std::string(registration)};
  for (std::string line; std::getline(lines, line);) {
    while (line.ends_with('\r') || line.ends_with(' ')) line.pop_back();
    if (line.empty() || line.front() == ';' || line == "REGEDIT4") continue;
    if (line.front() == '[') {
      const bool remove = line[1] == '-';
      const std::string path(line.substr(kRoot.size() + 1 + remove, line.size() - kRoot.size() - 2 - remove));
      HKEY made = nullptr;
      if (remove) Remove(path, view);
      if (!remove)
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(path, view), nullptr,
                        &made, nullptr);
      key.reset(made);
      continue;
    }
    const std::size_t equals = line.find("\"=");
    if (line.front() != '"' || equals == std::string_view::npos || !key) throw std::invalid_argument(std::string(line));
    const std::string name = line.substr(1, equals - 1);
    if (line.substr(equals + 2) == "-") {
      RegDeleteValueA(key.get(), name.c_str());
      continue;
    }
    DWORD type = 0;
    const std::vector<BYTE> bytes = Parse(line.substr(equals + 2), type);
    RegSetValueExA(key.get(), name.c_str(), 0, type, bytes.data(), DWORD(bytes.size()));
  }
}

std::string Dump() {
  std::set<std::string> lines;  // sorted
  for (std::string path : kKeys) {
    Handle key = Open(path, KEY_READ);
    char name[256];
    for (DWORD i = 0, size = sizeof name, type = 0, bytes = 0;
         key && !RegEnumValueA(key.get(), i, name, &size, nullptr, &type, nullptr, &bytes); ++i, size = sizeof name) {
      std::vector<BYTE> data(bytes);
      RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &bytes);
      lines.insert(path.substr(path.rfind('\\') + 1) + "\\" + name + "=" + Data(type, data));
    }
  }
  std::string all;
  for (const auto& line : lines) all += line + "\n";
  return all;
}

std::string Values(std::string_view names) {
  const std::string all = "\n" + Dump();
  std::string picked;
  std::istringstream words{std::string(names)};
  for (std::string name; words >> name;) {
    const std::size_t at = all.find("\n" + name + "=");
    picked += at == std::string::npos ? name + " missing\n" : all.substr(at + 1, all.find('\n', at + 1) - at);
  }
  return picked;
}

// The demo registration, a freshly installed driver's values, and the
// rear-jack switch that the panel makes on its first start.
const std::string kFreshInstall = [] {
  std::ifstream demo(std::string("Z:") + CALVANE_DEMO_REG);
  return std::string(std::istreambuf_iterator<char>(demo), {}) +
         "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]\n"
         "\"SetGPIO0InQuad\"=dword:00000000\n";
}();

DriverKeys::DriverKeys(std::string_view registration) {
  for (const char* path : kKeys) RemoveEverywhere(path);
  Apply(registration);
}

DriverKeys::~DriverKeys() {
  for (const char* path : kKeys) RemoveEverywhere(path);
}

void LockKey(std::string_view key) {
  for (std::string_view path : kKeys) {
    if (path.ends_with("\\" + std::string(key))) SetAccess(std::string(path), "D:P(A;OICI;KR;;;WD)");
  }
}

}  // namespace calvane::test

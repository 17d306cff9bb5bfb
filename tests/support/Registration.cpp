#include "tests/support/Registration.h"

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace calvane::test {
namespace {

constexpr const char* kKeys[] = {
    "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel",
    "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization",
    "Software\\Zedave\\A3D",
};
constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE\\";

using Handle = std::unique_ptr<HKEY__, decltype(&RegCloseKey)>;

Handle Open(const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  return Handle(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key) ? nullptr : key,
                &RegCloseKey);
}

std::string PathOf(std::string_view shortName) {
  for (std::string_view path : kKeys) {
    if (path.substr(path.rfind('\\') + 1) == shortName) return std::string(path);
  }
  throw std::invalid_argument("no driver key " + std::string(shortName));
}

void SetAccess(const std::string& path, const char* sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  Handle key = Open(path, WRITE_DAC);
  if (key &&
      ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) {
    RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
  }
}

void Remove(const std::string& path) {
  SetAccess(path, "D:P(A;OICI;KA;;;WD)");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

std::string Data(DWORD type, const std::vector<BYTE>& bytes) {
  char hex[4];
  if (type == REG_DWORD && bytes.size() == 4) {
    char number[20];
    std::snprintf(number, sizeof number, "dword:%08lx",
                  static_cast<unsigned long>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                             static_cast<DWORD>(bytes[3]) << 24));
    return number;
  }
  if (type == REG_SZ && !bytes.empty() && bytes.back() == 0) {
    std::string text = "\"";
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
      text += bytes[i] ? std::string(1, char(bytes[i])) : "\\0";
    return text + "\"";
  }
  std::string data = "hex(" + std::to_string(type) + "):";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
    data += (i ? "," : "") + std::string(hex);
  }
  return data;
}

std::vector<BYTE> Parse(std::string_view data, DWORD& type) {
  std::vector<BYTE> bytes;
  if (data.starts_with("dword:")) {
    const unsigned long n = std::stoul(std::string(data.substr(6)), nullptr, 16);
    type = REG_DWORD;
    return {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
  }
  if (data.size() >= 2 && data.front() == '"' && data.back() == '"') {
    type = REG_SZ;
    for (std::size_t i = 1; i + 1 < data.size(); ++i) {
      const bool zero = data[i] == '\\' && data[i + 1] == '0';
      bytes.push_back(zero ? 0 : BYTE(data[i]));
      i += zero;
    }
    bytes.push_back(0);
    return bytes;
  }
  if (data.starts_with("hex(")) {
    const std::size_t close = data.find("):");
    type = std::stoul(std::string(data.substr(4, close - 4)), nullptr, 16);
    for (std::size_t i = close + 2; i < data.size(); i += 3) {
      bytes.push_back(BYTE(std::stoul(std::string(data.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
  }
  throw std::invalid_argument("registration data not understood: " + std::string(data));
}

}  // namespace

void Apply(std::string_view registration) {
  Handle key(nullptr, &RegCloseKey);
  while (!registration.empty()) {
    const std::size_t end = registration.find('\n');
    std::string_view line = registration.substr(0, end);
    registration.remove_prefix(end == std::string_view::npos ? registration.size() : end + 1);
    while (!line.empty() && (line.front() == ' ' || line.back() == '\r' || line.back() == ' ')) {
      line.front() == ' ' ? line.remove_prefix(1) : line.remove_suffix(1);
    }
    if (line.empty() || line.front() == ';' || line == "REGEDIT4") continue;
    if (line.front() == '[') {
      const bool remove = line[1] == '-';
      std::string_view path = line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2));
      if (!path.starts_with(kRoot)) throw std::invalid_argument(std::string(line));
      path.remove_prefix(kRoot.size());
      if (remove) {
        Remove(std::string(path));
        key.reset();
        continue;
      }
      HKEY made = nullptr;
      RegCreateKeyA(HKEY_LOCAL_MACHINE, std::string(path).c_str(), &made);
      key.reset(made);
      continue;
    }
    const std::size_t equals = line.find("\"=");
    if (line.front() != '"' || equals == std::string_view::npos || !key) {
      throw std::invalid_argument("registration line not understood: " + std::string(line));
    }
    const std::string name(line.substr(1, equals - 1));
    const std::string_view data = line.substr(equals + 2);
    if (data == "-") {
      RegDeleteValueA(key.get(), name.c_str());
      continue;
    }
    DWORD type = 0;
    const std::vector<BYTE> bytes = Parse(data, type);
    RegSetValueExA(key.get(), name.c_str(), 0, type, bytes.data(), DWORD(bytes.size()));
  }
}

std::string Dump() {
  std::vector<std::string> lines;
  for (std::string path : kKeys) {
    Handle key = Open(path, KEY_READ);
    char name[256];
    const std::string shortName = path.substr(path.rfind('\\') + 1);
    for (DWORD i = 0, size = sizeof name;
         key && !RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
         ++i, size = sizeof name) {
      DWORD type = 0, bytes = 0;
      RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &bytes);
      std::vector<BYTE> data(bytes);
      RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &bytes);
      lines.push_back(shortName + "\\" + name + "=" + Data(type, data));
    }
  }
  std::sort(lines.begin(), lines.end());
  std::string all;
  for (const auto& line : lines) all += line + "\n";
  return all;
}

std::string Values(std::string_view names) {
  const std::string all = Dump();
  std::string picked;
  while (!names.empty()) {
    const std::size_t end = names.find(' ');
    const std::string name(names.substr(0, end));
    names.remove_prefix(end == std::string_view::npos ? names.size() : end + 1);
    if (name.empty()) continue;
    const std::size_t at = ("\n" + all).find("\n" + name + "=");
    picked +=
        at == std::string::npos ? name + " missing\n" : all.substr(at, all.find('\n', at) - at + 1);
  }
  return picked;
}

const char kFreshInstall[] = R"(
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\ControlPanel]
"ZuvivWavetableEffect"=dword:00000001
"ReverbAmount"=dword:00000040
"ChorusAmount"=dword:00000000
"QuadCodecOutputModeState"=dword:00000000
"AnalogEQSrcLine"=dword:00000003
"AnalogEQEnableState"=dword:00000000
"SoftSynthModeIndex"=dword:00000000
"PrimaryXtalk"=dword:00000000
"GamerMode"=dword:00000001
"SoftSynthVoices"=dword:00000100
"SoftSynthMode"=dword:00000003
"SoftSynth"=dword:00000002
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\Customization]
"AC97PCMOutVol"=dword:00000008
"AC97PCM2OutVol"=dword:00000008
"AC97MixerFrontOutVol"=dword:00000008
"AC97MixerRearOutVol"=dword:00000008
"SpdifFrequency"="48000"
"DisableAC97Codec3DEffect"=dword:00000000
"ST9704ATTEN"=dword:00000000
"CorrectLA2"=dword:00000000
"ST9708LA4RearInversion"=dword:00000000
"SetGPIO0InQuad"=dword:00000000
"DetectSpdifOut"=dword:00000001
"EnableSpdifOut"=dword:00000001
"DetectSpdifIn"=dword:00000000
"EnableSpdifIn"=dword:00000000
"SupportAnalogEQ"=dword:00000000
[HKEY_LOCAL_MACHINE\Software\Zedave\A3D]
"SplashAudio"="1"
"SplashScreen"="1"
)";

DriverKeys::DriverKeys(std::string_view registration) {
  for (const char* path : kKeys) Remove(path);
  Apply(registration);
}

DriverKeys::~DriverKeys() {
  for (const char* path : kKeys) Remove(path);
}

void LockKey(std::string_view key) { SetAccess(PathOf(key), "D:P(A;OICI;KR;;;WD)"); }

}  // namespace calvane::test

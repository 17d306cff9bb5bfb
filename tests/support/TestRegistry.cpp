#include "tests/support/TestRegistry.h"

#include <sddl.h>

#include <stdexcept>

namespace calvane::test {
namespace {

constexpr Key kKeys[] = {Key::ControlPanel, Key::Customization, Key::A3D};

void SetAccess(const char* path, const char* sddl) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) {
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
  }
  RegCloseKey(key);
}

void DeleteTree(HKEY root, const std::string& path) {
  SetAccess(path.c_str(), "D:P(A;OICI;KA;;;WD)");
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof name;
      if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      children.emplace_back(name, size);
    }
    RegCloseKey(key);
    for (const auto& child : children) DeleteTree(root, path + "\\" + child);
  }
  RegDeleteKeyA(root, path.c_str());
}

HKEY Open(Key key, REGSAM access) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key), 0, access, &handle) != ERROR_SUCCESS) {
    throw std::runtime_error(std::string("cannot open ") + KeyPath(key));
  }
  return handle;
}

}  // namespace

Stored Dword(DWORD value) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&value);
  return {REG_DWORD, {bytes, bytes + 4}};
}

TestRegistry::TestRegistry() {
  for (Key key : kKeys) {
    DeleteTree(HKEY_LOCAL_MACHINE, KeyPath(key));
    HKEY handle;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &handle, nullptr);
    RegCloseKey(handle);
  }
}

TestRegistry::~TestRegistry() {
  for (Key key : kKeys) DeleteTree(HKEY_LOCAL_MACHINE, KeyPath(key));
}

void TestRegistry::RemoveKey(Key key) { DeleteTree(HKEY_LOCAL_MACHINE, KeyPath(key)); }

void TestRegistry::MakeReadOnly(Key key) { SetAccess(KeyPath(key), "D:P(A;OICI;KR;;;WD)"); }

void TestRegistry::SetRaw(Setting setting, DWORD type, std::vector<BYTE> bytes) {
  HKEY key = Open(Info(setting).key, KEY_SET_VALUE);
  RegSetValueExA(key, Info(setting).name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

void TestRegistry::SetDword(Setting setting, DWORD value) {
  SetRaw(setting, REG_DWORD, test::Dword(value).bytes);
}

void TestRegistry::SetText(Setting setting, std::string_view text, bool terminated) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  SetRaw(setting, REG_SZ, std::move(bytes));
}

void TestRegistry::SetFreshInstall() {
  for (const SettingInfo& info : kSettings) SetDword(info.setting, 0);
  for (Setting level : {Setting::AC97PCMOutVol, Setting::AC97PCM2OutVol,
                        Setting::AC97MixerFrontOutVol, Setting::AC97MixerRearOutVol}) {
    SetDword(level, 8);
  }
  SetDword(Setting::SpdifFrequency, 48000);
  SetDword(Setting::AnalogEQSrcLine, 3);
  SetDword(Setting::DetectSpdifOut, 1);
  SetDword(Setting::EnableSpdifOut, 1);
  SetDword(Setting::ZuvivWavetableEffect, 1);
  SetDword(Setting::ReverbAmount, 64);
  SetDword(Setting::GamerMode, 1);
  SetDword(Setting::SoftSynthVoices, 256);
  SetDword(Setting::SoftSynthMode, 3);
  SetDword(Setting::SoftSynth, 2);
  SetDword(Setting::SplashAudio, 1);
  SetDword(Setting::SplashScreen, 1);
}

std::optional<Stored> TestRegistry::Get(Setting setting) const {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(Info(setting).key), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  Stored stored{};
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, Info(setting).name, nullptr, &stored.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    stored.bytes.resize(size);
    status = RegQueryValueExA(key, Info(setting).name, nullptr, &stored.type, stored.bytes.data(),
                              &size);
    stored.bytes.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return stored;
}

std::optional<DWORD> TestRegistry::Dword(Setting setting) const {
  auto stored = Get(setting);
  if (!stored || stored->type != REG_DWORD || stored->bytes.size() != 4) return std::nullopt;
  DWORD value;
  memcpy(&value, stored->bytes.data(), 4);
  return value;
}

bool TestRegistry::KeyExists(Key key) const {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key), 0, KEY_QUERY_VALUE, &handle) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

std::map<std::string, Stored> TestRegistry::Everything() const {
  std::map<std::string, Stored> all;
  for (Key key : kKeys) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
      continue;
    }
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD nameSize = sizeof name, type = 0, size = 0;
      if (RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS) {
        break;
      }
      Stored stored{type, std::vector<BYTE>(size)};
      nameSize = sizeof name;
      RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, stored.bytes.data(), &size);
      stored.bytes.resize(size);
      all[std::string(KeyPath(key)) + "\\" + name] = std::move(stored);
    }
    RegCloseKey(handle);
  }
  return all;
}

}  // namespace calvane::test

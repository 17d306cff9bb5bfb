#include "tests/support/TestRegistry.h"

#include <sddl.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace calvane::test {
namespace {

constexpr Key kKeys[] = {Key::ControlPanel, Key::Customization, Key::A3D};

using Handle = std::unique_ptr<HKEY__, decltype(&RegCloseKey)>;

// The key below HKEY_LOCAL_MACHINE, or nothing when it cannot be opened so.
Handle Open(const char* path, REGSAM access) {
  HKEY key = nullptr;
  return Handle(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &key) ? nullptr : key,
                &RegCloseKey);
}

void SetAccess(const char* path, const char* sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  Handle key = Open(path, WRITE_DAC);
  if (key &&
      ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) {
    RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
  }
}

std::optional<Stored> Read(HKEY key, const char* name) {
  Stored stored{};
  DWORD size = 0;
  if (!key || RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size)) return {};
  stored.bytes.resize(size);
  if (RegQueryValueExA(key, name, nullptr, &stored.type, stored.bytes.data(), &size)) return {};
  stored.bytes.resize(size);
  return stored;
}

}  // namespace

Stored Dword(DWORD value) {
  return {REG_DWORD, {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)}};
}

Stored Sz(std::string_view text, bool terminated) {
  const std::string zeroEnded(text);
  return {REG_SZ, {zeroEnded.c_str(), zeroEnded.c_str() + text.size() + terminated}};
}

TestRegistry::TestRegistry() {
  for (Key key : kKeys) {
    RemoveKey(key);
    HKEY handle;
    if (!RegCreateKeyA(HKEY_LOCAL_MACHINE, KeyPath(key), &handle)) RegCloseKey(handle);
  }
}

TestRegistry::~TestRegistry() {
  for (Key key : kKeys) RemoveKey(key);
}

// The program never makes subkeys, so a key goes with its values alone.
void TestRegistry::RemoveKey(Key key) {
  SetAccess(KeyPath(key), "D:P(A;OICI;KA;;;WD)");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, KeyPath(key));
}

void TestRegistry::MakeReadOnly(Key key) { SetAccess(KeyPath(key), "D:P(A;OICI;KR;;;WD)"); }

void TestRegistry::SetRaw(Setting setting, DWORD type, std::vector<BYTE> bytes) {
  Handle key = Open(KeyPath(Info(setting).key), KEY_SET_VALUE);
  if (!key) throw std::runtime_error(std::string("cannot open ") + KeyPath(Info(setting).key));
  RegSetValueExA(key.get(), Info(setting).name, 0, type, bytes.data(),
                 static_cast<DWORD>(bytes.size()));
}

void TestRegistry::SetFreshInstall() {
  using S = Setting;
  for (const SettingInfo& info : kSettings) SetDword(info.setting, 0);
  // clang-format off
  for (auto [setting, value] : std::initializer_list<std::pair<Setting, DWORD>>{
           {S::AC97PCMOutVol, 8}, {S::AC97PCM2OutVol, 8}, {S::AC97MixerFrontOutVol, 8},
           {S::AC97MixerRearOutVol, 8}, {S::SpdifFrequency, 48000}, {S::AnalogEQSrcLine, 3},
           {S::DetectSpdifOut, 1}, {S::EnableSpdifOut, 1}, {S::ZuvivWavetableEffect, 1},
           {S::ReverbAmount, 64}, {S::GamerMode, 1}, {S::SoftSynthVoices, 256},
           {S::SoftSynthMode, 3}, {S::SoftSynth, 2}, {S::SplashAudio, 1}, {S::SplashScreen, 1}}) {
    SetDword(setting, value);
  }
  // clang-format on
}

std::optional<Stored> TestRegistry::Get(Setting setting) const {
  return Read(Open(KeyPath(Info(setting).key), KEY_QUERY_VALUE).get(), Info(setting).name);
}

std::optional<DWORD> TestRegistry::Dword(Setting setting) const {
  const auto stored = Get(setting);
  if (!stored || stored->type != REG_DWORD || stored->bytes.size() != 4) return std::nullopt;
  return *reinterpret_cast<const DWORD*>(stored->bytes.data());
}

bool TestRegistry::KeyExists(Key key) const { return bool(Open(KeyPath(key), KEY_QUERY_VALUE)); }

std::map<std::string, Stored> TestRegistry::Everything() const {
  std::map<std::string, Stored> all;
  for (Key key : kKeys) {
    Handle handle = Open(KeyPath(key), KEY_READ);
    char name[256];
    for (DWORD i = 0, size = sizeof name;
         handle && !RegEnumValueA(handle.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
         ++i, size = sizeof name) {
      all[std::string(KeyPath(key)) + "\\" + name] = Read(handle.get(), name).value();
    }
  }
  return all;
}

}  // namespace calvane::test

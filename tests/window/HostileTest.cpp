// Whatever the driver's keys hold, the panel starts, shows and closes; it
// only ever turns a value into a number its control can show, and leaves
// every value it cannot show exactly as stored. Randomized and reproducible:
// CALVANE_HOSTILE_CASES and CALVANE_HOSTILE_SEED choose how many and which.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane {
namespace {

using S = Setting;

// What a control can show of a value, and what the panel may store there:
// min..max (from 0 up), or only the numbers listed.
struct Role {
  long long min, max;
  std::set<DWORD> only = {};
  bool Allows(DWORD n) const { return only.empty() ? n <= max : only.count(n) > 0; }
};

Role RoleOf(Setting s) {
  if (Info(s).form == Form::Int16) return {0, 31};
  if (s == S::ReverbAmount || s == S::ChorusAmount) return {0, 127};
  if (s == S::PrimaryXtalk || s == S::SoftSynthModeIndex) return {-1, 2, {0, 1, 2}};
  if (s == S::AnalogEQSrcLine) return {0, 5};
  if (s == S::SpdifFrequency) return {32000, 48000, {32000, 44100, 48000}};
  if (s == S::SoftSynthVoices) return {0, 256, {0, 64, 256}};
  if (s == S::SoftSynthMode) return {0, 3, {0, 2, 3}};
  if (s == S::SoftSynth) return {0, 2, {0, 2}};
  if (s == S::QuadCodecOutputModeState || s == S::GamerMode) return {0, 1};
  if (s == S::SupportAnalogEQ || s == S::AnalogEQEnableState) return {0, 1};
  return {0, 2};  // the check boxes
}

// The value as the start-up reads it: a REG_SZ as its text, a 4-byte
// REG_DWORD as its number, anything else (or nothing) as the empty text.
std::wstring ReadText(const std::optional<test::Stored>& v) {
  if (v && v->type == REG_SZ) return std::wstring(v->bytes.begin(), v->bytes.end());
  const bool dword = v && v->type == REG_DWORD && v->bytes.size() == 4;
  return dword ? std::to_wstring(*reinterpret_cast<const LONG*>(v->bytes.data())) : L"";
}

// Texts, and as REG_DWORD their numbers: those the controls show or nearly,
// negative, beyond 16 or 32 bits; texts with embedded zeros, blanks, signs,
// other characters.
// clang-format off
const std::string kTexts[] = {{"1\0x", 3}, {"2\0\0", 3}, " 1 ", "\t+2", "-1", "- 1", "+", "", "1x",
    "0x1", "1.0", "abc", "99999999999999999999", "4294967297", "-2147483648", "32768", "-32769",
    "65537", "0", "1", "2", "3", "5", "31", "32", "127", "128", "256", "32000", "44100", "48000"};
// clang-format on
const DWORD kOtherTypes[] = {REG_BINARY, REG_MULTI_SZ, REG_EXPAND_SZ, REG_QWORD};

// Nothing, or one of the texts, with or without its terminating zero, as any
// type; a REG_DWORD may have 0, 2 or 8 bytes; a very long text has zeros or
// letters before a digit.
void StoreHostile(test::TestRegistry& registry, Setting s, std::mt19937& rng) {
  auto pick = [&](const auto& list) { return list[rng() % std::size(list)]; };
  const DWORD type = rng() % 2 ? REG_DWORD : rng() % 3 ? REG_SZ : pick(kOtherTypes);
  std::string text = rng() % 8 ? pick(kTexts) : std::string(rng() % 70000, "0z"[rng() % 2]) + "1";
  std::vector<BYTE> bytes = test::Dword(DWORD(std::strtoll(text.c_str(), nullptr, 10))).bytes;
  if (rng() % 2) text += '\0';
  if (type != REG_DWORD) bytes.assign(text.begin(), text.end());
  if (type == REG_DWORD && rng() % 6 == 0) bytes.resize(pick(std::array{0, 2, 8}));
  if (rng() % 5) registry.SetRaw(s, type, bytes);
}

std::string gCase;  // the case running, for a crash report

TEST(Hostile, AnyStoredContentStartsAndIsKeptOrMadeShowable) {
  auto env = [](const char* v, unsigned long fallback) { return v ? std::stoul(v) : fallback; };
  const unsigned long first = env(std::getenv("CALVANE_HOSTILE_SEED"), 1);
  const unsigned long last = first + env(std::getenv("CALVANE_HOSTILE_CASES"), 250);
  SetUnhandledExceptionFilter([](EXCEPTION_POINTERS*) -> LONG {
    return std::fprintf(stderr, "crashed in case %s\n", gCase.c_str()), EXCEPTION_CONTINUE_SEARCH;
  });
  for (unsigned long seed = first; seed < last && !HasFailure(); ++seed) {
    gCase = "CALVANE_HOSTILE_SEED=" + std::to_string(seed) + " CALVANE_HOSTILE_CASES=1";
    SCOPED_TRACE(gCase);
    std::mt19937 rng(seed);
    test::TestRegistry registry;
    for (const SettingInfo& info : kSettings) StoreHostile(registry, info.setting, rng);
    std::set<Key> removed;
    for (Key key : {Key::ControlPanel, Key::Customization, Key::A3D})
      if (rng() % 12 == 0) registry.RemoveKey(*removed.insert(key).first);
    std::array<std::optional<test::Stored>, kSettingCount> was;
    for (const SettingInfo& info : kSettings) was[int(info.setting)] = registry.Get(info.setting);

    SystemRegistry system;
    test::FailingStore store(system);
    try {
      test::WindowDriver panel(&store);
      panel.form().Unload();
      EXPECT_TRUE(panel.unloaded());
      // A write fails, and is reported, only where a key is missing.
      EXPECT_TRUE(panel.boxes().shown.empty() || !removed.empty());
    } catch (const std::exception& e) {
      ADD_FAILURE() << "exception: " << e.what();
    }
    EXPECT_EQ(store.openKeys, 0);
    for (Key key : removed) EXPECT_FALSE(registry.KeyExists(key)) << KeyPath(key);

    // The EQ list and the voice-mode list each store a group of values, and
    // only when they show what is stored; SetGPIO0InQuad, read as the empty
    // text, is created as 0 where its key exists.
    auto read = [&](Setting s, Role r) { return ReadNumber(ReadText(was[int(s)]), r.min, r.max); };
    auto shown = [&](Setting s) { return read(s, RoleOf(s)).has_value(); };
    const auto support = read(S::SupportAnalogEQ, {0, 1});
    const auto enable = read(S::AnalogEQEnableState, {-32768, 32767});
    const bool eq =
        support == 0 || (support == 1 && enable && (enable != 1 || shown(S::AnalogEQSrcLine)));
    std::size_t values = 0;
    for (const auto& [s, name, key, form] : kSettings) {
      const std::optional<DWORD> n = registry.Dword(s);
      values += registry.Get(s).has_value();
      const bool shows =
          s == S::SupportAnalogEQ || s == S::AnalogEQEnableState || s == S::AnalogEQSrcLine ? eq
          : form == Form::NotRead                                   ? shown(S::SoftSynthModeIndex)
          : s == S::SetGPIO0InQuad && ReadText(was[int(s)]).empty() ? !removed.count(key)
                                                                    : shown(s);
      EXPECT_TRUE(registry.Get(s) == was[int(s)] || (shows && n && RoleOf(s).Allows(*n))) << name;
    }
    EXPECT_EQ(registry.Everything().size(), values) << "only the panel's values";
  }
}

}  // namespace
}  // namespace calvane

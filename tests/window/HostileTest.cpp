// Whatever the driver's keys hold, the panel starts, shows and closes; it
// only ever turns a value into a number its control can show, and leaves
// every value it cannot show exactly as stored. Randomized and reproducible:
// CALVANE_HOSTILE_CASES and CALVANE_HOSTILE_SEED choose how many and which.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane {
namespace {

using S = Setting;
using namespace std::string_literals;
using test::Stored;

// What a control can show of a value, and what the panel may store there:
// min..max (from 0 up), or only the numbers listed.
struct Role {
  long long min, max;
  std::vector<DWORD> only = {};
  bool Allows(DWORD n) const {
    return only.empty() ? n <= max : std::count(only.begin(), only.end(), n) > 0;
  }
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
  if (s == S::QuadCodecOutputModeState || s == S::SupportAnalogEQ || s == S::AnalogEQEnableState ||
      s == S::GamerMode) {
    return {0, 1};
  }
  return {0, 2};  // the check boxes
}

// The value as the start-up reads it: a 4-byte REG_DWORD as its number, a
// REG_SZ as its text, anything else (or nothing) as the empty text.
std::wstring ReadText(const std::optional<Stored>& v) {
  if (v && v->type == REG_DWORD && v->bytes.size() == 4) {
    return std::to_wstring(*reinterpret_cast<const LONG*>(v->bytes.data()));
  }
  return v && v->type == REG_SZ ? std::wstring(v->bytes.begin(), v->bytes.end()) : L"";
}

std::optional<long long> Shown(const std::optional<Stored>& v, Setting s) {
  return ReadNumber(ReadText(v), RoleOf(s).min, RoleOf(s).max);
}

// clang-format off
const std::string kTexts[] = {"1\0x"s, "2\0\0"s, " 1 ", "\t+2", "-1", "- 1", "+", "",
    "99999999999999999999", "4294967297", "32768", "-32769", "65537", "1x", "0x1", "1.0", "abc",
    "44100", "127", "31"};
// clang-format on

Stored Hostile(std::mt19937& rng) {
  auto pick = [&](const auto& list) { return list[rng() % std::size(list)]; };
  // Very long texts: zeros or letters before a digit.
  const std::string text =
      rng() % 8 ? pick(kTexts) : std::string(rng() % 70000, "0z"[rng() % 2]) + "1";
  const DWORD n = static_cast<DWORD>(pick(std::vector<long long>{
      -1, 0, 1, 2, 3, 5, 31, 32, 127, 128, 256, 32000, 44100, 48000, 65537, -2147483648LL}));
  const std::string decimal = std::to_string(static_cast<LONG>(n)) + '\0';
  std::vector<BYTE> dword = test::Dword(n).bytes;
  switch (rng() % 10) {
    case 0:
      return {REG_SZ, {text.begin(), text.end()}};  // no terminating zero
    case 1:
      return {REG_SZ, {text.c_str(), text.c_str() + text.size() + 1}};
    case 2:
      return {REG_SZ, {decimal.begin(), decimal.end()}};
    case 3:
      dword.resize(pick(std::vector{0, 2, 8}));
      return {REG_DWORD, dword};
    case 4:
      return {pick(std::vector<DWORD>{REG_BINARY, REG_MULTI_SZ, REG_EXPAND_SZ, REG_QWORD}),
              {decimal.begin(), decimal.end()}};
    default:
      return test::Dword(n);
  }
}

std::string gCase;  // the case running, for a crash report
unsigned long EnvOr(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  return value ? std::strtoul(value, nullptr, 10) : fallback;
}

TEST(Hostile, AnyStoredContentStartsAndIsKeptOrMadeShowable) {
  const unsigned long first = EnvOr("CALVANE_HOSTILE_SEED", 1);
  const unsigned long last = first + EnvOr("CALVANE_HOSTILE_CASES", 250);
  SetUnhandledExceptionFilter([](EXCEPTION_POINTERS*) -> LONG {
    std::fprintf(stderr, "crashed in case %s\n", gCase.c_str());
    return EXCEPTION_CONTINUE_SEARCH;
  });
  for (unsigned long seed = first; seed < last && !HasFailure(); ++seed) {
    gCase = "CALVANE_HOSTILE_SEED=" + std::to_string(seed) + " CALVANE_HOSTILE_CASES=1";
    SCOPED_TRACE(gCase);
    std::mt19937 rng(seed);
    test::TestRegistry registry;
    std::set<std::string> names;
    std::array<std::optional<Stored>, kSettingCount> was;
    for (const SettingInfo& info : kSettings) {
      names.insert(std::string(KeyPath(info.key)) + "\\" + info.name);
      const Stored value = Hostile(rng);
      if (rng() % 5) registry.SetRaw(info.setting, value.type, value.bytes);
    }
    std::set<Key> removed;
    for (Key key : {Key::ControlPanel, Key::Customization, Key::A3D}) {
      if (rng() % 12 == 0) removed.insert(key);
      if (removed.count(key)) registry.RemoveKey(key);
    }
    for (const SettingInfo& info : kSettings) was[int(info.setting)] = registry.Get(info.setting);

    SystemRegistry system;
    test::FailingStore store(system);
    try {
      test::WindowDriver panel(&store);
      panel.form().Unload();
      EXPECT_TRUE(panel.unloaded());
      // A write fails, and is reported, only where a key is missing.
      for (const auto& box : panel.boxes().shown) {
        EXPECT_EQ(box.style, UINT{MB_OK | MB_ICONWARNING});
        EXPECT_FALSE(removed.empty());
      }
    } catch (const std::exception& e) {
      ADD_FAILURE() << "exception: " << e.what();
    }
    EXPECT_EQ(store.openKeys, 0);
    for (REGSAM access : store.opens) EXPECT_TRUE(access == KEY_QUERY_VALUE || access == 0x3F);
    for (Key key : removed) EXPECT_FALSE(registry.KeyExists(key)) << KeyPath(key);
    for (const auto& [name, value] : registry.Everything()) EXPECT_TRUE(names.count(name)) << name;

    // The EQ list and the voice-mode list each store a group of values, and
    // only when they show what is stored.
    auto shown = [&](Setting s) { return Shown(was[int(s)], s); };
    const auto support = shown(S::SupportAnalogEQ);
    const auto enable = ReadNumber(ReadText(was[int(S::AnalogEQEnableState)]), -32768, 32767);
    const bool eq =
        support == 0 || (support == 1 && enable && (enable != 1 || shown(S::AnalogEQSrcLine)));
    for (const SettingInfo& info : kSettings) {
      const Setting s = info.setting;
      const std::optional<Stored> now = registry.Get(s);
      SCOPED_TRACE(info.name);
      bool shows = shown(s).has_value();
      if (s == S::SupportAnalogEQ || s == S::AnalogEQEnableState || s == S::AnalogEQSrcLine) {
        shows = eq;
      } else if (info.form == Form::NotRead) {
        shows = shown(S::SoftSynthModeIndex).has_value();
      } else if (s == S::SetGPIO0InQuad && ReadText(was[int(s)]).empty()) {
        shows = !removed.count(info.key);  // created as 0 where its key exists
      }
      if (!shows) {
        EXPECT_EQ(now, was[int(s)]);
      } else if (now != was[int(s)]) {
        ASSERT_TRUE(now && now->type == REG_DWORD && now->bytes.size() == 4);
        EXPECT_TRUE(RoleOf(s).Allows(*registry.Dword(s))) << *registry.Dword(s);
      }
    }
  }
  SetUnhandledExceptionFilter(nullptr);
}

}  // namespace
}  // namespace calvane

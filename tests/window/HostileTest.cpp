// Whatever the driver's keys hold, the panel starts, shows and closes, and
// afterwards every stored value is exactly what a small model of the
// start-up predicts: left as stored, or rewritten as the 4-byte number its
// control shows. Randomized and reproducible: CALVANE_HOSTILE_CASES and
// CALVANE_HOSTILE_SEED choose how many cases and which.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

enum KeyIndex { CP, CU, A3D };
constexpr const char* kKeys[] = {"ControlPanel", "Customization", "A3D"};
const std::string kDriver = "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\";
const std::string kPaths[] = {kDriver + kKeys[CP], kDriver + kKeys[CU], "Software\\Zedave\\A3D"};

// A value the start-up rewrites when it reads as a number from low (1 unless
// given) to high, which its scroll bar, slider, check box or list then shows.
// The others (no high) follow the voice-mode and EQ rules, or only the user
// writes them.
// clang-format off
struct Value { KeyIndex key; const char* name; long high = 0, low = 1; };
const Value kValues[] = {
    {CU, "AC97PCMOutVol", 31}, {CU, "AC97PCM2OutVol", 31}, {CU, "AC97MixerFrontOutVol", 31},
    {CU, "AC97MixerRearOutVol", 31}, {CP, "ReverbAmount", 127}, {CP, "ChorusAmount", 127},
    {A3D, "SplashAudio", 2}, {A3D, "SplashScreen", 2}, {CP, "ZuvivWavetableEffect", 2},
    {CU, "DisableAC97Codec3DEffect", 2}, {CU, "ST9704ATTEN", 2}, {CU, "CorrectLA2", 2},
    {CU, "ST9708LA4RearInversion", 2}, {CU, "SetGPIO0InQuad", 2}, {CU, "DetectSpdifOut", 2},
    {CU, "EnableSpdifOut", 2}, {CU, "DetectSpdifIn", 2}, {CU, "EnableSpdifIn", 2},
    {CP, "PrimaryXtalk", 2, 0}, {CP, "QuadCodecOutputModeState"}, {CU, "SpdifFrequency"},
    {CP, "SoftSynthModeIndex"}, {CP, "GamerMode"}, {CP, "SoftSynthVoices"}, {CP, "SoftSynthMode"},
    {CP, "SoftSynth"}, {CU, "SupportAnalogEQ"}, {CP, "AnalogEQSrcLine"},
    {CP, "AnalogEQEnableState"}};
// The voice-mode list's items, each with the five values it writes.
constexpr const char* kVoiceNames[] = {"GamerMode", "SoftSynthVoices", "SoftSynthMode",
    "SoftSynthModeIndex", "SoftSynth"};
constexpr long kVoiceRows[3][5] = {{1, 256, 3, 0, 2}, {0, 64, 2, 1, 2}, {0, 0, 0, 2, 0}};

// Numbers the controls show and numbers near and beyond their ranges; the
// same with blanks, a sign, leading zeros or a zero character and more
// after them; texts that are no number, and numbers too big for 16, 32 or
// 64 bits (or thousands of digits long), some of which wrap to a small one
// if their size goes unchecked.
const long long kNumbers[] = {0, 1, 1, 2, 2, 3, 4, 5, 6, 7, 31, 32, 126, 127, 128, 255, 256, -1, -2,
    32767, 32768, -32768, -32769, 65535, 65536, 65537, 44100, 2147483647, 2147483648, 4294967295};
const std::string kAround[][2] = {{"", ""}, {"", {"\0", 1}}, {" +", "\t"}, {"\t000", {" \0x", 3}}};
const std::string kTexts[] = {"-0", "1x", "abc", "", "+", "- 1", "1 2", "0x1", {"\0" "1", 2},
    "4294967297", "99999999999999999999", "18446744073709551617", "18446744073709551621",
    "-18446744073709551615", std::string(2999, '0') + "7", std::string(3000, '9') + "7"};
// The values with no high come from fewer numbers, so that the voice-mode
// and EQ lists often choose an item.
const long long kFewNumbers[] = {0, 1, 1, 1, 1, 2, 5, 6, -1, 65537, 44100};
constexpr std::size_t kOddSizes[] = {1, 2, 3, 0, 5};
constexpr DWORD kOtherTypes[] = {REG_BINARY, REG_MULTI_SZ, REG_EXPAND_SZ};
// clang-format on

// The number a text holds, up to its first zero character, with blanks
// around it and one sign allowed. The start-up compares only with small
// numbers, so a huge one stands as 10^12 of its sign.
std::optional<long long> Number(std::string t) {
  t = t.substr(0, t.find('\0'));
  t.erase(0, t.find_first_not_of(" \t"));
  t.erase(t.find_last_not_of(" \t") + 1);
  const bool negative = t[0] == '-';
  t.erase(0, t[0] == '-' || t[0] == '+');
  if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  t.erase(0, t.find_first_not_of('0'));
  const long long n = t.size() > 12 ? 1'000'000'000'000 : std::stoll("0" + t);
  return negative ? -n : n;
}

std::string gCase;  // the case running, for a crash report

// A named WINAPI function: a lambda does not convert to the 32-bit build's stdcall filter.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS*) {
  return std::fprintf(stderr, "crashed in case %s\n", gCase.c_str()), EXCEPTION_CONTINUE_SEARCH;
}

TEST(Hostile, StartUpKeepsEachValueOrRewritesWhatItsControlShows) {
  const char* from = std::getenv("CALVANE_HOSTILE_SEED");
  const char* cases = std::getenv("CALVANE_HOSTILE_CASES");
  const unsigned long first = from ? std::stoul(from) : 1;
  const unsigned long last = first + (cases ? std::stoul(cases) : 100);
  SetUnhandledExceptionFilter(ReportCrash);
  for (unsigned long seed = first; seed < last && !HasFailure(); ++seed) {
    gCase = "CALVANE_HOSTILE_SEED=" + std::to_string(seed) + " CALVANE_HOSTILE_CASES=1";
    SCOPED_TRACE(gCase);
    std::mt19937 rng(seed);
    auto pick = [&](const auto& list) { return list[rng() % std::size(list)]; };
    DriverKeys keys("");
    bool present[3];
    std::map<std::string, std::string> read;  // by value name: its text as the start-up reads it
    for (int k = 0; k < 3; ++k) {
      HKEY key = nullptr;
      present[k] =
          rng() % 10 && !RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPaths[k].c_str(), 0, nullptr, 0,
                                         KEY_ALL_ACCESS | (k == A3D ? KEY_WOW64_32KEY : 0), nullptr, &key, nullptr);
      for (const Value& v : kValues) {
        if (v.key != k || !present[k] || rng() % 8 == 0) continue;
        // The number as a REG_DWORD of 4 bytes or another size, which reads
        // as its signed number (a short one zero-extended) if it has 1 to 4
        // bytes; as REG_SZ digits; or a text of other sorts, as REG_SZ with
        // or without its zero, or as another type, which reads as nothing.
        const long long n = v.high ? pick(kNumbers) : pick(kFewNumbers);
        const unsigned kind = rng() % 8;
        std::string bytes(kind ? 4 : pick(kOddSizes), '\0'), text;
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(n >> 8 * i);
        if (bytes.size() - 1 < 4) text = std::to_string(int(n & ((1ll << 8 * bytes.size()) - 1)));
        const std::string* around = pick(kAround);
        if (kind > 2) text = bytes = around[0] + std::to_string(n) + around[1];
        if (kind > 5) text = bytes = pick(kTexts) + std::string(rng() % 2, '\0');
        const DWORD type = kind < 3 ? REG_DWORD : kind < 7 ? REG_SZ : pick(kOtherTypes);
        read[v.name] = type == REG_SZ || type == REG_DWORD ? text : "";
        RegSetValueExA(key, v.name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
      }
      if (key) RegCloseKey(key);
    }

    // The dump as it is now, with the REG_DWORDs the start-up stores in it.
    std::map<std::string, std::string> expected;  // by Key\name: its line
    std::istringstream dump(Dump());
    for (std::string l; std::getline(dump, l);) expected[l.substr(0, l.find('='))] = l;
    bool failed = false;  // whether it also tries to write to a key that is missing
    auto write = [&](KeyIndex k, const char* name, long long n) {
      char line[100];
      std::snprintf(line, sizeof line, "%s\\%s=dword:%08lx", kKeys[k], name, DWORD(n));
      failed |= !present[k];
      if (present[k]) expected[std::string(kKeys[k]) + "\\" + name] = line;
    };
    for (const Value& v : kValues)
      if (const auto n = Number(read[v.name]); n >= v.low && n <= v.high) write(v.key, v.name, *n);
    // The rear-jack switch is created as 0 when it reads as nothing at all.
    if (read["SetGPIO0InQuad"].empty()) write(CU, "SetGPIO0InQuad", 0);
    const auto m = Number(read["SoftSynthModeIndex"]);
    for (int i = 0; m >= 0 && m <= 2 && i < 5; ++i) write(CP, kVoiceNames[i], kVoiceRows[*m][i]);
    const auto s = Number(read["SupportAnalogEQ"]), e = Number(read["AnalogEQEnableState"]);
    const auto l = Number(read["AnalogEQSrcLine"]);
    const bool none = s == 0 || (s == 1 && e && e != 1);
    // The EQ row spans two keys: written whole, or not at all.
    if ((none || (s == 1 && e == 1 && l >= 0 && l <= 5)) && !(present[CU] && present[CP])) {
      failed = true;
    } else if (none || (s == 1 && e == 1 && l >= 0 && l <= 5)) {
      write(CU, "SupportAnalogEQ", !none);
      write(CP, "AnalogEQSrcLine", none ? 3 : *l);
      write(CP, "AnalogEQEnableState", !none);
    }

    SystemRegistry system;
    FailingStore store(system);
    EXPECT_NO_THROW({
      WindowDriver panel(&store);
      panel.form().Unload();
      EXPECT_TRUE(panel.unloaded());
      EXPECT_EQ(panel.boxes().shown.size(), failed ? 1u : 0u);  // one notice for them all
    });
    EXPECT_EQ(store.openKeys, 0);
    std::string all;
    for (const auto& [name, line] : expected) all += line + "\n";
    EXPECT_EQ(Dump(), all);
  }
}

}  // namespace
}  // namespace calvane::test

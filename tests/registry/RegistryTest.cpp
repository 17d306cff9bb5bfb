// The registry routines against the test prefix's real registry.
#include "registry/Registry.h"

#include <gtest/gtest.h>

#include "settings/Snapshot.h"

#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"

namespace calvane {
namespace {

constexpr char kPath[] = "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization";
constexpr char kName[] = "SpdifFrequency";
const std::string kKey = std::string("[HKEY_LOCAL_MACHINE\\") + kPath + "]\n";

void Put(const std::string& data) { test::Apply(kKey + "\"SpdifFrequency\"=" + data); }
std::string Stored() { return test::Values("Customization\\SpdifFrequency"); }

struct RegistryTest : ::testing::Test {
  SettingValue Read(Store& through) { return ReadKeyValue(through, HKEY_LOCAL_MACHINE, kPath, kName); }
  LONG Write(Store& through, const SettingValue& value, DWORD type = kTypeNumber) {
    return WriteKeyValue(through, HKEY_LOCAL_MACHINE, kPath, kName, value, type);
  }
  // ReadValue into `value` on the key opened for reading beforehand.
  LONG ReadInto(Store& through, SettingValue& value) {
    OpenedKey key(system, HKEY_LOCAL_MACHINE, kPath, KEY_QUERY_VALUE);
    return ReadValue(through, key.get(), kName, value);
  }
  test::DriverKeys keys{kKey};
  SystemRegistry system;
  test::FailingStore store{system};
};

TEST_F(RegistryTest, TextsKeepTheirTerminatorNumbersHoldUpToFourBytesAndAllElseIsEmpty) {
  EXPECT_TRUE(Read(store).IsEmpty()) << "missing value";
  // A REG_SZ without its terminator reads as the empty text, not as Empty; a
  // REG_DWORD of 1 to 3 bytes as the little-endian number its bytes hold.
  // clang-format off
  const std::pair<const char*, SettingValue> cases[] = {
      {"\"44100\"", SettingValue(std::wstring(L"44100\0", 6))}, {"hex(1):00", SettingValue(std::wstring(1, L'\0'))},
      {"hex(1):", SettingValue(std::wstring())}, {"dword:0000001f", SettingValue(31)}, {"dword:ffffffff", SettingValue(-1)},
      {"hex(4):05", SettingValue(5)}, {"hex(4):34,12", SettingValue(0x1234)}, {"hex(4):01,00,80", SettingValue(0x800001)},
      {"hex(4):", {}}, {"hex(4):01,00,00,00,bd", {}}, {"hex(3):01,00,00,00", {}}, {"hex(2):31,00", {}},
      {"hex(b):01,00,00,00,00,00,00,00", {}}, {"hex(7):31,00,00", {}}};
  // clang-format on
  for (const auto& [data, expected] : cases) {
    Put(data);
    EXPECT_EQ(Read(store), expected) << data;
  }
  // The odd-sized number, the last, replaces what the caller held; a text that
  // grew between the queries reads as Empty.
  Put("hex(4):01,00,00,00,bd");
  SettingValue value(7);
  EXPECT_TRUE(ReadInto(store, value) != ERROR_SUCCESS && value.IsEmpty());
  Put("\"48000\"");
  store.grow = true;
  EXPECT_TRUE(Read(store).IsEmpty()) << "grown text";
}

TEST_F(RegistryTest, NumbersAreWrittenAsFourBytesTextsWithTheirTerminatorAndNoKeyIsMade) {
  // What is written as which type over a stored 48000, whether that works,
  // what is stored then.
  // clang-format off
  const std::tuple<SettingValue, DWORD, bool, const char*> cases[] = {
      {SettingValue(std::wstring(L"1\0", 2)), kTypeNumber, true, "dword:00000001"},
      {SettingValue(std::int16_t{-2}), kTypeNumber, true, "dword:fffffffe"}, {SettingValue(44100), kTypeNumber, true, "dword:0000ac44"},
      {SettingValue(std::wstring(L"abc")), kTypeNumber, false, "dword:0000bb80"},
      {SettingValue(std::wstring(L"320")), kTypeText, true, "\"320\""}, {SettingValue(1), REG_BINARY, true, "dword:0000bb80"}};
  // clang-format on
  for (const auto& [value, type, works, stored] : cases) {
    Put("dword:0000bb80");
    EXPECT_EQ(Write(store, value, type) == ERROR_SUCCESS, works) << type;
    EXPECT_EQ(Stored(), "Customization\\SpdifFrequency=" + std::string(stored) + "\n") << type;
  }
  // A key that may not be written is still read, opened for reading only.
  test::LockKey("Customization");
  store.opens.clear();
  EXPECT_EQ(Read(store), SettingValue(48000));
  EXPECT_EQ(Write(store, SettingValue(1)), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.opens, (std::vector<REGSAM>{KEY_QUERY_VALUE, 0x3F}));
  EXPECT_EQ(Stored(), "Customization\\SpdifFrequency=dword:0000bb80\n");
  test::Apply("[-" + kKey.substr(1));
  EXPECT_TRUE(Read(store).IsEmpty()) << "missing key";
  EXPECT_EQ(Write(store, SettingValue(1)), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Stored(), "Customization\\SpdifFrequency missing\n");
  EXPECT_EQ(store.openKeys, 0);
}

TEST_F(RegistryTest, AFailingCallFailsWhatUsesItAndLeavesNoKeyOpen) {
  // The failing call with its status; whether a text still reads; what a read
  // of the number 5 into a 9 returns and leaves; what a write of 1 returns.
  // clang-format off
  const std::tuple<test::Call, LONG, bool, LONG, int, LONG> cases[] = {
      {test::Call::Open, ERROR_ACCESS_DENIED, false, ERROR_SUCCESS, 5, ERROR_ACCESS_DENIED},
      {test::Call::SizeQuery, ERROR_OUTOFMEMORY, false, ERROR_OUTOFMEMORY, 9, ERROR_SUCCESS},
      {test::Call::DataQuery, ERROR_OUTOFMEMORY, false, ERROR_OUTOFMEMORY, 9, ERROR_SUCCESS},
      {test::Call::Set, ERROR_WRITE_PROTECT, true, ERROR_SUCCESS, 5, ERROR_WRITE_PROTECT}};
  // clang-format on
  for (const auto& [call, status, reads, numberRead, number, written] : cases) {
    test::FailingStore failing(system, call, status);
    Put("\"44100\"");
    EXPECT_EQ(Read(failing).IsEmpty(), !reads);
    Put("dword:00000005");
    SettingValue value(9);
    EXPECT_TRUE(ReadInto(failing, value) == numberRead && value == SettingValue(number));
    EXPECT_EQ(Write(failing, SettingValue(1)), written);
    EXPECT_EQ(Stored(), written ? "Customization\\SpdifFrequency=dword:00000005\n"
                                : "Customization\\SpdifFrequency=dword:00000001\n");
    EXPECT_EQ(failing.openKeys, 0);
  }
}

}  // namespace
}  // namespace calvane

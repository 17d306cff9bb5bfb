// The registry routines against the test prefix's real registry.
#include "registry/Registry.h"

#include <gtest/gtest.h>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"

namespace calvane {
namespace {

using test::Call;
using test::FailingStore;
using test::TestRegistry;

// Values of the Customization key serve as plain test values here.
constexpr Setting kValue = Setting::SpdifFrequency;
const char* const kPath = KeyPath(Key::Customization);
const char* const kName = Info(kValue).name;

class RegistryTest : public ::testing::Test {
 protected:
  SettingValue Read() { return ReadKeyValue(store, HKEY_LOCAL_MACHINE, kPath, kName); }
  LONG Write(const SettingValue& value, DWORD type = kTypeNumber) {
    return WriteKeyValue(store, HKEY_LOCAL_MACHINE, kPath, kName, value, type);
  }

  TestRegistry registry;
  SystemRegistry system;
  FailingStore store{system};
};

TEST_F(RegistryTest, TextKeepsItsStoredTerminator) {
  registry.SetText(kValue, "44100");
  EXPECT_EQ(Read(), SettingValue(std::wstring(L"44100\0", 6)));

  registry.SetText(kValue, "");
  EXPECT_EQ(Read(), SettingValue(std::wstring(1, L'\0')));

  registry.SetText(kValue, "", /*terminated=*/false);
  EXPECT_EQ(Read(), SettingValue(std::wstring()));  // the empty text, not Empty
}

TEST_F(RegistryTest, NumberReadsAs32Bits) {
  registry.SetDword(kValue, 31);
  EXPECT_EQ(Read(), SettingValue(std::int32_t{31}));
  registry.SetDword(kValue, 0xFFFFFFFF);
  EXPECT_EQ(Read(), SettingValue(std::int32_t{-1}));
}

TEST_F(RegistryTest, WhatCannotBeReadIsEmpty) {
  EXPECT_TRUE(Read().IsEmpty()) << "missing value";
  for (auto [type, bytes] :
       std::vector<std::pair<DWORD, std::vector<BYTE>>>{{REG_BINARY, {1, 0, 0, 0}},
                                                        {REG_DWORD, {0x34, 0x12}},
                                                        {REG_DWORD, {}},
                                                        {REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
                                                        {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
                                                        {REG_EXPAND_SZ, {'1', 0}},
                                                        {REG_MULTI_SZ, {'1', 0, 0}}}) {
    registry.SetRaw(kValue, type, bytes);
    EXPECT_TRUE(Read().IsEmpty()) << "type " << type << ", " << bytes.size() << " bytes";
  }
  registry.RemoveKey(Key::Customization);
  EXPECT_TRUE(Read().IsEmpty()) << "missing key";
  EXPECT_EQ(store.openKeys, 0);
}

TEST_F(RegistryTest, OddSizedNumberIsNeverReadPastFourBytes) {
  registry.SetRaw(kValue, REG_DWORD, {1, 0, 0, 0, 0xBD, 0xBD, 0xBD, 0xBD});
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  SettingValue value(std::int32_t{7});
  EXPECT_NE(ReadValue(store, key, kName, value), ERROR_SUCCESS);
  EXPECT_TRUE(value.IsEmpty());
  RegCloseKey(key);
}

// Reports one byte less at the size query, as if the text grew before the
// data query.
class GrowingText final : public Store {
 public:
  explicit GrowingText(Store& inner) : inner_(inner) {}
  LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override {
    return inner_.OpenKey(root, path, access, key);
  }
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override {
    if (data) {
      // The caller's buffer is exactly *size bytes: guard what lies beyond.
      std::vector<BYTE> guarded(*size + 1, 0xBD);
      DWORD asked = *size;
      const LONG status = inner_.QueryValue(key, name, type, guarded.data(), size);
      EXPECT_EQ(guarded[asked], 0xBD) << "written past the buffer";
      memcpy(data, guarded.data(), std::min(asked, *size));
      return status;
    }
    const LONG status = inner_.QueryValue(key, name, type, data, size);
    if (status == ERROR_SUCCESS && *size > 0) --*size;
    return status;
  }
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override {
    return inner_.SetValue(key, name, type, data, size);
  }
  LONG CloseKey(HKEY key) override { return inner_.CloseKey(key); }

 private:
  Store& inner_;
};

TEST_F(RegistryTest, TextThatGrowsBetweenTheQueriesIsEmpty) {
  registry.SetText(kValue, "48000");
  GrowingText growing(system);
  EXPECT_TRUE(ReadKeyValue(growing, HKEY_LOCAL_MACHINE, kPath, kName).IsEmpty());
}

TEST_F(RegistryTest, ReadingNeedsNoWriteAccess) {
  registry.SetDword(kValue, 44100);
  registry.MakeReadOnly(Key::Customization);
  EXPECT_EQ(Read(), SettingValue(std::int32_t{44100}));
  EXPECT_EQ(store.opens, std::vector<REGSAM>{KEY_QUERY_VALUE});

  EXPECT_EQ(Write(SettingValue(std::int32_t{32000})), ERROR_ACCESS_DENIED);
  EXPECT_EQ(registry.Dword(kValue), 44100u);
  EXPECT_EQ(store.opens.back(), REGSAM{0x3F});
}

TEST_F(RegistryTest, NumbersAreWrittenAsFourBytes) {
  registry.SetText(kValue, "48000");
  EXPECT_EQ(Write(SettingValue(std::wstring(L"1\0", 2))), ERROR_SUCCESS);
  EXPECT_EQ(registry.Get(kValue), test::Dword(1));
  EXPECT_EQ(Write(SettingValue(std::int16_t{-2})), ERROR_SUCCESS);
  EXPECT_EQ(registry.Get(kValue), test::Dword(0xFFFFFFFE));
  EXPECT_EQ(Write(SettingValue(std::int32_t{44100})), ERROR_SUCCESS);
  EXPECT_EQ(registry.Get(kValue), test::Dword(44100));
}

TEST_F(RegistryTest, TextThatIsNoNumberIsNotWrittenAsOne) {
  registry.SetDword(kValue, 48000);
  EXPECT_NE(Write(SettingValue(std::wstring(L"abc"))), ERROR_SUCCESS);
  EXPECT_EQ(registry.Get(kValue), test::Dword(48000));
}

TEST_F(RegistryTest, TextIsWrittenWithItsTerminator) {
  EXPECT_EQ(Write(SettingValue(std::wstring(L"48000")), kTypeText), ERROR_SUCCESS);
  const test::Stored expected{REG_SZ, {'4', '8', '0', '0', '0', 0}};
  EXPECT_EQ(registry.Get(kValue), expected);
}

TEST_F(RegistryTest, OtherTypesWriteNothing) {
  EXPECT_EQ(Write(SettingValue(std::int32_t{1}), REG_BINARY), ERROR_SUCCESS);
  EXPECT_FALSE(registry.Get(kValue));
}

TEST_F(RegistryTest, WritingBelowAMissingKeyCreatesNothing) {
  registry.RemoveKey(Key::Customization);
  EXPECT_EQ(Write(SettingValue(std::int32_t{1})), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry.KeyExists(Key::Customization));
}

TEST_F(RegistryTest, FailuresOfEachCall) {
  registry.SetText(kValue, "44100");
  {
    FailingStore failing(system);
    failing.Fail(Call::Open, ERROR_ACCESS_DENIED);
    EXPECT_TRUE(ReadKeyValue(failing, HKEY_LOCAL_MACHINE, kPath, kName).IsEmpty());
    EXPECT_EQ(WriteKeyValue(failing, HKEY_LOCAL_MACHINE, kPath, kName,
                            SettingValue(std::int32_t{1}), kTypeNumber),
              ERROR_ACCESS_DENIED);
  }
  {
    FailingStore failing(system);
    failing.Fail(Call::SizeQuery, ERROR_OUTOFMEMORY);
    EXPECT_TRUE(ReadKeyValue(failing, HKEY_LOCAL_MACHINE, kPath, kName).IsEmpty());
    EXPECT_EQ(failing.openKeys, 0);
  }
  {
    FailingStore failing(system);
    failing.Fail(Call::DataQuery, ERROR_OUTOFMEMORY);
    EXPECT_TRUE(ReadKeyValue(failing, HKEY_LOCAL_MACHINE, kPath, kName).IsEmpty());
  }
  {
    // A failed data query leaves a number where it was.
    registry.SetDword(kValue, 5);
    FailingStore failing(system);
    failing.Fail(Call::DataQuery, ERROR_OUTOFMEMORY);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    SettingValue value(std::int32_t{9});
    EXPECT_EQ(ReadValue(failing, key, kName, value), ERROR_OUTOFMEMORY);
    EXPECT_EQ(value, SettingValue(std::int32_t{9}));
    RegCloseKey(key);
  }
  {
    FailingStore failing(system);
    failing.Fail(Call::Set, ERROR_ACCESS_DENIED);
    EXPECT_EQ(WriteKeyValue(failing, HKEY_LOCAL_MACHINE, kPath, kName,
                            SettingValue(std::int32_t{1}), kTypeNumber),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.Dword(kValue), 5u);
    EXPECT_EQ(failing.openKeys, 0);
  }
}

TEST(ReadNumber, DecimalIntegersOnly) {
  using Case = std::pair<std::wstring, std::optional<long long>>;
  for (const auto& [text, expected] :
       std::vector<Case>{{std::wstring(L"1\0", 2), 1},
                         {std::wstring(L"7\0junk", 6), 7},
                         {L" 12\t", 12},
                         {L"+5", 5},
                         {L"-3", -3},
                         {L"007", 7},
                         {L"", std::nullopt},
                         {std::wstring(1, L'\0'), std::nullopt},
                         {L" ", std::nullopt},
                         {L"-", std::nullopt},
                         {L"abc", std::nullopt},
                         {L"1 2", std::nullopt},
                         {L"1.5", std::nullopt},
                         {L"0x10", std::nullopt},
                         {L"--1", std::nullopt},
                         {L"32767", 32767},
                         {L"32768", std::nullopt},
                         {L"-32768", -32768},
                         {L"-32769", std::nullopt},
                         {L"99999999999999999999999", std::nullopt}}) {
    EXPECT_EQ(ReadNumber(text, -32768, 32767), expected)
        << "\"" << std::string(text.begin(), text.end()) << "\"";
  }
  EXPECT_EQ(ReadNumber(L"-1", 0, 2), std::nullopt);
  EXPECT_EQ(ReadNumber(L"3", 0, 2), std::nullopt);
}

}  // namespace
}  // namespace calvane

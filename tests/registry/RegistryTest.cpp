// The registry routines against the test prefix's real registry.
#include "registry/Registry.h"

#include <gtest/gtest.h>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"

namespace calvane {
namespace {

// Values of the Customization key serve as plain test values here.
constexpr Setting kValue = Setting::SpdifFrequency;
const char* const kPath = KeyPath(Key::Customization);
const char* const kName = Info(kValue).name;

// The system registry, answering a data query through a buffer of exactly the
// size asked for with a guard byte behind it; when `grow`, answering the size
// query with one byte less, as if the text grew before the data query.
struct Guarded final : Store {
  LONG OpenKey(HKEY r, const char* p, REGSAM a, HKEY* k) override { return in.OpenKey(r, p, a, k); }
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override {
    std::vector<BYTE> guarded(*size + 1, 0xBD);
    const LONG status = in.QueryValue(key, name, type, data ? guarded.data() : nullptr, size);
    EXPECT_EQ(guarded.back(), 0xBD) << "written past the buffer";
    if (data) memcpy(data, guarded.data(), std::min<std::size_t>(guarded.size() - 1, *size));
    if (!data && grow && status == ERROR_SUCCESS && *size > 0) --*size;
    return status;
  }
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override {
    return in.SetValue(key, name, type, data, size);
  }
  LONG CloseKey(HKEY key) override { return in.CloseKey(key); }
  SystemRegistry in;
  bool grow = false;
};

class RegistryTest : public ::testing::Test {
 protected:
  SettingValue Read() { return ReadKeyValue(store, kRoot, kPath, kName); }
  LONG Write(Store& through, const SettingValue& value, DWORD type = kTypeNumber) {
    return WriteKeyValue(through, kRoot, kPath, kName, value, type);
  }
  // ReadValue into `value` on the key opened for reading beforehand.
  LONG ReadInto(Store& through, SettingValue& value) {
    OpenedKey key(guarded, kRoot, kPath, KEY_QUERY_VALUE);
    return ReadValue(through, key.get(), kName, value);
  }

  test::TestRegistry registry;
  Guarded guarded;
  test::FailingStore store{guarded};
};

TEST_F(RegistryTest, TextsKeepTheirTerminatorNumbersAre32BitsAndAllElseIsEmpty) {
  EXPECT_TRUE(Read().IsEmpty()) << "missing value";
  // A REG_SZ without its terminator reads as the empty text, not as Empty.
  // clang-format off
  const std::tuple<DWORD, std::vector<BYTE>, SettingValue> cases[] = {
      {REG_SZ, {'4', '4', '1', '0', '0', 0}, SettingValue(std::wstring(L"44100\0", 6))},
      {REG_SZ, {0}, SettingValue(std::wstring(1, L'\0'))}, {REG_DWORD, {0x34, 0x12}, {}},
      {REG_SZ, {}, SettingValue(std::wstring())}, {REG_DWORD, {31, 0, 0, 0}, SettingValue(31)},
      {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, SettingValue(-1)}, {REG_DWORD, {}, {}},
      {REG_BINARY, {1, 0, 0, 0}, {}}, {REG_EXPAND_SZ, {'1', 0}, {}},
      {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, {}}, {REG_MULTI_SZ, {'1', 0, 0}, {}},
      {REG_DWORD, {1, 0, 0, 0, 0xBD, 0xBD, 0xBD, 0xBD}, {}}};
  // clang-format on
  for (const auto& [type, bytes, expected] : cases) {
    registry.SetRaw(kValue, type, bytes);
    EXPECT_EQ(Read(), expected) << "type " << type << ", " << bytes.size() << " bytes";
  }
  // The odd-sized number, the last, replaces what the caller held; a text that
  // grew between the queries reads as Empty.
  SettingValue value(7);
  EXPECT_TRUE(ReadInto(store, value) != ERROR_SUCCESS && value.IsEmpty());
  registry.SetText(kValue, "48000");
  guarded.grow = true;
  EXPECT_TRUE(Read().IsEmpty()) << "grown text";
}

TEST_F(RegistryTest, NumbersAreWrittenAsFourBytesTextsWithTheirTerminatorAndNoKeyIsMade) {
  // What is written as which type over a stored 48000, whether that works,
  // what is stored then.
  // clang-format off
  const std::tuple<SettingValue, DWORD, bool, test::Stored> cases[] = {
      {SettingValue(std::wstring(L"1\0", 2)), kTypeNumber, true, test::Dword(1)},
      {SettingValue(std::int16_t{-2}), kTypeNumber, true, test::Dword(0xFFFFFFFE)},
      {SettingValue(44100), kTypeNumber, true, test::Dword(44100)},
      {SettingValue(std::wstring(L"abc")), kTypeNumber, false, test::Dword(48000)},
      {SettingValue(std::wstring(L"320")), kTypeText, true, {REG_SZ, {'3', '2', '0', 0}}},
      {SettingValue(1), REG_BINARY, true, test::Dword(48000)}};
  // clang-format on
  for (const auto& [value, type, works, stored] : cases) {
    registry.SetDword(kValue, 48000);
    EXPECT_EQ(Write(store, value, type) == ERROR_SUCCESS, works) << type;
    EXPECT_EQ(registry.Get(kValue), stored) << type;
  }
  // A key that may not be written is still read, opened for reading only.
  registry.MakeReadOnly(Key::Customization);
  store.opens.clear();
  EXPECT_EQ(Read(), SettingValue(48000));
  EXPECT_EQ(store.opens, std::vector<REGSAM>{KEY_QUERY_VALUE});
  EXPECT_EQ(Write(store, SettingValue(1)), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.opens.back(), REGSAM{0x3F});
  EXPECT_EQ(registry.Dword(kValue), 48000u);
  registry.RemoveKey(Key::Customization);
  EXPECT_TRUE(Read().IsEmpty()) << "missing key";
  EXPECT_EQ(Write(store, SettingValue(1)), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry.KeyExists(Key::Customization));
  EXPECT_EQ(store.openKeys, 0);
}

TEST_F(RegistryTest, AFailingCallFailsWhatUsesItAndLeavesNoKeyOpen) {
  // The failing call with its status; whether a text still reads; what a read
  // of the number 5 into a 9 returns and leaves; what a write of 1 returns.
  const std::tuple<test::Call, LONG, bool, LONG, int, LONG> cases[] = {
      {test::Call::Open, ERROR_ACCESS_DENIED, false, ERROR_SUCCESS, 5, ERROR_ACCESS_DENIED},
      {test::Call::SizeQuery, ERROR_OUTOFMEMORY, false, ERROR_OUTOFMEMORY, 9, ERROR_SUCCESS},
      {test::Call::DataQuery, ERROR_OUTOFMEMORY, false, ERROR_OUTOFMEMORY, 9, ERROR_SUCCESS},
      {test::Call::Set, ERROR_WRITE_PROTECT, true, ERROR_SUCCESS, 5, ERROR_WRITE_PROTECT}};
  for (const auto& [call, status, reads, numberRead, number, written] : cases) {
    SCOPED_TRACE(static_cast<int>(call));
    test::FailingStore failing(guarded);
    failing.Fail(call, status);
    registry.SetText(kValue, "44100");
    EXPECT_EQ(ReadKeyValue(failing, kRoot, kPath, kName).IsEmpty(), !reads);
    registry.SetDword(kValue, 5);
    SettingValue value(9);
    EXPECT_TRUE(ReadInto(failing, value) == numberRead && value == SettingValue(number));
    EXPECT_EQ(Write(failing, SettingValue(1)), written);
    EXPECT_EQ(registry.Dword(kValue), written == ERROR_SUCCESS ? 1u : 5u);
    EXPECT_EQ(failing.openKeys, 0);
  }
}

TEST(ReadNumber, DecimalIntegersOnly) {
  // A text and its number, {} for none.
  using Case = std::pair<std::wstring, std::optional<long long>>;
  // clang-format off
  for (const auto& [text, expected] : std::vector<Case>{
           {std::wstring(L"7\0junk", 6), 7}, {L" 12\t", 12}, {L"+5", 5}, {L"-3", -3}, {L"007", 7},
           {L"", {}}, {std::wstring(1, L'\0'), {}}, {L" ", {}}, {L"-", {}}, {L"abc", {}},
           {L"1 2", {}}, {L"1.5", {}}, {L"0x10", {}}, {L"--1", {}}, {L"32767", 32767},
           {L"32768", {}}, {L"-32768", -32768}, {L"-32769", {}}, {L"99999999999999999999", {}}}) {
    // clang-format on
    EXPECT_EQ(ReadNumber(text, -32768, 32767), expected)
        << "\"" << std::string(text.begin(), text.end()) << "\"";
  }
  for (const wchar_t* text : {L"-1", L"3"}) EXPECT_EQ(ReadNumber(text, 0, 2), std::nullopt);
}

}  // namespace
}  // namespace calvane

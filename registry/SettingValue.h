// The tagged value that crosses the registry routines: Empty, a 16-bit or
// 32-bit signed integer, or a text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/Decimal.h"

namespace calvane {

// Registry type codes the routines understand.
inline constexpr unsigned long kTypeText = 1;    // REG_SZ
inline constexpr unsigned long kTypeNumber = 4;  // REG_DWORD

class SettingValue {
 public:
  SettingValue() = default;
  explicit SettingValue(std::int16_t number) : value_(number) {}
  explicit SettingValue(std::int32_t number) : value_(number) {}
  explicit SettingValue(std::wstring text) : value_(std::move(text)) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  const std::int16_t* Int16() const { return std::get_if<std::int16_t>(&value_); }
  const std::int32_t* Int32() const { return std::get_if<std::int32_t>(&value_); }
  const std::wstring* Text() const { return std::get_if<std::wstring>(&value_); }

  // Empty gives the empty text, a number its decimal digits, a text itself.
  std::wstring ToText() const;
  // Empty gives 0, a number itself, a text its number (ReadNumber); nothing
  // when the text holds no 32-bit number.
  std::optional<std::int32_t> ToInt32() const;

  friend bool operator==(const SettingValue&, const SettingValue&) = default;

 private:
  std::variant<std::monostate, std::int16_t, std::int32_t, std::wstring> value_;
};

// Reads a decimal integer from a text the way the panel reads stored numbers:
// the text ends at its first zero character (texts read from REG_SZ data keep
// the stored terminator), blanks around the number and one leading sign are
// allowed. An empty text, anything that is not a decimal integer, or a number
// outside [min, max] gives nothing.
std::optional<long long> ReadNumber(std::wstring_view text, long long min, long long max);
// The same reading for a number of any size: one beyond the range of a long
// long comes back as the nearer end of that range. Nothing when the text
// holds no decimal integer.
std::optional<long long> ReadAnyNumber(std::wstring_view text);

}  // namespace calvane

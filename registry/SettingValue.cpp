#include "registry/SettingValue.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace calvane {

std::wstring SettingValue::ToText() const {
  if (auto n = Int16()) return Decimal(*n);
  if (auto n = Int32()) return Decimal(*n);
  if (auto t = Text()) return *t;
  return {};
}

std::optional<std::int32_t> SettingValue::ToInt32() const {
  if (IsEmpty()) return 0;
  if (auto n = Int16()) return *n;
  if (auto n = Int32()) return *n;
  auto n = ReadNumber(*Text(), std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max());
  if (!n) return std::nullopt;
  return static_cast<std::int32_t>(*n);
}

namespace {

std::optional<long long> Parse(std::wstring_view text, long long min, long long max, bool clamp) {
  text = text.substr(0, text.find(L'\0'));
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);

  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;

  // Accumulate as a negative number so that the lowest value fits; stop as
  // soon as the magnitude leaves the range asked for.
  const long long limit = negative ? min : -max;
  long long n = 0;
  bool beyond = false;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const int digit = c - L'0';
    if (beyond || n < (limit + digit) / 10) {
      beyond = true;
      continue;
    }
    n = n * 10 - digit;
  }
  if (beyond) n = limit;
  if (!negative) n = -n;
  if (n >= min && n <= max && !beyond) return n;
  if (!clamp) return std::nullopt;
  return std::clamp(n, min, max);
}

}  // namespace

std::optional<long long> ReadNumber(std::wstring_view text, long long min, long long max) {
  return Parse(text, min, max, false);
}

std::optional<long long> ReadAnyNumber(std::wstring_view text) {
  return Parse(text, std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max(),
               true);
}

}  // namespace calvane

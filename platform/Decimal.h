// The decimal digits of a number, a minus sign before them when it is
// negative. Formatted here rather than by the C library's printf family,
// which the programs would otherwise link for this alone.
#pragma once

#include <iterator>
#include <string>

namespace calvane {

inline std::wstring Decimal(long long number) {
  wchar_t digits[24];
  wchar_t* at = digits + std::size(digits);
  unsigned long long magnitude =
      number < 0 ? 0ull - static_cast<unsigned long long>(number) : number;
  do {
    *--at = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (number < 0) *--at = L'-';
  return std::wstring(at, digits + std::size(digits));
}

}  // namespace calvane

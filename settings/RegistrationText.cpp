#include "settings/RegistrationText.h"

#include <windows.h>

#include <algorithm>

namespace calvane::registration {
namespace {

std::optional<std::wstring> FromCodePage(UINT page, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int count = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(page, flags, bytes.data(), count, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring text(size, L'\0');
  MultiByteToWideChar(page, flags, bytes.data(), count, text.data(), size);
  return text;
}

}  // namespace

bool SameText(std::wstring_view a, std::string_view b) {
  auto lower = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](wchar_t x, char y) {
    return lower(static_cast<unsigned>(x)) == lower(static_cast<unsigned char>(y));
  });
}

// Strips `start` (without regard to case) from `text`, if it starts so.
bool Strip(std::wstring_view& text, std::string_view start) {
  if (!SameText(text.substr(0, start.size()), start)) return false;
  text.remove_prefix(start.size());
  return true;
}

std::wstring_view Trimmed(std::wstring_view text) {
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Text from the file as a fault shows it: quoted, and cut short so that a
// line of thousands of characters is never shown whole.
std::wstring Shown(std::wstring_view text) { return L"\"" + Cut(text) + L"\""; }

std::wstring Cut(std::wstring_view text) {
  constexpr std::size_t kMost = 80;
  return std::wstring(text.substr(0, kMost)) + (text.size() > kMost ? L"..." : L"");
}

std::wstring Decoded(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) {
    bytes.remove_prefix(2);
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    // Half a character: the file was cut. U+FFFF ends no complete line.
    if (bytes.size() % 2) text += L'\xFFFF';
    return text;
  }
  if (bytes.starts_with("\xEF\xBB\xBF"))
    return FromCodePage(CP_UTF8, 0, bytes.substr(3)).value_or(L"");
  // Without a byte-order mark, a "Version 5.00" file may have been saved by a
  // text editor in UTF-8; REGEDIT4 is in the system's 8-bit code page.
  if (bytes.starts_with("Windows Registry Editor Version 5.00")) {
    if (auto text = FromCodePage(CP_UTF8, MB_ERR_INVALID_CHARS, bytes)) return *text;
  }
  return FromCodePage(CP_ACP, 0, bytes).value_or(L"");
}

// A quoted text from its opening quote, with \\ and \" unescaped; `rest`
// then holds what follows the closing quote. Nothing without one.
std::optional<std::wstring> Quoted(std::wstring_view& rest) {
  std::wstring text;
  for (std::size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == L'"') {
      rest.remove_prefix(i + 1);
      return text;
    }
    if (rest[i] == L'\\' && i + 1 < rest.size()) ++i;
    text += rest[i];
  }
  return std::nullopt;
}

// Up to `most` hexadecimal digits from the start of `rest`, taken from it.
std::optional<std::uint32_t> Hex(std::wstring_view& rest, std::size_t most) {
  std::uint32_t n = 0;
  std::size_t i = 0;
  for (; i < rest.size() && i < most; ++i) {
    const wchar_t c = rest[i];
    const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                      : c >= L'a' && c <= L'f' ? c - L'a' + 10
                      : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                               : -1;
    if (digit < 0) break;
    n = n << 4 | static_cast<std::uint32_t>(digit);
  }
  if (i == 0) return std::nullopt;
  rest.remove_prefix(i);
  return n;
}

// The name of a value line ("" for @); `rest` then holds what follows it.
std::optional<std::wstring> ValueName(std::wstring_view& rest) {
  if (rest.front() != L'@') return Quoted(rest);
  rest.remove_prefix(1);
  return std::wstring();
}

// Whether a last line without a line end is whole as a registry editor
// writes it: blank, a key in brackets, or a value written as a text with its
// closing quote or as a dword with all eight digits. Any other line (a hex
// list above all) may have been cut anywhere.
bool Whole(std::wstring_view line) {
  if (line.empty()) return true;
  if (line.front() == L'[') return line.back() == L']';
  if (line.front() != L'"' && line.front() != L'@') return false;
  if (!ValueName(line)) return false;
  line = Trimmed(line);
  if (!line.starts_with(L'=')) return false;
  line = Trimmed(line.substr(1));
  if (line.starts_with(L'"')) return Quoted(line) && Trimmed(line).empty();
  return Strip(line, "dword:") && line.size() == 8 && Hex(line, 8) && line.empty();
}

}  // namespace calvane::registration

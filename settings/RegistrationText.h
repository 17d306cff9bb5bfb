// The text of registration files, piece by piece: the file's bytes decoded,
// names and texts in quotes, hexadecimal digits, and telling a whole line
// from one that was cut. Each piece takes what it reads from the front of
// `rest`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calvane::registration {

// Equal without regard to the case of ASCII letters.
bool SameText(std::wstring_view a, std::string_view b);
// Strips `start` (without regard to case) from `text`, if it starts so.
bool Strip(std::wstring_view& text, std::string_view start);
std::wstring_view Trimmed(std::wstring_view text);
// Text from the file as a fault shows it: quoted, and cut short so that a
// line of thousands of characters is never shown whole.
std::wstring Shown(std::wstring_view text);
// The same, unquoted: at most 80 characters, then "...".
std::wstring Cut(std::wstring_view text);
// The file's bytes as text: UTF-16 with its byte-order mark, UTF-8 with one
// (or a "Version 5.00" file in UTF-8 without), else the 8-bit code page.
std::wstring Decoded(std::string_view bytes);
// A quoted text from its opening quote, with \\ and \" unescaped; `rest`
// then holds what follows the closing quote. Nothing without one.
std::optional<std::wstring> Quoted(std::wstring_view& rest);
// Up to `most` hexadecimal digits from the start of `rest`, taken from it.
std::optional<std::uint32_t> Hex(std::wstring_view& rest, std::size_t most);
// The name of a value line ("" for @); `rest` then holds what follows it.
std::optional<std::wstring> ValueName(std::wstring_view& rest);
// Whether a last line without a line end is whole as a registry editor
// writes it: blank, a key in brackets, or a value written as a text with its
// closing quote or as a dword with all eight digits. Any other line (a hex
// list above all) may have been cut anywhere.
bool Whole(std::wstring_view line);

}  // namespace calvane::registration

// The system's own text for an error code, with its number, as every message
// of the panel, its applet and its installer action gives it:
// "The system cannot find the file specified. (error 2)".
#pragma once

#include <windows.h>

#include <string>

#include "platform/Decimal.h"

namespace calvane {

inline std::wstring SystemText(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = text ? text : L"";
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  if (message.empty()) message = L"Unknown error";
  return message + L". (error " + Decimal(error) + L")";
}

}  // namespace calvane

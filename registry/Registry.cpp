#include "registry/Registry.h"

#include <algorithm>
#include <vector>

namespace calvane {
namespace {

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(bytes, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

std::wstring Widen(const char* data, DWORD size) {
  if (size == 0) return {};
  const int bytes = static_cast<int>(size);
  const int chars = MultiByteToWideChar(CP_ACP, 0, data, bytes, nullptr, 0);
  std::wstring wide(chars, L'\0');
  MultiByteToWideChar(CP_ACP, 0, data, bytes, wide.data(), chars);
  return wide;
}

}  // namespace

LONG WriteValue(Store& store, HKEY key, const char* name, DWORD type, const SettingValue& value) {
  if (type == kTypeText) {
    const std::string text = Narrow(value.ToText());
    // REG_SZ data includes its terminating zero; c_str() provides it.
    return store.SetValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  }
  if (type == kTypeNumber) {
    const auto number = value.ToInt32();
    if (!number) return ERROR_INVALID_DATA;
    const DWORD data = static_cast<DWORD>(*number);
    return store.SetValue(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
  }
  return ERROR_SUCCESS;
}

LONG ReadValue(Store& store, HKEY key, const char* name, SettingValue& value) {
  DWORD type = 0;
  DWORD size = 0;
  LONG status = store.QueryValue(key, name, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;

  if (type == REG_SZ) {
    RawValue raw{REG_SZ, std::vector<BYTE>(size)};
    DWORD read = size;
    status = store.QueryValue(key, name, &type, raw.bytes.data(), &read);
    // Data that grew or changed its type since the first query reads as Empty.
    if (status == ERROR_SUCCESS && (read > size || type != REG_SZ)) status = ERROR_INVALID_DATA;
    raw.bytes.resize(std::min(read, size));
    value = status == ERROR_SUCCESS ? ValueOf(raw) : SettingValue();
    return status;
  }
  if (type == REG_DWORD) {
    // One to four bytes hold a little-endian number (a short one as if
    // zero-extended); no data, or more than four bytes, is no number the
    // panel can use. Nothing is read past four bytes.
    if (size == 0 || size > sizeof(DWORD)) {
      value = SettingValue();
      return ERROR_INVALID_DATA;
    }
    RawValue raw{REG_DWORD, std::vector<BYTE>(size)};
    DWORD read = size;
    status = store.QueryValue(key, name, &type, raw.bytes.data(), &read);
    if (status == ERROR_SUCCESS && type == REG_DWORD && read == size) {
      value = ValueOf(raw);
    } else if (status == ERROR_SUCCESS) {
      value = SettingValue();  // changed between the two queries
      status = ERROR_INVALID_DATA;
    }
    return status;
  }
  return -1;
}

LONG WriteKeyValue(Store& store, HKEY root, const char* path, const char* name,
                   const SettingValue& value, DWORD type, REGSAM view) {
  OpenedKey key(store, root, path, kWriteAccess | view);
  if (key.status() != ERROR_SUCCESS) return key.status();
  return WriteValue(store, key.get(), name, type, value);
}

SettingValue ReadKeyValue(Store& store, HKEY root, const char* path, const char* name,
                          REGSAM view) {
  SettingValue value;
  OpenedKey key(store, root, path, KEY_QUERY_VALUE | view);
  if (key.status() == ERROR_SUCCESS) ReadValue(store, key.get(), name, value);
  return value;
}

SettingValue ValueOf(const RawValue& raw) {
  if (raw.type == REG_SZ) {
    return SettingValue(Widen(reinterpret_cast<const char*>(raw.bytes.data()),
                              static_cast<DWORD>(raw.bytes.size())));
  }
  const auto& b = raw.bytes;
  if (raw.type != REG_DWORD || b.empty() || b.size() > sizeof(DWORD)) return SettingValue();
  DWORD number = 0;
  for (std::size_t i = b.size(); i-- > 0;) number = number << 8 | b[i];
  return SettingValue(static_cast<std::int32_t>(number));
}

std::optional<RawValue> ReadRawValue(Store& store, HKEY key, const char* name, LONG* status) {
  LONG ignored;
  LONG& result = status ? *status : ignored;
  RawValue value;
  DWORD size = 0;
  result = store.QueryValue(key, name, &value.type, nullptr, &size);
  if (result != ERROR_SUCCESS) return std::nullopt;
  // The data may grow between the two queries; then it is asked for again.
  for (int attempt = 0; attempt < 4; ++attempt) {
    value.bytes.resize(size);
    result = store.QueryValue(key, name, &value.type, value.bytes.data(), &size);
    if (result == ERROR_SUCCESS) {
      value.bytes.resize(size);
      return value;
    }
    if (result != ERROR_MORE_DATA) return std::nullopt;
  }
  return std::nullopt;
}

LONG WriteRawValue(Store& store, HKEY key, const char* name, const RawValue& value) {
  return store.SetValue(key, name, value.type, value.bytes.data(),
                        static_cast<DWORD>(value.bytes.size()));
}

}  // namespace calvane

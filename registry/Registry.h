// The four routines through which every registry read and write passes.
// The key-level pair opens its key for one operation and closes it again;
// no key is ever created.
#pragma once

#include <optional>
#include <vector>

#include "registry/SettingValue.h"
#include "registry/Store.h"

namespace calvane {

// Access the panel asks for when it writes: query value, set value, create
// sub-key, enumerate sub-keys, notify, create link.
inline constexpr REGSAM kWriteAccess = 0x3F;

// Type kTypeText writes the text and its terminating zero, kTypeNumber the
// value as a 4-byte integer; any other type writes nothing and succeeds.
LONG WriteValue(Store& store, HKEY key, const char* name, DWORD type, const SettingValue& value);

// REG_SZ data comes back as text including the stored terminating zero;
// REG_DWORD data of 1 to 4 bytes as a 32-bit integer (little-endian,
// zero-extended). A failed first query leaves `value` alone; REG_SZ data that
// grows between the two queries, and REG_DWORD data of no bytes or more than
// 4, give Empty. Other types return -1.
LONG ReadValue(Store& store, HKEY key, const char* name, SettingValue& value);

// Opens the key for writing, writes, closes; returns the open's status when
// the key could not be opened, else the write's. `view` is added to the
// access asked for (KEY_WOW64_32KEY for a key of the 32-bit view).
LONG WriteKeyValue(Store& store, HKEY root, const char* path, const char* name,
                   const SettingValue& value, DWORD type, REGSAM view = 0);

// Opens the key for reading only, so that a user who may not write still sees
// the stored settings. Anything that cannot be read gives Empty.
SettingValue ReadKeyValue(Store& store, HKEY root, const char* path, const char* name,
                          REGSAM view = 0);

// A value exactly as it is stored: its type and its data.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};
// A value's data as ReadValue gives it: Empty unless it is a REG_SZ or a
// REG_DWORD of 1 to 4 bytes.
SettingValue ValueOf(const RawValue& raw);
// On a key opened by the caller: a value as stored, nothing when it cannot
// be read (`status` says why: ERROR_FILE_NOT_FOUND when it is missing); and
// a value put back exactly so.
std::optional<RawValue> ReadRawValue(Store& store, HKEY key, const char* name,
                                     LONG* status = nullptr);
LONG WriteRawValue(Store& store, HKEY key, const char* name, const RawValue& value);

}  // namespace calvane

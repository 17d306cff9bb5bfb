#include "settings/WholeFile.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "platform/UniqueHandle.h"

namespace calvane {
namespace {

UniqueHandle OpenFile(const std::wstring& path, DWORD access, DWORD creation) {
  HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, creation,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// At most this much per ReadFile and WriteFile call.
constexpr std::size_t kChunk = 1 << 20;

DWORD WriteAll(HANDLE file, const std::string& data) {
  for (std::size_t done = 0; done < data.size();) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min(data.size() - done, kChunk));
    if (!WriteFile(file, data.data() + done, size, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

// The name as the system takes it at any length: a full name of MAX_PATH
// characters or more gets the "\\?\" prefix, which lifts that limit.
std::wstring AnyLength(const std::wstring& path) {
  std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
  if (full.size() < MAX_PATH || full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\"))
    return path;
  return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

// Creates a file of the panel's own beside `target`, under a fresh name
// made as the system makes temporary names ("cal" and four hexadecimal
// digits, ".tmp"): never one that exists, and short enough for any folder.
// Nothing, with the system's error, when none can be made.
UniqueHandle CreateOwnFile(const std::wstring& target, std::wstring& name) {
  static unsigned counter = GetTickCount() ^ GetCurrentProcessId();
  const std::wstring folder = target.substr(0, target.find_last_of(L"\\/:") + 1);
  for (int tries = 0; tries < 0x10000; ++tries) {
    wchar_t digits[] = L"0000";
    for (unsigned i = 4, n = ++counter; i-- > 0; n >>= 4) digits[i] = L"0123456789ABCDEF"[n & 0xF];
    name = AnyLength(folder + L"cal" + digits + L".tmp");
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return UniqueHandle(file);
    // Taken: a file, or a folder (which CREATE_NEW meets as access denied).
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
        !(error == ERROR_ACCESS_DENIED &&
          GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES)) {
      SetLastError(error);
      return nullptr;
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  return nullptr;
}

// The attributes a saved file takes over from the one it replaces.
constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                        FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Puts the written file `from` in the place of the existing file `to`, with
// `to`'s attributes: given to `from` first, since one ReplaceFileW (Wine's)
// keeps the replacement's attributes and another (Windows') the replaced
// file's.
DWORD Replace(const std::wstring& from, const std::wstring& to, DWORD attributes) {
  const DWORD kept = attributes & kKept ? attributes & kKept : FILE_ATTRIBUTE_NORMAL;
  if (!SetFileAttributesW(from.c_str(), kept)) return GetLastError();
  // Without a backup name, one of ReplaceFileW's failures leaves the old
  // file deleted; with one, the old file is either still in its place or
  // under the backup name, from where it goes back. The backup name is a
  // file of the panel's own, made empty for ReplaceFileW to replace.
  std::wstring backup;
  if (!CreateOwnFile(to, backup)) return GetLastError();
  if (!ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
    const DWORD error = GetLastError();
    // Still the old file, when it could not go back: kept, not deleted.
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 || MoveFileExW(backup.c_str(), to.c_str(), 0)) {
      DeleteFileW(backup.c_str());
    }
    return error;
  }
  DeleteFileW(backup.c_str());
  return ERROR_SUCCESS;
}

}  // namespace

unsigned long ReadWholeFile(const std::wstring& path, std::string& data, std::size_t limit) {
  data.clear();
  if (path.empty()) return ERROR_INVALID_NAME;
  UniqueHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return GetLastError();
  const std::size_t most = limit == std::string::npos ? limit : limit + 1;
  std::size_t total = 0;
  while (total < most) {
    data.resize(std::min(most, total + kChunk));
    DWORD read = 0;
    if (!ReadFile(file.get(), data.data() + total, static_cast<DWORD>(data.size() - total), &read,
                  nullptr)) {
      const DWORD error = GetLastError();
      data.clear();
      return error;
    }
    total += read;
    if (read == 0) break;
  }
  data.resize(total);
  return ERROR_SUCCESS;
}

unsigned long SaveWholeFile(const std::wstring& path, const std::string& data) {
  if (path.empty()) return ERROR_INVALID_NAME;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // A folder is never replaced by a file (Wine's ReplaceFileW would do so
    // with an empty one), nor a read-only file (the system replaces none).
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
    if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_FILE_READ_ONLY;
  }
  // In the target's folder, so that it can be renamed into place.
  std::wstring written;
  DWORD error = ERROR_SUCCESS;
  {
    UniqueHandle file = CreateOwnFile(path, written);
    if (!file) return GetLastError();
    error = WriteAll(file.get(), data);
    if (!error && !CloseHandle(file.release())) error = GetLastError();
  }
  if (!error) {
    // A file made meanwhile under the target's name is not replaced.
    error = attributes != INVALID_FILE_ATTRIBUTES ? Replace(written, path, attributes)
            : MoveFileExW(written.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                                 : GetLastError();
  }
  if (error) DeleteFileW(written.c_str());
  return error;
}

}  // namespace calvane

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

// Puts the written file `from` in the place of `to`.
DWORD Replace(const std::wstring& from, const std::wstring& to) {
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                         : GetLastError();
  }
  // A folder is never replaced by a file (Wine's ReplaceFileW would do so
  // with an empty one).
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
  // Without a backup name, one of ReplaceFileW's failures leaves the old
  // file deleted; with one, the old file is either still in its place or
  // under the backup name, from where it goes back.
  const std::wstring backup = to + L".old";
  if (!ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExW(backup.c_str(), to.c_str(), 0);
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
  // Named after the target, so that one left by a killed process is known
  // for what it is, and in its folder, so that it can be renamed into place.
  const std::wstring written = path + L".new";
  DWORD error = ERROR_SUCCESS;
  {
    UniqueHandle file = OpenFile(written, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file) return GetLastError();
    error = WriteAll(file.get(), data);
    if (!error && !CloseHandle(file.release())) error = GetLastError();
  }
  if (!error) error = Replace(written, path);
  if (error) DeleteFileW(written.c_str());
  return error;
}

}  // namespace calvane

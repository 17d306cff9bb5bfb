// Files read whole and saved whole.
#pragma once

#include <cstddef>
#include <string>

namespace calvane {

// Reads the file up to `limit` bytes and one more, so that a larger file is
// seen as such. The system's error code, 0 when it worked; `data` is empty
// then.
unsigned long ReadWholeFile(const std::wstring& path, std::string& data, std::size_t limit);

// Saves `data` as the file `path`, which it never rewrites in place: the
// data goes to a file of its own in the same folder first, made under a
// fresh name ("calXXXX.tmp", four hexadecimal digits), flushed to the disk,
// which then takes the old file's place in one step with the old file's
// attributes and permissions. It creates, writes and removes no file but its
// own: on any failure the old file stays as it was and nothing is left
// beside it. A read-only file is not replaced (ERROR_FILE_READ_ONLY). The
// system's error code, 0 when it worked.
unsigned long SaveWholeFile(const std::wstring& path, const std::string& data);

}  // namespace calvane

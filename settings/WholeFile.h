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
// data goes to path + ".new" first, flushed to the disk, which then takes the
// old file's place in one step (keeping its attributes and permissions). On
// any failure the old file stays as it was and nothing is left beside it.
// The system's error code, 0 when it worked.
unsigned long SaveWholeFile(const std::wstring& path, const std::string& data);

}  // namespace calvane

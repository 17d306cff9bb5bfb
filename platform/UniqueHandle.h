// Owner for a kernel object's handle: an event, a mutex, a file, a process.
#pragma once

#include <windows.h>

#include <memory>

namespace calvane {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// Holds nothing rather than INVALID_HANDLE_VALUE: give it a handle only once
// it is known to be valid.
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace calvane

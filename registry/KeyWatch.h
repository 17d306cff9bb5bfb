// Watches registry keys for changes of their values, made by any program,
// from a thread of its own, and calls `changed` on that thread after each
// burst of them. A key that does not exist is watched through its nearest
// existing parent, so that its creation is seen; a key that exists, through
// its parent too, so that its deletion is. A notification fires once: the
// watch is armed again before `changed` runs, so that nothing made after the
// caller starts reading again is missed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace calvane {

class KeyWatch {
 public:
  struct Watched {
    HKEY root;
    std::string path;
    REGSAM view;  // KEY_WOW64_32KEY for a key of the 32-bit view, else 0
  };
  KeyWatch(std::vector<Watched> keys, std::function<void()> changed);
  ~KeyWatch();  // stops the thread and waits for it
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

 private:
  struct State;
  static DWORD WINAPI Run(void* state);
  std::unique_ptr<State> state_;
  HANDLE thread_ = nullptr;
};

}  // namespace calvane

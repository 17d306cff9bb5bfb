// Watches registry keys for changes of their values made by any program. A
// key that does not exist is watched through its nearest existing parent, so
// that its creation is seen; a key that exists, through its parent too, so
// that its deletion is. A notification fires once: Changed() arms each watch
// that fired again before it answers, so that nothing made after the caller
// starts reading is missed. No thread: the caller asks when it likes.
#pragma once

#include <windows.h>

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
  explicit KeyWatch(std::vector<Watched> keys);
  ~KeyWatch();
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

  // Whether any watched key changed since the last time it was asked.
  bool Changed();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace calvane

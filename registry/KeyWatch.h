// Watches registry keys, through the store, for changes of their values
// made by any program. A key that does not exist is watched through its
// nearest existing parent, so that its creation is seen; a key that exists,
// through its parent too, so that its deletion is.
//
// A thread of the watch's own waits for the registry's events and, when one
// fires, calls `fired` (on that thread) once; it then waits until the owner
// has called Rearm, which asks the registry again for each watch that fired
// before it answers, so that nothing made after the owner starts reading is
// missed. Nothing runs while nothing changes. The registry's requests are
// made on the owner's thread, which outlives them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "registry/Store.h"

namespace calvane {

class KeyWatch {
 public:
  struct Watched {
    HKEY root;
    std::string path;
    REGSAM view;  // KEY_WOW64_32KEY for a key of the 32-bit view, else 0
  };
  KeyWatch(Store& store, std::vector<Watched> keys, std::function<void()> fired);
  ~KeyWatch();
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

  // Once after each call of `fired`: whether a watched key changed since the
  // watch was last armed; the watch waits again.
  bool Rearm();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace calvane

#include "registry/KeyWatch.h"

namespace calvane {
namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<HKEY__, KeyCloser>;
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Opened for watching and reading only: a user who may not write is watched
// too.
UniqueKey Open(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE | view, &key)) {
    return nullptr;
  }
  return UniqueKey(key);
}

}  // namespace

struct KeyWatch::State {
  std::vector<Watched> keys;
  std::function<void()> changed;
  UniqueHandle stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  UniqueHandle fired{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  std::vector<UniqueKey> armed;

  // Each key for its values and its subkeys, and its parent for the key's
  // own deletion or creation; a missing key's nearest parent for anything
  // made below it.
  void Arm() {
    // Closing a watched key may fire its watch; what changes from here on is
    // seen by the next watch or by the reading that follows this one.
    armed.clear();
    ResetEvent(fired.get());
    for (const Watched& watched : keys) {
      std::string path = watched.path;
      bool self = true;
      for (;;) {
        UniqueKey key = Open(watched.root, path, watched.view);
        if (key) {
          const DWORD filter = REG_NOTIFY_CHANGE_NAME | (self ? REG_NOTIFY_CHANGE_LAST_SET : 0);
          if (!RegNotifyChangeKeyValue(key.get(), !self, filter, fired.get(), TRUE)) {
            armed.push_back(std::move(key));
          }
          if (!self || path.empty()) break;
        }
        const std::size_t slash = path.rfind('\\');
        path = slash == std::string::npos ? std::string() : path.substr(0, slash);
        if (key) {
          // The parent, for the key itself going or coming back.
          if (UniqueKey parent = Open(watched.root, path, watched.view);
              parent && !RegNotifyChangeKeyValue(parent.get(), FALSE, REG_NOTIFY_CHANGE_NAME,
                                                 fired.get(), TRUE)) {
            armed.push_back(std::move(parent));
          }
          break;
        }
        self = false;
      }
    }
  }
};

KeyWatch::KeyWatch(std::vector<Watched> keys, std::function<void()> changed)
    : state_(std::make_unique<State>()) {
  state_->keys = std::move(keys);
  state_->changed = std::move(changed);
  state_->Arm();
  thread_ = CreateThread(nullptr, 0, &KeyWatch::Run, state_.get(), 0, nullptr);
}

KeyWatch::~KeyWatch() {
  if (!thread_) return;
  SetEvent(state_->stop.get());
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

DWORD WINAPI KeyWatch::Run(void* parameter) {
  auto& state = *static_cast<State*>(parameter);
  const HANDLE waits[] = {state.stop.get(), state.fired.get()};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    state.Arm();
    state.changed();
  }
  return 0;
}

}  // namespace calvane

#include "registry/KeyWatch.h"

#include "platform/UniqueHandle.h"

namespace calvane {
namespace {

std::string Parent(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

UniqueHandle NewEvent() { return UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

}  // namespace

// The watches, each a key open for notifying, what it is watched for and
// its event (reset by hand, so that the thread's wait leaves it set for
// Rearm to see); and the thread with the two events that steer it.
struct KeyWatch::State {
  struct Armed {
    OpenedKey key;
    bool subtree;
    DWORD filter;
    UniqueHandle fired = NewEvent();
  };
  Store& store;
  std::vector<Watched> keys;
  std::vector<Armed> armed;  // values watched first, then the keys' parents
  std::size_t values = 0;
  std::function<void()> fired;
  UniqueHandle stop = NewEvent();
  UniqueHandle resume{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  UniqueHandle thread;

  State(Store& store, std::vector<Watched> keys, std::function<void()> fired)
      : store(store), keys(std::move(keys)), fired(std::move(fired)) {}

  // Opened for watching and reading only: a user who may not write is
  // watched too.
  OpenedKey Open(const Watched& watched, const std::string& path) {
    return OpenedKey(store, watched.root, path.c_str(),
                     KEY_NOTIFY | KEY_QUERY_VALUE | watched.view);
  }

  bool Arm(const Armed& a) {
    ResetEvent(a.fired.get());
    return a.fired &&
           store.NotifyChange(a.key.get(), a.subtree, a.filter, a.fired.get()) == ERROR_SUCCESS;
  }

  void Watch(OpenedKey key, bool subtree, DWORD filter) {
    armed.push_back({std::move(key), subtree, filter});
    if (!Arm(armed.back())) armed.pop_back();
  }

  // Each key for its values; then, for each key, its parent for the key's
  // own deletion or creation, or a missing key's nearest existing parent
  // for anything made below it.
  void ArmAll() {
    armed.clear();
    std::vector<bool> exists;
    for (const Watched& watched : keys) {
      OpenedKey key = Open(watched, watched.path);
      exists.push_back(key.get() != nullptr);
      if (key.get())
        Watch(std::move(key), false, REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME);
    }
    values = armed.size();
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const Watched& watched = keys[k];
      for (std::string path = Parent(watched.path);; path = Parent(path)) {
        if (OpenedKey parent = Open(watched, path); parent.get()) {
          Watch(std::move(parent), !exists[k], REG_NOTIFY_CHANGE_NAME);
          break;
        }
        if (path.empty()) break;
      }
    }
  }

  // The thread: waits for a watch to fire, tells, and waits to be resumed.
  // It reads `armed` only while the owner waits for it to tell, so the two
  // never touch it at once.
  void Run() {
    for (;;) {
      std::vector<HANDLE> events{stop.get()};
      for (const Armed& a : armed) events.push_back(a.fired.get());
      const DWORD woke =
          WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, INFINITE);
      if (woke == WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + events.size()) return;
      fired();
      const HANDLE next[] = {stop.get(), resume.get()};
      if (WaitForMultipleObjects(2, next, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    }
  }
  static DWORD WINAPI Thread(void* state) {
    static_cast<State*>(state)->Run();
    return 0;
  }
};

KeyWatch::KeyWatch(Store& store, std::vector<Watched> keys, std::function<void()> fired)
    : state_(std::make_unique<State>(store, std::move(keys), std::move(fired))) {
  state_->ArmAll();
  // A small stack: the thread only waits.
  state_->thread.reset(CreateThread(nullptr, 64 * 1024, &State::Thread, state_.get(),
                                    STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
}

KeyWatch::~KeyWatch() {
  if (state_->thread) {
    SetEvent(state_->stop.get());
    WaitForSingleObject(state_->thread.get(), INFINITE);
  }
}

bool KeyWatch::Rearm() {
  // A value changed: that key's watch again, on the key still open. A key
  // made or deleted: every watch anew, the keys opened again.
  bool changed = false, anew = false;
  for (std::size_t i = 0; i < state_->armed.size(); ++i) {
    const auto& armed = state_->armed[i];
    if (WaitForSingleObject(armed.fired.get(), 0) != WAIT_OBJECT_0) continue;
    changed = true;
    anew = anew || i >= state_->values || !state_->Arm(armed);
  }
  if (anew) state_->ArmAll();
  SetEvent(state_->resume.get());
  return changed;
}

}  // namespace calvane

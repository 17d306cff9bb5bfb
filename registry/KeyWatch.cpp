#include "registry/KeyWatch.h"

#include "registry/UniqueHandle.h"

namespace calvane {
namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<HKEY__, KeyCloser>;

// Opened for watching and reading only: a user who may not write is watched
// too.
UniqueKey Open(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE | view, &key)) {
    return nullptr;
  }
  return UniqueKey(key);
}

std::string Parent(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

// The watches: each a key open for notifying, what it is watched for, and
// its event.
struct KeyWatch::State {
  struct Armed {
    UniqueKey key;
    bool subtree;
    DWORD filter;
    UniqueHandle fired{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    bool Arm() const {
      return !RegNotifyChangeKeyValue(key.get(), subtree, filter, fired.get(), TRUE);
    }
  };
  std::vector<Watched> keys;
  std::vector<Armed> armed;  // values watched first, then the keys' parents
  std::size_t values = 0;

  void Watch(UniqueKey key, bool subtree, DWORD filter) {
    armed.push_back({std::move(key), subtree, filter});
    if (!armed.back().Arm()) armed.pop_back();
  }

  // Each key for its values; then, for each key, its parent for the key's
  // own deletion or creation, or a missing key's nearest existing parent
  // for anything made below it.
  void ArmAll() {
    armed.clear();
    std::vector<bool> exists;
    for (const Watched& watched : keys) {
      UniqueKey key = Open(watched.root, watched.path, watched.view);
      exists.push_back(key != nullptr);
      if (key) Watch(std::move(key), false, REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME);
    }
    values = armed.size();
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const Watched& watched = keys[k];
      for (std::string path = Parent(watched.path);; path = Parent(path)) {
        if (UniqueKey parent = Open(watched.root, path, watched.view)) {
          Watch(std::move(parent), !exists[k], REG_NOTIFY_CHANGE_NAME);
          break;
        }
        if (path.empty()) break;
      }
    }
  }
};

KeyWatch::KeyWatch(std::vector<Watched> keys) : state_(std::make_unique<State>()) {
  state_->keys = std::move(keys);
  state_->ArmAll();
}

KeyWatch::~KeyWatch() = default;

bool KeyWatch::Changed() {
  // A value changed: that key's watch again, on the key still open. A key
  // made or deleted: every watch anew, the keys opened again.
  bool changed = false, anew = false;
  for (std::size_t i = 0; i < state_->armed.size(); ++i) {
    const auto& armed = state_->armed[i];
    if (WaitForSingleObject(armed.fired.get(), 0) != WAIT_OBJECT_0) continue;
    changed = true;
    anew = anew || i >= state_->values || !armed.Arm();
  }
  if (anew) state_->ArmAll();
  return changed;
}

}  // namespace calvane

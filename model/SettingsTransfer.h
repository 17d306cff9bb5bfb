// Settings files to and from the settings model, one pipeline for the
// window's menu and the command line: Save writes the numbers the controls
// show of what is stored; Load reads a file, checks it whole against the
// controls, and stores it as one change set.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "model/Panel.h"
#include "settings/SettingsFile.h"

namespace calvane {

struct SaveOutcome {
  // The file could not be written (the system's error code), or nothing
  // was saved because none of the panel's values is stored.
  unsigned long error = 0;
  bool nothingStored = false;
  std::size_t saved = 0;
  // Settings left out: not stored, or stored as nothing their control shows;
  // the keys that do not exist, whose settings are all left out.
  std::vector<Setting> leftOut;
  std::vector<Key> missingKeys;
};
SaveOutcome SaveSettings(const Panel& panel, const std::wstring& path);

// Why a file's values cannot be stored: a control shows no such number, a
// list has no item with these numbers, or a list's values are not all given
// nor stored as numbers.
struct Unshowable {
  int line;
  const Field* field;
  enum class Why { Number, Item } why;
  std::uint32_t number;  // for Why::Number, and the text that gave it, if any
  std::wstring text;
};

// What a file asks the panel to store, checked: each control it sets with
// the state its numbers select (a list's missing values completed with the
// stored ones), the keys that do not exist, whose values are skipped, and
// the values the panel leaves alone.
struct LoadPlan {
  std::vector<std::pair<const Field*, int>> states;
  std::vector<Key> missingKeys;
  std::size_t skippedForMissingKeys = 0;
  std::vector<SkippedValue> skipped;
  std::size_t Values() const;  // how many values it stores
};
std::variant<LoadPlan, Unshowable> PlanLoad(const Panel& panel, const SettingsFile& file);

struct LoadOutcome {
  // The file could not be read (line 0, `readError` set) or was refused:
  // nothing was written.
  std::optional<FileFault> refused;
  unsigned long readError = 0;
  std::optional<Unshowable> unshowable;
  // A write failed: everything was put back.
  std::optional<WriteFailure> failure;
  LoadPlan plan;
};
LoadOutcome LoadSettings(Panel& panel, const std::wstring& path);

// Where this Windows keeps the A3D key for a registry editor: 64-bit
// Windows shows the 32-bit view under WOW6432Node.
A3DPath A3DPathHere();

}  // namespace calvane

#include "model/SettingsTransfer.h"

#include <windows.h>

#include <algorithm>

#include "settings/WholeFile.h"

namespace calvane {

A3DPath A3DPathHere() {
#ifdef _WIN64
  return A3DPath::Wow6432Node;
#else
  // A 32-bit program on 64-bit Windows runs under WOW64. IsWow64Process came
  // with Windows XP SP2, so it is looked up rather than imported.
  using IsWow64 = BOOL(WINAPI*)(HANDLE, BOOL*);
  const auto isWow64 = reinterpret_cast<IsWow64>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64 ? A3DPath::Wow6432Node
                                                                  : A3DPath::Plain;
#endif
}

SaveOutcome SaveSettings(const Panel& panel, const std::wstring& path) {
  SaveOutcome outcome;
  // Which values are stored, read now. SetGPIO0InQuad counts as stored
  // whenever its key exists: the start-up creates it there as 0.
  const StoredValues held = ReadStoredValues(panel.store());
  std::array<bool, kSettingCount> stored{};
  for (std::size_t i = 0; i < kSettingCount; ++i) stored[i] = held[i].has_value();
  stored[static_cast<std::size_t>(Setting::SetGPIO0InQuad)] =
      KeyExists(panel.store(), Key::Customization);
  if (std::none_of(stored.begin(), stored.end(), [](bool s) { return s; })) {
    outcome.nothingStored = true;
    return outcome;
  }
  for (Key key : kKeys) {
    if (!KeyExists(panel.store(), key)) outcome.missingKeys.push_back(key);
  }
  std::vector<FileValue> values;
  for (const auto& field : panel.declared().fields()) {
    const auto shown = panel.Shown(*field);
    // A chosen list item is saved as its whole row, however much of it is
    // stored; a single value only when it is stored.
    const bool whole = !field->KeepsEntries();
    if (!shown || (!whole && !stored[static_cast<std::size_t>(field->settings[0])])) {
      outcome.leftOut.insert(outcome.leftOut.end(), field->settings.begin(), field->settings.end());
      continue;
    }
    const Numbers numbers = field->Written(*shown);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      values.push_back({field->settings[i], numbers[i], 0});
    }
  }
  outcome.saved = values.size();
  outcome.error = SaveWholeFile(path, WriteSettingsFile(values, A3DPathHere()));
  return outcome;
}

std::size_t LoadPlan::Values() const {
  std::size_t count = 0;
  for (const auto& [field, state] : states) count += field->settings.size();
  return count;
}

std::variant<LoadPlan, Unshowable> PlanLoad(const Panel& panel, const SettingsFile& file) {
  LoadPlan plan;
  plan.skipped = file.skipped;
  for (Key key : kKeys) {
    const bool given =
        std::any_of(file.values.begin(), file.values.end(),
                    [key](const FileValue& v) { return Info(v.setting).key == key; });
    if (given && !KeyExists(panel.store(), key)) plan.missingKeys.push_back(key);
  }
  auto missing = [&plan](Setting setting) {
    return std::find(plan.missingKeys.begin(), plan.missingKeys.end(), Info(setting).key) !=
           plan.missingKeys.end();
  };
  for (const auto& field : panel.declared().fields()) {
    auto given = [&file](Setting setting) {
      return std::find_if(file.values.begin(), file.values.end(),
                          [setting](const FileValue& v) { return v.setting == setting; });
    };
    const auto count = std::count_if(field->settings.begin(), field->settings.end(),
                                     [&](Setting s) { return given(s) != file.values.end(); });
    if (!count) continue;
    Numbers numbers;
    int line = 0;
    bool complete = true;
    for (Setting setting : field->settings) {
      if (const auto value = given(setting); value != file.values.end()) {
        numbers.push_back(value->number);
        line = line ? std::min(line, value->line) : value->line;
        continue;
      }
      // A list's value the file does not give: the stored one, when it is
      // stored as a number.
      const SettingValue stored = ReadSetting(panel.store(), setting);
      const auto number = stored.IsEmpty() ? std::nullopt : stored.ToInt32();
      complete = complete && number;
      numbers.push_back(number ? static_cast<std::uint32_t>(*number) : 0);
    }
    // A key that does not exist is skipped, and with it every list row that
    // has a value in it.
    if (std::any_of(field->settings.begin(), field->settings.end(), missing)) {
      plan.skippedForMissingKeys += count;
      continue;
    }
    const auto state = complete ? field->StateFor(numbers) : std::nullopt;
    if (!state) {
      if (field->settings.size() > 1)
        return Unshowable{line, field.get(), Unshowable::Why::Item, 0, {}};
      return Unshowable{line, field.get(), Unshowable::Why::Number, numbers[0],
                        given(field->settings[0])->text};
    }
    plan.states.emplace_back(field.get(), *state);
  }
  return plan;
}

LoadOutcome LoadSettings(Panel& panel, const std::wstring& path) {
  LoadOutcome outcome;
  std::string bytes;
  if (path.empty()) {
    outcome.refused = FileFault{0, L"no file was named"};
    return outcome;
  }
  if ((outcome.readError = ReadWholeFile(path, bytes, kSettingsFileLimit))) {
    outcome.refused = FileFault{0, L""};
    return outcome;
  }
  auto read = ReadSettingsFile(bytes);
  if (auto* fault = std::get_if<FileFault>(&read)) {
    outcome.refused = *fault;
    return outcome;
  }
  auto plan = PlanLoad(panel, std::get<SettingsFile>(read));
  if (auto* unshowable = std::get_if<Unshowable>(&plan)) {
    outcome.unshowable = *unshowable;
    return outcome;
  }
  outcome.plan = std::get<LoadPlan>(plan);
  outcome.failure = panel.Apply(outcome.plan.states);
  return outcome;
}

}  // namespace calvane

#include "model/Panel.h"

#include <algorithm>
#include "model/Mistake.h"

namespace calvane {
namespace {

[[noreturn]] void Fail(const std::string& what) { throw Mistake(what); }

}  // namespace

Panel::Panel(Store& store, const Declared& declared) : store_(store), declared_(declared) {
  for (const auto& field : declared_.fields()) {
    states_.push_back({field->DesignState(), true, std::nullopt});
    for (Setting setting : field->settings) {
      auto& editor = fieldOf_[static_cast<std::size_t>(setting)];
      if (editor) Fail(std::string(Info(setting).name) + " is edited by two controls");
      editor = field.get();
    }
    if (field->fill) fillOrder_.push_back(field.get());
  }
  for (const SettingInfo& info : kSettings) {
    if (!fieldOf_[static_cast<std::size_t>(info.setting)]) {
      Fail(std::string(info.name) + " is edited by no control");
    }
  }
  std::sort(fillOrder_.begin(), fillOrder_.end(),
            [](const Field* a, const Field* b) { return a->fill < b->fill; });
  for (std::size_t i = 0; i < fillOrder_.size(); ++i) {
    if (fillOrder_[i]->fill != static_cast<int>(i) + 1) {
      Fail("the start-up's fill has no single control in place " + std::to_string(i + 1));
    }
  }
}

const Field& Panel::FieldOf(std::string_view control) const {
  if (const Field* field = RowNamed(declared_, control).field) return *field;
  Fail("the control " + std::string(control) + " edits no setting");
}

const Field& Panel::FieldEditing(Setting setting) const {
  return *fieldOf_[static_cast<std::size_t>(setting)];
}

void Panel::Set(const Field& field, ControlState state) {
  ControlState& shown = states_[field.id];
  if (shown == state) return;
  shown = std::move(state);
  if (view_) view_->Show(field, shown);
}

void Panel::SetCaption(const Field& field, std::optional<std::wstring> caption) {
  ControlState state = StateOf(field);
  state.caption = std::move(caption);
  Set(field, std::move(state));
}

void Panel::SetEnabled(const Field& field, bool enabled) {
  ControlState state = StateOf(field);
  state.enabled = enabled;
  Set(field, std::move(state));
}

std::vector<WriteFailure> Panel::StartUp() {
  std::vector<WriteFailure> failures;
  // One read of every value, each key opened once: the snapshot the fill
  // works from, and what the panel knows as stored from here on (then its
  // own writes), so that a value another program changes later is shown.
  const StoredValues stored = ReadStoredValues(store_);
  journal_.Know(stored);
  startedUp_ = true;
  snapshot_ = SnapshotOf(stored);
  // The driver does not create the rear-jack switch; the panel does, as 0.
  // A stored empty REG_SZ with its terminator reads as one zero character and
  // is left alone.
  if (snapshot_.Text(Setting::SetGPIO0InQuad).empty()) {
    ChangeSet create;
    create.Write(Setting::SetGPIO0InQuad, 0);
    if (auto failure = Commit(create)) {
      failures.push_back(*failure);
    } else {
      snapshot_.Put(Setting::SetGPIO0InQuad, 0);
    }
  }
  for (const Field* field : fillOrder_) {
    if (const auto state = field->Fill(snapshot_)) {
      if (auto failure = Change(*field, *state)) failures.push_back(*failure);
    }
  }
  for (const auto& field : declared_.fields()) {
    field->ShowCompanions(*this, snapshot_, Moment::StartUp);
  }
  return failures;
}

void Panel::ReadStored() {
  snapshot_ = SnapshotOf(ReadStoredValues(store_));
  if (snapshot_.Text(Setting::SetGPIO0InQuad).empty() && KeyExists(store_, Key::Customization)) {
    snapshot_.Put(Setting::SetGPIO0InQuad, 0);
  }
  for (const auto& field : declared_.fields()) Refresh(*field);
}

void Panel::Act(const Field& field, int state) {
  ControlState shown = StateOf(field);
  shown.state = state;
  Set(field, std::move(shown));
  const Numbers numbers = field.Written(state);
  if (field.KeepsEntries()) {
    for (std::size_t i = 0; i < numbers.size(); ++i) snapshot_.Put(field.settings[i], numbers[i]);
  }
  field.ShowCompanions(*this, snapshot_, Moment::Change);
}

void Panel::AddWrites(ChangeSet& changes, const Field& field, int state) {
  const Numbers numbers = field.Written(state);
  for (std::size_t i = 0; i < numbers.size(); ++i) changes.Write(field.settings[i], numbers[i]);
}

std::optional<WriteFailure> Panel::Change(const Field& field, int state) {
  if (state == StateOf(field).state || state < 0 || state >= field.Count()) return std::nullopt;
  ChangeSet changes;
  AddWrites(changes, field, state);
  // Stored first, then shown: a refused change leaves the control as it was.
  auto failure = Commit(changes);
  if (!failure) Act(field, state);
  return failure;
}

std::optional<WriteFailure> Panel::Apply(std::span<const std::pair<const Field*, int>> states) {
  ChangeSet changes;
  for (const auto& [field, state] : states) AddWrites(changes, *field, state);
  auto failure = Commit(changes);
  if (!failure) {
    for (const auto& [field, state] : states) Act(*field, state);
  }
  return failure;
}

std::optional<WriteFailure> Panel::Commit(const ChangeSet& changes) {
  // The undo keeps what a value held before the panel first changed it.
  const ChangeSet::Result result =
      changes.Apply(store_, [this](Setting setting) { return journal_.Wants(setting); });
  journal_.Wrote(result.changes);
  if (result.ok()) return std::nullopt;
  // What the window shows goes back to what is stored: the settings of the
  // change, read again.
  ShowStored(changes.Settings(), ReadStoredValues(store_));
  return WriteFailure{*result.failed, result.status, result.notPutBack};
}

std::optional<int> Panel::Shown(const Field& field) const {
  if (field.KeepsEntries()) return field.Fill(snapshot_);
  const int state = StateOf(field).state;
  return state >= 0 ? std::optional(state) : std::nullopt;
}

void Panel::Refresh(const Field& field) {
  ControlState shown = StateOf(field);
  shown.state = field.DesignState();
  if (field.Selects()) shown.state = field.Fill(snapshot_).value_or(field.DesignState());
  Set(field, std::move(shown));
  field.ShowCompanions(*this, snapshot_, Moment::Refresh);
}

void Panel::ShowStored(const std::vector<Setting>& settings, const StoredValues& stored) {
  std::vector<const Field*> fields;
  for (Setting setting : settings) {
    const Field* field = &FieldEditing(setting);
    if (std::find(fields.begin(), fields.end(), field) == fields.end()) fields.push_back(field);
  }
  // Every value of each control concerned as stored now: a list's item is
  // selected from all of its values, not from those the start-up read.
  for (const Field* field : fields) {
    for (Setting setting : field->settings) {
      const auto at = static_cast<std::size_t>(setting);
      journal_.Know(setting, stored[at]);
      if (Info(setting).entry != Entry::None) {
        snapshot_.Take(setting, stored[at] ? ValueOf(*stored[at]) : SettingValue());
      }
    }
  }
  for (const Field* field : fields) Refresh(*field);
}

}  // namespace calvane

namespace calvane {

Panel::UndoOutcome Panel::Undo() {
  UndoOutcome outcome;
  const Journal::Undo undo = journal_.PlanUndo(ReadStoredValues(store_));
  outcome.leftAlone = undo.leftAlone;
  outcome.failure = Commit(undo.changes);
  // An undo that worked ends the journal; one that failed wrote nothing and
  // keeps it, so that the user can try again.
  if (!outcome.failure) {
    journal_.Clear();
    ShowStored(undo.shown, ReadStoredValues(store_));
  }
  return outcome;
}

std::vector<Setting> Panel::Reconcile() {
  if (!startedUp_) return {};
  const StoredValues stored = ReadStoredValues(store_);
  std::vector<Setting> changed = journal_.ChangedElsewhere(stored);
  if (!changed.empty()) ShowStored(changed, stored);
  return changed;
}

}  // namespace calvane

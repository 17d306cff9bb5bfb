// The settings model: the one owner of the state of every control that
// edits settings. It holds the pages' fields over the registry, the state
// each control shows, the settings snapshot, and the one write path. It
// needs no window: a window shows it through a PanelView, whose controls
// show the state they are given and report the user's input; the command
// line reads and loads through the model alone.
//
// Setting a control's state from here raises its change action when, and
// only when, the state differs from the one it shows: the start-up's fill
// writes values back this way on purpose, as a user's change would. Every
// action is one change set, applied whole or not at all, stored first and
// shown once stored; after one that failed, the control shows what is
// stored, with no action.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ChangeSet.h"
#include "model/Declared.h"
#include "model/Field.h"
#include "model/Journal.h"
#include "registry/Store.h"
#include "settings/Snapshot.h"

namespace calvane {

// What a control shows: its state (a check, an item, a button, a position;
// its design-time state until something sets it), whether it is enabled,
// and the caption of its label (nothing: the label's design-time caption).
struct ControlState {
  int state = 0;
  bool enabled = true;
  std::optional<std::wstring> caption;
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

class PanelView {
 public:
  virtual ~PanelView() = default;
  virtual void Show(const Field& field, const ControlState& state) = 0;
};

// A change that failed: the value that could not be written (or whose key
// could not be opened), why, and each value written before it that could
// not be put back, so that it differs from before.
struct WriteFailure {
  Setting setting;
  LONG status;
  std::vector<Setting> notPutBack;
};

class Panel : private Looks {
 public:
  // Checks the declarations: every setting of the catalogue edited by
  // exactly one field, and the places in the start-up's fill each taken
  // once, from 1 on. A mistake throws Mistake.
  Panel(Store& store, const Declared& declared);

  const Declared& declared() const { return declared_; }
  Store& store() const { return store_; }
  // The field a control edits, by the control's name; throws when there is
  // none.
  const Field& FieldOf(std::string_view control) const;
  const Field& FieldEditing(Setting setting) const;
  const ControlState& StateOf(const Field& field) const { return states_[field.id]; }
  void SetView(PanelView* view) { view_ = view; }

  // The start-up: the reads, the creation of SetGPIO0InQuad when it reads as
  // empty, and the fill in its fixed order. What could not be saved.
  std::vector<WriteFailure> StartUp();
  // The stored values read and shown, nothing written: what the start-up
  // would show, SetGPIO0InQuad as the 0 it would create when its key exists.
  void ReadStored();
  // A user's change of a control's state: nothing when it worked (or the
  // state is the one shown), else the failure, everything put back.
  std::optional<WriteFailure> Change(const Field& field, int state);
  // Sets these controls to these states as their change actions would,
  // writing every number of every state even where a control shows it
  // already: one change set, as for a settings file.
  std::optional<WriteFailure> Apply(std::span<const std::pair<const Field*, int>> states);

  // The state a control shows of the stored values: what Save saves.
  std::optional<int> Shown(const Field& field) const;

  // From here on (the window is on the screen) each value the panel changes
  // is kept for the undo.
  void BeginJournal() { journal_.Begin(); }
  bool CanUndo() const { return journal_.CanUndo(); }
  struct UndoOutcome {
    std::optional<WriteFailure> failure;
    std::vector<Setting> leftAlone;  // changed by another program since
  };
  // Puts back what each value held before the panel first changed it, for
  // each value that still holds what the panel wrote; one change set.
  UndoOutcome Undo();
  // Reads the stored data again and shows, with no action, each value that
  // another program changed since the start-up read it (or the panel wrote
  // it); those values, in catalogue order.
  std::vector<Setting> Reconcile();

 private:
  void Set(const Field& field, ControlState state);
  void SetCaption(const Field& field, std::optional<std::wstring> caption) override;
  void SetEnabled(const Field& field, bool enabled) override;
  // The change action without its writes: state, entries, companions.
  void Act(const Field& field, int state);
  std::optional<WriteFailure> Commit(const ChangeSet& changes);
  // Shows these values quietly as they are stored.
  void ShowStored(const std::vector<Setting>& settings, const StoredValues& stored);
  void Refresh(const Field& field);
  static void AddWrites(ChangeSet& changes, const Field& field, int state);

  Store& store_;
  const Declared& declared_;
  Snapshot snapshot_;
  std::vector<ControlState> states_;  // by field
  std::array<const Field*, kSettingCount> fieldOf_{};
  std::vector<const Field*> fillOrder_;
  PanelView* view_ = nullptr;
  bool startedUp_ = false;
  Journal journal_;
};

}  // namespace calvane

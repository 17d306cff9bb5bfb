// A field of the settings model: one control of the window that shows and
// edits settings, declared once by its page: the settings it edits, the
// states it can show, how stored values select its state (the fill rule) and
// which numbers each state writes (its change action). Nothing here needs a
// window: the command line and the tests use fields without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/Catalogue.h"
#include "settings/Snapshot.h"

namespace calvane {

// The kinds of control that edit settings.
enum class Widget { CheckBox, List, Options, ScrollBar, Slider };

// The positions of a bar: from `min` to `max`, an arrow moving it by
// `small`, a page by `large`.
struct Range {
  int min, max, small, large;
};
Range RangeOf(Widget bar);
// A slider's tick marks stand every so many positions.
inline constexpr int kSliderTickEvery = 16;

// The numbers a state stores, one per setting of its field, in their order.
using Numbers = std::vector<std::uint32_t>;

// When a field's companions are shown: at start-up once the fill is done, by
// its change action, or for stored values read again.
enum class Moment { StartUp, Change, Refresh };

// What a field's rules may change beside its own state: the caption of its
// label (nothing: the label's design-time caption) and whether the control
// of another field is enabled.
class Looks {
 public:
  virtual ~Looks() = default;
  virtual void SetCaption(const class Field& field, std::optional<std::wstring> caption) = 0;
  virtual void SetEnabled(const class Field& field, bool enabled) = 0;
};

struct ControlRow;

class Field {
 public:
  Field(Widget widget, std::vector<Setting> settings)
      : widget(widget), settings(std::move(settings)) {}
  virtual ~Field() = default;
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  const Widget widget;
  const std::vector<Setting> settings;  // in the order its action writes them
  // Set once, as its page declares it: its control (an option group's first
  // button), the label that shows its value (or nullptr), its place in the
  // start-up's fill (0: the fill does not set it), and its place among all
  // fields.
  const ControlRow* control = nullptr;
  const ControlRow* label = nullptr;
  int fill = 0;
  int id = 0;

  // The state it is created in: nothing chosen, a clear box, position 0.
  int DesignState() const;
  // States 0 to Count() - 1 each store numbers; a list's or group's -1 none.
  virtual int Count() const = 0;
  virtual Numbers Written(int state) const = 0;
  // The state that stores these numbers; nothing when no state does.
  std::optional<int> StateFor(const Numbers& numbers) const;
  // The fill rule: the state the stored values select; nothing when the
  // control cannot show them. By default the state that stores the number
  // the snapshot entry holds.
  virtual std::optional<int> Fill(const Snapshot& stored) const;
  // Whether the start-up sets the control to what Fill gives; an option
  // group shows the stored value by its label only.
  virtual bool Selects() const { return true; }
  // Whether the change action keeps the snapshot entries (a list's stay as
  // the start-up read them).
  virtual bool KeepsEntries() const { return true; }
  // The label's caption and the enabling of another control.
  virtual void ShowCompanions(Looks&, const Snapshot&, Moment) const {}
  // The field whose control this one enables, or nullptr.
  virtual const Field* Enables() const { return nullptr; }
  // A list's items, in order.
  virtual std::vector<std::wstring> Items() const { return {}; }
};

// A check box editing one switch: 0 clear, 1 ticked, 2 grayed. It may
// enable the control of another field only while the stored switch is 1.
class SwitchField final : public Field {
 public:
  explicit SwitchField(Setting setting) : Field(Widget::CheckBox, {setting}) {}
  int Count() const override { return 3; }
  Numbers Written(int state) const override { return {static_cast<std::uint32_t>(state)}; }
  void ShowCompanions(Looks& looks, const Snapshot& stored, Moment) const override;
  const Field* Enables() const override { return enables_; }
  // This switch's control is enabled only while `other` is stored as 1.
  SwitchField& EnabledBy(SwitchField& other) { return other.enables_ = this, *this; }

 private:
  const Field* enables_ = nullptr;
};

// A scroll bar or slider with the label beside it that shows its number:
// from the start-up on (a level), or once the bar has moved (an amount).
class BarField final : public Field {
 public:
  enum class Shows { FromStartUp, OnceMoved };
  BarField(Widget bar, Setting setting, Shows shows) : Field(bar, {setting}), shows_(shows) {}
  int Count() const override { return RangeOf(widget).max + 1; }
  Numbers Written(int state) const override { return {static_cast<std::uint32_t>(state)}; }
  void ShowCompanions(Looks& looks, const Snapshot& stored, Moment moment) const override;

 private:
  Shows shows_;
};

// An option group whose buttons store one number each, with a label that
// shows the stored one: an option's own word for it, or the stored text.
class ChoiceField final : public Field {
 public:
  struct Option {
    std::uint32_t number;
    const wchar_t* shown;  // nullptr: the label shows the stored text
  };
  ChoiceField(Setting setting, std::vector<Option> options)
      : Field(Widget::Options, {setting}), options_(std::move(options)) {}
  int Count() const override { return static_cast<int>(options_.size()); }
  Numbers Written(int state) const override { return {options_[state].number}; }
  bool Selects() const override { return false; }
  void ShowCompanions(Looks& looks, const Snapshot& stored, Moment) const override;

 private:
  std::vector<Option> options_;
};

// A drop-down list whose items each store a row of numbers, selected at
// start-up by a rule of its own.
class ListField final : public Field {
 public:
  struct Item {
    const wchar_t* caption;
    Numbers row;
  };
  using FillRule = std::optional<int> (*)(const Snapshot& stored);
  ListField(std::vector<Setting> settings, std::vector<Item> items, FillRule fill)
      : Field(Widget::List, std::move(settings)), items_(std::move(items)), fill_(fill) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  Numbers Written(int state) const override { return items_[state].row; }
  std::optional<int> Fill(const Snapshot& stored) const override;
  bool KeepsEntries() const override { return false; }
  std::vector<std::wstring> Items() const override;

 private:
  std::vector<Item> items_;
  FillRule fill_;
};

// A list's fill rule: the item whose index the setting stores. A stored -1,
// a number beyond the items or an entry that is no number selects nothing.
template <Setting kIndex>
std::optional<int> StoredIndex(const Snapshot& stored) {
  const auto index = stored.Number(kIndex);
  if (!index || *index < 0 || *index > 0xFFFF) return std::nullopt;
  return static_cast<int>(*index);
}

}  // namespace calvane

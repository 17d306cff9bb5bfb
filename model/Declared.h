// The window described as data, the way a form file would: one row per
// control, declared once by the unit of its page (the form's own controls by
// the form's unit). A row says what the control is (kind, caption,
// container, place in twips, tab index, design-time state), what it edits
// (its field: the settings, the states it can show, its fill rule, what it
// writes, its place in the start-up's fill), its tooltip, and for a label or
// frame the control it names. Rows refer to each other by reference, never
// by name, so the compiler checks every link; a control's name is only what
// the program and its tests call it.
//
// The rows of a container run in window order, front first, as a dialog's
// controls do: a label just before the control it names, a control before
// one that it overlaps. Nothing here needs a window: the command line and
// the tests use the same rows.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Field.h"

namespace calvane {

enum class Kind {
  Tabs,
  PushButton,
  Label,
  Frame,
  CheckBox,
  Option,
  DropDown,
  ScrollBar,
  Slider,
  ListView,
  Picture,
  Image,
};

// Left, top, width and height in twips, within the control's container.
struct Place {
  int left, top, width, height;
};

struct ControlRow {
  Kind kind = Kind::Label;
  const char* name = "";
  const wchar_t* caption = nullptr;
  const ControlRow* container = nullptr;  // the tab control, a frame, or nullptr: the form
  int page = -1;                          // page of the tab control, or -1 outside it
  Place place{};
  int tab = -1;  // tab index, or -1 where the control has none
  int id = 0;    // its place among all rows, in window order

  bool disabled = false;
  int index = 0;                      // an option button's in its group
  const ControlRow* names = nullptr;  // a label's or frame's: the control it names
  const ControlRow* namedBy = nullptr;
  int picture = 0;                  // bitmap resource of a picture or image
  const Field* field = nullptr;     // what it edits (every button of a group: the group's)
  const Field* shows = nullptr;     // a label that shows a field's value
  const wchar_t* tip = nullptr;     // what its setting means
  std::vector<std::wstring> items;  // a list's items
  const wchar_t* note = nullptr;    // an information button's box text

  class Declared* owner = nullptr;

  // Chained while the page declares the row.
  ControlRow& Disabled() { return disabled = true, *this; }
  ControlRow& Tip(const wchar_t* text) { return tip = text, *this; }
  ControlRow& Items(std::vector<std::wstring> list) { return items = std::move(list), *this; }
  ControlRow& Note(const wchar_t* text) { return note = text, *this; }
  ControlRow& Picture(int resource) { return picture = resource, *this; }
  // The label or frame before it names it: its access key leads here, and
  // the window names the control by its caption.
  ControlRow& NamedBy(ControlRow& label) { return namedBy = &label, label.names = this, *this; }
  // A label that shows the value of a field declared before it.
  ControlRow& Shows(Field& value) { return shows = &value, value.label = this, *this; }
  // What the control edits, last in its declaration: `fill` is its place in
  // the start-up's fill (0: the fill does not set it).
  template <class F, class... Args>
  F& Edits(int fill, Args&&... args);
  // An option button of the group whose first button edits `group`, at
  // this index.
  ControlRow& Joins(const Field& group, int index);
};

// The form's size and caption, and its pages.
inline constexpr int kFormWidth = 5280;  // client area, twips
inline constexpr int kFormHeight = 4845;
inline constexpr const wchar_t* kFormCaption = L"Calvane Control Panel for Windows XP";
inline constexpr const wchar_t* kPageCaptions[] = {L"General", L"MIDI", L"A3D Settings",
                                                   L"AC'97 Controls", L"Digital Out/EQ"};
inline constexpr int kPageCount = 5;

// Every row and every field of the window, declared by the form's and the
// pages' units in window order.
class Declared {
 public:
  Declared() = default;
  // Moved whole: the rows and fields stay where they are, and so do the
  // references between them.
  Declared(Declared&&) = default;
  Declared(const Declared&) = delete;
  Declared& operator=(const Declared&) = delete;

  // A row in its container on a page (-1: outside the tab control).
  ControlRow& Add(Kind kind, const char* name, const wchar_t* caption, const ControlRow* container,
                  int page, Place place, int tab);
  // What a control edits.
  void Link(ControlRow& control, std::unique_ptr<Field> field, int fill);

  const std::deque<ControlRow>& rows() const { return rows_; }
  const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }
  // The form's own controls that the window acts on.
  const ControlRow* tabs = nullptr;
  const ControlRow* ok = nullptr;

 private:
  std::deque<ControlRow> rows_;
  std::vector<std::unique_ptr<Field>> fields_;
};

template <class F, class... Args>
F& ControlRow::Edits(int fill, Args&&... args) {
  auto field = std::make_unique<F>(std::forward<Args>(args)...);
  F& made = *field;
  owner->Link(*this, std::move(field), fill);
  return made;
}

// A row by its name (an option group: its first button); throws Mistake.
const ControlRow& RowNamed(const Declared& declared, std::string_view name);
// A control as the window names it to the user: a check box by its caption,
// another control by the label or frame that names it, without the access
// key's ampersand ("Wavetable Mode", "Effect 1 (Reverb)").
std::wstring ShownName(const ControlRow& control);
// The tip of a control: its own, or for a label showing a field's value the
// tip of the field's control; nullptr for none.
const wchar_t* TipOf(const ControlRow& row);

}  // namespace calvane

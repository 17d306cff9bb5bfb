#include "model/Declared.h"

#include "model/Mistake.h"

namespace calvane {

ControlRow& Declared::Add(Kind kind, const char* name, const wchar_t* caption,
                          const ControlRow* container, int page, Place place, int tab) {
  ControlRow& row = rows_.emplace_back();
  row.kind = kind;
  row.name = name;
  row.caption = caption;
  row.container = container;
  row.page = page;
  row.place = place;
  row.tab = tab;
  row.id = static_cast<int>(rows_.size()) - 1;
  row.owner = this;
  return row;
}

void Declared::Link(ControlRow& control, std::unique_ptr<Field> field, int fill) {
  field->control = &control;
  field->fill = fill;
  field->id = static_cast<int>(fields_.size());
  control.field = field.get();
  if (control.items.empty()) control.items = field->Items();
  fields_.push_back(std::move(field));
}

ControlRow& ControlRow::Joins(const Field& group, int at) {
  index = at;
  field = &group;
  tip = group.control->tip;
  return *this;
}

const ControlRow& RowNamed(const Declared& declared, std::string_view name) {
  for (const ControlRow& row : declared.rows()) {
    if (name == row.name) return row;
  }
  throw Mistake("no control named " + std::string(name));
}

std::wstring ShownName(const ControlRow& control) {
  // A check box's own caption; for a control without one, the label or
  // frame that names it.
  std::wstring_view caption = control.kind == Kind::CheckBox ? control.caption : L"";
  if (control.namedBy) caption = control.namedBy->caption;
  std::wstring name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    // "&" marks the access key that follows; "&&" stands for "&".
    if (caption[i] == L'&' && ++i == caption.size()) break;
    name += caption[i];
  }
  while (!name.empty() && (name.back() == L':' || name.back() == L'.')) name.pop_back();
  if (name.empty()) throw Mistake("nothing in the window names " + std::string(control.name));
  return name;
}

const wchar_t* TipOf(const ControlRow& row) {
  if (row.tip) return row.tip;
  return row.shows ? row.shows->control->tip : nullptr;
}

}  // namespace calvane

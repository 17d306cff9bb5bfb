#include "window/ControlTable.h"

#include "model/Mistake.h"

namespace calvane {
namespace {

std::vector<std::wstring> ItemsOf(const Declared& pages, std::string_view list) {
  for (const auto& field : pages.fields) {
    if (list == field->control) return field->Items();
  }
  for (const Declared::FixedList& fixed : pages.fixedLists) {
    if (list == fixed.list) return fixed.items;
  }
  throw Mistake("no items are declared for the list " + std::string(list));
}

}  // namespace

ControlTable::ControlTable(const Declared& pages) {
  for (const ControlRow& row : FormRows()) {
    const bool enabled = !row.disabled;
    std::unique_ptr<Control> control;
    switch (row.kind) {
      case Kind::PushButton:
        control = std::make_unique<PushButton>(enabled);
        break;
      case Kind::CheckBox:
        control = std::make_unique<CheckBox>(enabled);
        break;
      case Kind::Option: {
        auto group = std::find_if(groups_.begin(), groups_.end(),
                                  [&row](const auto& g) { return g.first == row.name; });
        if (group == groups_.end()) {
          group = groups_.insert(groups_.end(), {row.name, std::make_unique<OptionGroup>()});
        }
        control = std::make_unique<OptionButton>(*group->second, row.index);
        break;
      }
      case Kind::Label:
        control = std::make_unique<Label>(row.caption);
        break;
      case Kind::DropDown:
        control = std::make_unique<DropDown>(ItemsOf(pages, row.name), enabled);
        break;
      case Kind::ScrollBar: {
        const Range r = RangeOf(Widget::ScrollBar);
        control = std::make_unique<ScrollBar>(r.min, r.max, r.small, r.large);
        break;
      }
      case Kind::Slider: {
        const Range r = RangeOf(Widget::Slider);
        control = std::make_unique<Slider>(r.min, r.max, r.small, r.large, kSliderTickEvery);
        break;
      }
      default:
        control = std::make_unique<Control>(enabled);
        break;
    }
    items_.push_back({&row, std::move(control)});
  }
  // Each field's control is of its kind.
  for (const auto& field : pages.fields) {
    const Kind kinds[] = {Kind::CheckBox, Kind::DropDown, Kind::Option, Kind::ScrollBar,
                          Kind::Slider};
    if (Row(field->control).kind != kinds[static_cast<int>(field->widget)]) {
      throw Mistake(std::string(field->control) + " is not of its field's kind");
    }
    if (field->label) Get<Label>(field->label);
  }
}

Control& ControlTable::Find(std::string_view name) const {
  for (const Item& item : items_) {
    if (name == item.row->name) return *item.control;
  }
  throw Mistake("no control named " + std::string(name));
}

OptionGroup& ControlTable::Group(std::string_view name) const {
  for (const auto& [groupName, group] : groups_) {
    if (groupName == name) return *group;
  }
  throw Mistake("no option group named " + std::string(name));
}

Control& ControlTable::ControlOf(const Field& field) const {
  if (field.widget == Widget::Options) return Group(field.control);
  return Find(field.control);
}

const ControlTable::Item* ControlTable::ItemOf(HWND hwnd) const {
  // A control's own children (the list of a drop-down) count as the control.
  for (; hwnd; hwnd = GetParent(hwnd)) {
    for (const Item& item : items_) {
      if (item.control->hwnd() == hwnd) return &item;
    }
  }
  return nullptr;
}

}  // namespace calvane

#include "window/ControlTable.h"

#include "model/Mistake.h"

namespace calvane {

ControlTable::ControlTable(const Declared& declared)
    : declared_(declared), groups_(declared.fields().size()) {
  for (const ControlRow& row : declared.rows()) {
    std::unique_ptr<Control> control;
    switch (row.kind) {
      case Kind::PushButton:
        control = std::make_unique<PushButton>(row.disabled);
        break;
      case Kind::CheckBox:
        control = std::make_unique<CheckBox>(row.disabled);
        break;
      case Kind::Option: {
        if (!row.field) throw Mistake(std::string("the option ") + row.name + " edits nothing");
        auto& group = groups_[row.field->id];
        if (!group) group = std::make_unique<OptionGroup>();
        control = std::make_unique<OptionButton>(*group, row.index);
        break;
      }
      case Kind::Label:
        control = std::make_unique<Label>(row.caption);
        break;
      case Kind::DropDown:
        if (row.items.empty()) throw Mistake(std::string("the list ") + row.name + " has no items");
        control = std::make_unique<DropDown>(row.items, row.disabled);
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
        control = std::make_unique<Control>(row.disabled);
        break;
    }
    items_.push_back({&row, std::move(control)});
  }
  // Each field's control is of its kind.
  for (const auto& field : declared.fields()) {
    const Kind kinds[] = {Kind::CheckBox, Kind::DropDown, Kind::Option, Kind::ScrollBar,
                          Kind::Slider};
    if (field->control->kind != kinds[static_cast<int>(field->widget)]) {
      throw Mistake(std::string(field->control->name) + " is not of its field's kind");
    }
  }
}

Control& ControlTable::ControlOf(const Field& field) const {
  if (field.widget == Widget::Options) return *groups_[field.id];
  return Of(*field.control);
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

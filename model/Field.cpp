#include "model/Field.h"

#include <limits>

namespace calvane {

Range RangeOf(Widget bar) {
  // Both effect sliders hold amounts 0 to 127; all four level bars 0 to 31,
  // one step per arrow and per track click.
  if (bar == Widget::Slider) return {0, 127, 1, 5};
  return {0, 31, 1, 1};
}

int Field::DesignState() const {
  return widget == Widget::List || widget == Widget::Options ? -1 : 0;
}

std::optional<int> Field::StateFor(const Numbers& numbers) const {
  for (int state = 0; state < Count(); ++state) {
    if (Written(state) == numbers) return state;
  }
  return std::nullopt;
}

std::optional<int> Field::Fill(const Snapshot& stored) const {
  const auto number = stored.Number(settings[0]);
  if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  return StateFor({static_cast<std::uint32_t>(*number)});
}

void SwitchField::ShowCompanions(Looks& looks, const Snapshot& stored, Moment) const {
  // A companion is usable only while the switch is stored as 1: a grayed
  // switch, or an entry that is no number, counts as not ticked.
  if (enables_) looks.SetEnabled(*enables_, stored.Number(settings[0]) == 1);
}

void BarField::ShowCompanions(Looks& looks, const Snapshot& stored, Moment moment) const {
  if (shows_ == Shows::FromStartUp) {
    // A level the bar cannot show still shows in its label as stored.
    looks.SetCaption(*this, stored.LevelText(settings[0]));
    return;
  }
  // An amount's label keeps its placeholder until the slider first moves;
  // after that, and for an amount read again, it shows the amount.
  if (moment == Moment::StartUp) return;
  const auto amount = Fill(stored);
  looks.SetCaption(*this, amount ? std::optional(Decimal(*amount)) : std::nullopt);
}

void ChoiceField::ShowCompanions(Looks& looks, const Snapshot& stored, Moment) const {
  const auto option = Fill(stored);
  if (option && options_[*option].shown) return looks.SetCaption(*this, options_[*option].shown);
  if (!options_.empty() && options_[0].shown) {
    // A stored number that is none of the options leaves the placeholder.
    return looks.SetCaption(*this, std::nullopt);
  }
  // A text read from REG_SZ data ends in its terminating zero; the label
  // shows the text before it.
  const std::wstring& text = stored.Text(settings[0]);
  looks.SetCaption(*this, text.substr(0, text.find(L'\0')));
}

std::optional<int> ListField::Fill(const Snapshot& stored) const {
  const auto item = fill_(stored);
  if (!item || *item < 0 || *item >= Count()) return std::nullopt;
  return item;
}

std::vector<std::wstring> ListField::Items() const {
  std::vector<std::wstring> captions;
  for (const Item& item : items_) captions.emplace_back(item.caption);
  return captions;
}

}  // namespace calvane

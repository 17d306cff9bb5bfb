// The form's own controls: the tab control that holds the five pages, OK,
// the Help button (disabled) and the version.
#include "pages/Pages.h"

namespace calvane {

const ControlRow& DeclareForm(Declared& form) {
  using K = Kind;
  // clang-format off
  const ControlRow& tabs = form.Add(K::Tabs,       "SSTab1",   nullptr,          nullptr, -1, {120,  120,  5055, 4095}, 2);
  const ControlRow& ok =   form.Add(K::PushButton, "cmdOK",    L"&OK",           nullptr, -1, {2880, 4320, 1095, 375},  1);
  form.Add(K::PushButton, "Command1", L"Help",          nullptr, -1, {4080, 4320, 1095, 375},  0).Disabled();
  form.Add(K::Label,      "Version",  L"Version 1.1.0", nullptr, -1, {120,  4440, 1095, 255},  34);
  // clang-format on
  form.tabs = &tabs;
  form.ok = &ok;
  return tabs;
}

}  // namespace calvane

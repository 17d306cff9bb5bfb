// The window described as data, the way a form file would: one row per
// control with its kind, caption, container, position and size in twips,
// tab index and design-time state. The rows of a container run in window
// order, front first, as a dialog's controls do: a label just before the
// control it names, a control before one that it overlaps.
#pragma once

#include <span>
#include <string_view>
#include <vector>
#include <string>

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

struct ControlRow {
  Kind kind;
  const char* name;
  const wchar_t* caption;
  const char* container;  // "Form1", "SSTab1" or the frame it lies in
  int page;               // page of SSTab1, or -1 outside the tab control
  int left, top, width, height;
  int tab;  // tab index, or -1 where the control has none
  bool disabled = false;
  int index = 0;  // an option button's index in its group
  // The control a label or frame names: where its access key leads, and
  // what a notice calls that control.
  const char* introduces = nullptr;
  int picture = 0;  // bitmap resource of a picture or image
};

inline constexpr int kFormWidth = 5280;  // client area, twips
inline constexpr int kFormHeight = 4845;
inline constexpr const wchar_t* kFormCaption = L"Calvane Control Panel for Windows XP";
inline constexpr const wchar_t* kPageCaptions[] = {L"General", L"MIDI", L"A3D Settings",
                                                   L"AC'97 Controls", L"Digital Out/EQ"};
inline constexpr int kPageCount = 5;

std::span<const ControlRow> FormRows();
// The row of a control; an unknown name throws Mistake.
const ControlRow& Row(std::string_view name);
// A control as the window names it to the user: a check box by its caption,
// another control by the label or frame that introduces it, without the
// access key's ampersand ("Wavetable Mode", "Effect 1 (Reverb)").
std::wstring ShownName(std::string_view control);

}  // namespace calvane

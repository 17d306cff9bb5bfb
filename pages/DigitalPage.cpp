// Page "Digital Out/EQ": the S/PDIF output rate, the S/PDIF detection and
// enable switches, and the source of the analog EQ.
#include "pages/Pages.h"

namespace calvane {
namespace {

// cboAnalogEQ: what each item writes, in this order: SupportAnalogEQ,
// AnalogEQSrcLine, AnalogEQEnableState. "None" stores line 3 with the EQ off.
std::vector<Setting> EQSettings() {
  return {Setting::SupportAnalogEQ, Setting::AnalogEQSrcLine, Setting::AnalogEQEnableState};
}
std::vector<ListField::Item> EQSources() {
  return {
      {L"None", {0, 3, 0}},      {L"Phone", {1, 0, 1}},  {L"Microphone", {1, 1, 1}},
      {L"Line-In", {1, 2, 1}},   {L"CD-ROM", {1, 3, 1}}, {L"Video", {1, 4, 1}},
      {L"Auxiliary", {1, 5, 1}},
  };
}

// S (SupportAnalogEQ), then E (AnalogEQEnableState) only when S is 1, then
// L (AnalogEQSrcLine) only when E is 1 too, each compared as the number it
// holds, however large: supported and enabled selects the stored line's
// item; supported and not enabled, or not supported, selects "None". Any
// other S, a line of no item, or an entry that is no number selects nothing.
std::optional<int> StoredSource(const Snapshot& stored) {
  const auto support = stored.Number(Setting::SupportAnalogEQ);
  if (support == 0) return 0;
  if (support != 1) return std::nullopt;
  const auto enable = stored.Number(Setting::AnalogEQEnableState);
  if (!enable) return std::nullopt;
  if (enable != 1) return 0;
  const auto line = stored.Number(Setting::AnalogEQSrcLine);
  if (!line || *line < 0 || *line > 5) return std::nullopt;
  return static_cast<int>(*line) + 1;
}

}  // namespace

void DeclareDigitalPage(PageRows page) {
  using K = Kind;
  // clang-format off
  // optDigOut stores the rate in hertz; lblDigOut shows the stored text. The
  // start-up selects no button.
  auto& frame3 = page.Add(K::Frame, "Frame3", L"Output Rate", {240, 600, 4575, 735}, 15);
  auto& rate = page.Add(K::Option, "optDigOut", L"&32 kHz", {120, 360, 975, 255}, 16, &frame3).NamedBy(frame3)
      .Tip(L"Sample rate of the S/PDIF digital output, in hertz.")
      .Edits<ChoiceField>(0, Setting::SpdifFrequency,
                          std::vector<ChoiceField::Option>{{32000, nullptr}, {44100, nullptr}, {48000, nullptr}});
  page.Add(K::Option, "optDigOut", L"&44.1 kHz", {1680, 360, 975, 255}, 17, &frame3).Joins(rate, 1);
  page.Add(K::Option, "optDigOut", L"4&8 kHz", {3120, 360, 975, 255}, 18, &frame3).Joins(rate, 2);
  page.Add(K::Label, "Label11", L"Current Output Rate =", {240, 1440, 1695, 255}, 52);
  page.Add(K::Label, "lblDigOut", L"Label13", {1920, 1440, 495, 255}, 35).Shows(rate);
  page.Add(K::Label, "Label12", L"Hz", {2400, 1440, 615, 255}, 53);

  // A detection box enables its enable box only while ticked.
  auto& frame5 = page.Add(K::Frame, "Frame5", L"Digital Output", {240, 1800, 2175, 1215}, 54);
  page.Add(K::PushButton, "cmdDO", L"?", {1800, 360, 255, 255}, 62, &frame5)
      .Note(L"This will override the detection for support for Digital Output");
  auto& detectOut = page.Add(K::CheckBox, "chkDetOut", L"Output Detected", {240, 360, 1815, 255}, 56, &frame5)
      .Tip(L"S/PDIF output detected: overrides the driver's own detection.")
      .Edits<SwitchField>(16, Setting::DetectSpdifOut);
  page.Add(K::CheckBox, "chkEnOut", L"Enable Output", {240, 720, 1695, 255}, 57, &frame5)
      .Tip(L"Switch the S/PDIF digital output on or off.")
      .Edits<SwitchField>(17, Setting::EnableSpdifOut).EnabledBy(detectOut);
  auto& frame6 = page.Add(K::Frame, "Frame6", L"Digital Input", {2640, 1800, 2175, 1215}, 55);
  page.Add(K::PushButton, "cmdDI", L"?", {1800, 360, 255, 255}, 63, &frame6)
      .Note(L"This will override the detection for support for Digital Input");
  auto& detectIn = page.Add(K::CheckBox, "chkDetIn", L"Input Detected", {240, 360, 1695, 255}, 58, &frame6)
      .Tip(L"S/PDIF input detected: overrides the driver's own detection.")
      .Edits<SwitchField>(18, Setting::DetectSpdifIn);
  page.Add(K::CheckBox, "chkEnIn", L"Enable Input", {240, 720, 1455, 255}, 59, &frame6)
      .Tip(L"Switch the S/PDIF digital input on or off.")
      .Edits<SwitchField>(19, Setting::EnableSpdifIn).EnabledBy(detectIn);

  auto& label5 = page.Add(K::Label, "Label5", L"&Analog EQ Channel", {120, 3240, 1695, 255}, 13);
  page.Add(K::DropDown, "cboAnalogEQ", nullptr, {1680, 3240, 3135, 315}, 14).NamedBy(label5)
      .Tip(L"Input line that feeds the codec's analog EQ, or none.")
      .Edits<ListField>(1, EQSettings(), EQSources(), &StoredSource);
  // clang-format on
}

}  // namespace calvane

// Page "Digital Out/EQ": the S/PDIF output rate, the S/PDIF detection and
// enable switches, and the source of the analog EQ.
#include "window/pages/Pages.h"

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

void DeclareDigitalPage(Declared& page) {
  // optDigOut stores the rate in hertz; lblDigOut shows the stored text. The
  // start-up selects no button.
  page.Add<ChoiceField>(
      "optDigOut", "lblDigOut", Setting::SpdifFrequency,
      std::vector<ChoiceField::Option>{{32000, nullptr}, {44100, nullptr}, {48000, nullptr}},
      L"Sample rate of the S/PDIF digital output, in hertz.");
  // A detection box enables its enable box only while ticked.
  page.Add<SwitchField>("chkDetOut", Setting::DetectSpdifOut,
                        L"S/PDIF output detected: overrides the driver's own detection.",
                        "chkEnOut");
  page.Add<SwitchField>("chkEnOut", Setting::EnableSpdifOut,
                        L"Switch the S/PDIF digital output on or off.");
  page.Add<SwitchField>("chkDetIn", Setting::DetectSpdifIn,
                        L"S/PDIF input detected: overrides the driver's own detection.", "chkEnIn");
  page.Add<SwitchField>("chkEnIn", Setting::EnableSpdifIn,
                        L"Switch the S/PDIF digital input on or off.");
  page.Add<ListField>("cboAnalogEQ", EQSettings(), EQSources(), &StoredSource,
                      L"Input line that feeds the codec's analog EQ, or none.");
  page.notes.push_back(
      {"cmdDO", L"This will override the detection for support for Digital Output"});
  page.notes.push_back(
      {"cmdDI", L"This will override the detection for support for Digital Input"});
}

}  // namespace calvane

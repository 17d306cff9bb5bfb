// Page "MIDI": the wavetable voice mode, the effects switch and the reverb
// and chorus amounts, with the two effect-type lists, which are shown
// disabled and edit nothing.
#include "pages/Pages.h"

namespace calvane {
namespace {

// cboWavetableMode: each item writes these five values, left to right; the
// list shows the item whose index SoftSynthModeIndex stores, and that entry
// keeps what the start-up read.
std::vector<Setting> VoiceSettings() {
  return {Setting::GamerMode, Setting::SoftSynthVoices, Setting::SoftSynthMode,
          Setting::SoftSynthModeIndex, Setting::SoftSynth};
}
std::vector<ListField::Item> VoiceModes() {
  return {
      {L"320 Voices", {1, 256, 3, 0, 2}},
      {L"128 Voices", {0, 64, 2, 1, 2}},
      {L"64 Voices", {0, 0, 0, 2, 0}},
  };
}

constexpr const wchar_t* kEffectType = L"The effect type cannot be changed.";
std::vector<std::wstring> EffectTypes(bool chorus) {
  std::vector<std::wstring> types{L"None",           L"Delay",       L"Room reverb",
                                  L"Chamber reverb", L"Hall reverb", L"Cabinet"};
  if (chorus) types.emplace_back(L"Chorus");
  for (const wchar_t* more : {L"Flange", L"Distortion", L"Wah-Wah"}) types.emplace_back(more);
  return types;
}

}  // namespace

void DeclareMidiPage(PageRows page) {
  using K = Kind;
  using Amount = BarField::Shows;
  // Each amount's label keeps its placeholder until its slider moves.
  // clang-format off
  auto& frame1 = page.Add(K::Frame, "Frame1", L"Effect &1 (Reverb)", {240, 480, 4575, 855}, 5);
  page.Add(K::DropDown, "cboEffect1", nullptr, {120, 360, 1815, 315}, 7, &frame1).Disabled()
      .Items(EffectTypes(false)).Tip(kEffectType);
  auto& reverb = page.Add(K::Slider, "hsbEffect1", nullptr, {2160, 120, 1815, 615}, 38, &frame1)
      .NamedBy(frame1).Tip(L"Amount of effect 1, the reverb, from 0 (none) to 127.")
      .Edits<BarField>(6, Widget::Slider, Setting::ReverbAmount, Amount::OnceMoved);
  page.Add(K::Label, "lblEffect1", L"Label13", {4080, 360, 375, 255}, 36, &frame1).Shows(reverb);

  auto& frame2 = page.Add(K::Frame, "Frame2", L"Effect &2 (Chorus)", {240, 1560, 4575, 855}, 6);
  page.Add(K::DropDown, "cmdEffect2", nullptr, {120, 360, 1815, 315}, 8, &frame2).Disabled()
      .Items(EffectTypes(true)).Tip(kEffectType);
  auto& chorus = page.Add(K::Slider, "hsbEffect2", nullptr, {2160, 120, 1815, 675}, 39, &frame2)
      .NamedBy(frame2).Tip(L"Amount of effect 2, the chorus, from 0 (none) to 127.")
      .Edits<BarField>(7, Widget::Slider, Setting::ChorusAmount, Amount::OnceMoved);
  page.Add(K::Label, "lblEffect2", L"Label14", {4080, 360, 375, 255}, 37, &frame2).Shows(chorus);

  page.Add(K::CheckBox, "chkMIDIfx", L"&Turn Effects On", {240, 2640, 1575, 255}, 9)
      .Tip(L"Turn the wavetable synthesiser's effects (reverb and chorus) on or off.")
      .Edits<SwitchField>(8, Setting::ZuvivWavetableEffect);
  auto& label4 = page.Add(K::Label, "Label4", L"&Wavetable Mode:", {600, 3240, 1335, 255}, 11);
  page.Add(K::DropDown, "cboWavetableMode", nullptr, {2040, 3240, 2775, 315}, 10).NamedBy(label4)
      .Tip(L"Wavetable voice mode: how many voices the MIDI synthesiser plays at once.")
      .Edits<ListField>(20, VoiceSettings(), VoiceModes(), &StoredIndex<Setting::SoftSynthModeIndex>);
  // clang-format on
}

}  // namespace calvane

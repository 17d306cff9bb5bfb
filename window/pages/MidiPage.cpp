// Page "MIDI": the wavetable voice mode, the effects switch and the reverb
// and chorus amounts, with the two effect-type lists, which are shown
// disabled and edit nothing.
#include "window/pages/Pages.h"

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

}  // namespace

void DeclareMidiPage(Declared& page) {
  page.Add<ListField>("cboWavetableMode", VoiceSettings(), VoiceModes(),
                      &StoredIndex<Setting::SoftSynthModeIndex>,
                      L"Wavetable voice mode: how many voices the MIDI synthesiser plays at once.");
  page.Add<SwitchField>("chkMIDIfx", Setting::ZuvivWavetableEffect,
                        L"Turn the wavetable synthesiser's effects (reverb and chorus) on or off.");
  // The amount labels keep their placeholders until their slider moves.
  page.Add<BarField>(Widget::Slider, "hsbEffect1", "lblEffect1", Setting::ReverbAmount,
                     L"Amount of effect 1, the reverb, from 0 (none) to 127.",
                     BarField::Shows::OnceMoved);
  page.Add<BarField>(Widget::Slider, "hsbEffect2", "lblEffect2", Setting::ChorusAmount,
                     L"Amount of effect 2, the chorus, from 0 (none) to 127.",
                     BarField::Shows::OnceMoved);
  page.fixedLists.push_back({"cboEffect1",
                             {L"None", L"Delay", L"Room reverb", L"Chamber reverb", L"Hall reverb",
                              L"Cabinet", L"Flange", L"Distortion", L"Wah-Wah"},
                             kEffectType});
  page.fixedLists.push_back({"cmdEffect2",
                             {L"None", L"Delay", L"Room reverb", L"Chamber reverb", L"Hall reverb",
                              L"Cabinet", L"Chorus", L"Flange", L"Distortion", L"Wah-Wah"},
                             kEffectType});
}

}  // namespace calvane

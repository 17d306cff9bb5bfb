#include "window/pages/MidiPage.h"

#include "window/pages/Bindings.h"

namespace calvane {
namespace {

// cboWavetableMode: each item writes these five values, left to right.
constexpr Setting kVoiceSettings[] = {Setting::GamerMode, Setting::SoftSynthVoices,
                                      Setting::SoftSynthMode, Setting::SoftSynthModeIndex,
                                      Setting::SoftSynth};
constexpr std::int16_t kVoiceModes[][5] = {
    {1, 256, 3, 0, 2},  // "320 Voices"
    {0, 64, 2, 1, 2},   // "128 Voices"
    {0, 0, 0, 2, 0},    // "64 Voices"
};

struct AmountRow {
  const char* slider;
  const char* label;
  Setting setting;
};
constexpr AmountRow kAmounts[] = {
    {"hsbEffect1", "lblEffect1", Setting::ReverbAmount},
    {"hsbEffect2", "lblEffect2", Setting::ChorusAmount},
};

}  // namespace

MidiPage::MidiPage(Form1& form) : form_(form) {
  // The entry SoftSynthModeIndex keeps what the start-up read.
  BindRows(form, "cboWavetableMode", kVoiceSettings, kVoiceModes);

  BindSwitch(form, "chkMIDIfx", Setting::ZuvivWavetableEffect);

  for (const AmountRow& row : kAmounts) {
    Slider& slider = form.Get<Slider>(row.slider);
    Label& label = form.Get<Label>(row.label);
    BindNumber(
        form, row.slider, row.setting, 127,
        [&form, &slider, setting = row.setting]() -> std::optional<int> {
          const auto amount = EntryNumber(form, setting);
          if (!amount || !slider.InRange(*amount)) return std::nullopt;
          return slider.Position();
        },
        [&slider](int position) { slider.SetPosition(position); });
    slider.onChange = [&form, &slider, &label, setting = row.setting] {
      std::wstring& entry = form.snapshot().Text(setting);
      entry = std::to_wstring(slider.Position());
      label.SetCaption(entry);
      form.Write(setting, SettingValue(entry));
    };
  }
}

void MidiPage::FillAmounts() {
  // An amount outside 0 to 127 leaves the slider at 0 and its placeholder.
  for (const AmountRow& row : kAmounts) {
    Slider& slider = form_.Get<Slider>(row.slider);
    const auto amount = EntryNumber(form_, row.setting);
    if (amount && slider.InRange(*amount)) slider.SetPosition(*amount);
  }
}

void MidiPage::FillEffectsSwitch() {
  FillSwitch(form_, "chkMIDIfx", Setting::ZuvivWavetableEffect);
}

void MidiPage::FillVoiceMode() {
  FillIndex(form_, "cboWavetableMode", Setting::SoftSynthModeIndex);
}

}  // namespace calvane

#include "window/pages/AC97Page.h"

#include "window/pages/Bindings.h"

namespace calvane {
namespace {

struct LevelRow {
  const char* bar;
  const char* label;
  Setting setting;
};
constexpr LevelRow kLevels[] = {
    {"hsbPCM1", "lblPCM1", Setting::AC97PCMOutVol},
    {"hsbPCM2", "lblPCM2", Setting::AC97PCM2OutVol},
    {"hsbFront", "lblFront", Setting::AC97MixerFrontOutVol},
    {"hsbRear", "lblRear", Setting::AC97MixerRearOutVol},
};

constexpr SwitchRow k3DSwitch{"chkST3D", Setting::DisableAC97Codec3DEffect};
// In fill order.
constexpr SwitchRow kOutputSwitches[] = {
    {"chkAttenuation", Setting::ST9704ATTEN},
    {"chkLA2Inv", Setting::CorrectLA2},
    {"chkLA4Inv", Setting::ST9708LA4RearInversion},
    {"chkShare", Setting::SetGPIO0InQuad},
};

constexpr const wchar_t* kLevelScale = L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB";

}  // namespace

AC97Page::AC97Page(Form1& form) : form_(form) {
  for (const LevelRow& row : kLevels) {
    ScrollBar& bar = form.Get<ScrollBar>(row.bar);
    Label& label = form.Get<Label>(row.label);
    BindNumber(
        form, row.bar, row.setting, 31,
        [&form, &bar, setting = row.setting]() -> std::optional<int> {
          const auto& level = form.snapshot().Level(setting);
          if (!level || !bar.InRange(*level)) return std::nullopt;
          return bar.Position();
        },
        [&bar](int position) { bar.SetPosition(position); });
    bar.onChange = [&form, &bar, &label, setting = row.setting] {
      auto& level = form.snapshot().Level(setting);
      level = static_cast<std::int16_t>(bar.Position());
      label.SetCaption(std::to_wstring(*level));
      form.Write(setting, SettingValue(*level));
    };
  }
  BindSwitch(form, k3DSwitch.box, k3DSwitch.setting);
  for (const SwitchRow& row : kOutputSwitches) BindSwitch(form, row.box, row.setting);
  form.Get<PushButton>("cmdAC97Help").onClick = [&form] { form.Inform(kLevelScale); };
}

void AC97Page::FillLevels() {
  // A level the bar cannot show leaves it at 0; its label shows what is stored.
  for (const LevelRow& row : kLevels) {
    ScrollBar& bar = form_.Get<ScrollBar>(row.bar);
    const auto& level = form_.snapshot().Level(row.setting);
    if (level && bar.InRange(*level)) bar.SetPosition(*level);
  }
}

void AC97Page::FillLevelLabels() {
  for (const LevelRow& row : kLevels) {
    form_.Get<Label>(row.label).SetCaption(form_.snapshot().LevelText(row.setting));
  }
}

void AC97Page::Fill3DSwitch() { FillSwitch(form_, k3DSwitch.box, k3DSwitch.setting); }

void AC97Page::FillOutputSwitches() {
  for (const SwitchRow& row : kOutputSwitches) FillSwitch(form_, row.box, row.setting);
}

}  // namespace calvane

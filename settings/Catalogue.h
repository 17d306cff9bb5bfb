// Every registry key and value the panel touches, named once.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

namespace calvane {

enum class Key { ControlPanel, Customization, A3D };

// How the start-up keeps a value in the settings snapshot.
enum class Form { Int16, Text, NotRead };

// The values, in the order in which the start-up reads them; the last four
// are written with the wavetable voice mode and never read.
#define CALVANE_SETTINGS(X)                        \
  X(AC97PCMOutVol, Customization, Int16)           \
  X(AC97PCM2OutVol, Customization, Int16)          \
  X(AC97MixerFrontOutVol, Customization, Int16)    \
  X(AC97MixerRearOutVol, Customization, Int16)     \
  X(SpdifFrequency, Customization, Text)           \
  X(ZuvivWavetableEffect, ControlPanel, Text)      \
  X(DisableAC97Codec3DEffect, Customization, Text) \
  X(SplashAudio, A3D, Text)                        \
  X(SplashScreen, A3D, Text)                       \
  X(ReverbAmount, ControlPanel, Text)              \
  X(ChorusAmount, ControlPanel, Text)              \
  X(ST9704ATTEN, Customization, Text)              \
  X(CorrectLA2, Customization, Text)               \
  X(ST9708LA4RearInversion, Customization, Text)   \
  X(SetGPIO0InQuad, Customization, Text)           \
  X(QuadCodecOutputModeState, ControlPanel, Text)  \
  X(DetectSpdifOut, Customization, Text)           \
  X(DetectSpdifIn, Customization, Text)            \
  X(EnableSpdifOut, Customization, Text)           \
  X(EnableSpdifIn, Customization, Text)            \
  X(AnalogEQSrcLine, ControlPanel, Text)           \
  X(AnalogEQEnableState, ControlPanel, Text)       \
  X(SupportAnalogEQ, Customization, Text)          \
  X(SoftSynthModeIndex, ControlPanel, Text)        \
  X(PrimaryXtalk, ControlPanel, Text)              \
  X(GamerMode, ControlPanel, NotRead)              \
  X(SoftSynthVoices, ControlPanel, NotRead)        \
  X(SoftSynthMode, ControlPanel, NotRead)          \
  X(SoftSynth, ControlPanel, NotRead)

enum class Setting {
#define CALVANE_ENUM(name, key, form) name,
  CALVANE_SETTINGS(CALVANE_ENUM)
#undef CALVANE_ENUM
};

struct SettingInfo {
  Setting setting;
  const char* name;
  Key key;
  Form form;
};

inline constexpr std::array kSettings{
#define CALVANE_ROW(name, key, form) SettingInfo{Setting::name, #name, Key::key, Form::form},
    CALVANE_SETTINGS(CALVANE_ROW)
#undef CALVANE_ROW
};

inline constexpr std::size_t kSettingCount = kSettings.size();

constexpr const SettingInfo& Info(Setting setting) {
  return kSettings[static_cast<std::size_t>(setting)];
}

// Every key lies below HKEY_LOCAL_MACHINE.
inline const HKEY kRoot = HKEY_LOCAL_MACHINE;

constexpr const char* KeyPath(Key key) {
  switch (key) {
    case Key::ControlPanel:
      return "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel";
    case Key::Customization:
      return "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization";
    case Key::A3D:
      return "Software\\Zedave\\A3D";
  }
  return "";
}

// The A3D feature is a 32-bit component, so its key is the one 32-bit
// programs see: on a 64-bit Windows that is a key of its own (below
// Wow6432Node), which both builds open alike. A 32-bit Windows has one view
// and ignores the flag. The driver's keys below SYSTEM have one view anyway.
constexpr REGSAM KeyView(Key key) { return key == Key::A3D ? KEY_WOW64_32KEY : 0; }

}  // namespace calvane

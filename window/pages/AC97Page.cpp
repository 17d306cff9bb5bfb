// Page "AC'97 Controls": four output levels with their number labels, five
// codec switches and the level scale's information box.
#include "window/pages/Pages.h"

namespace calvane {
namespace {

struct LevelRow {
  const char* bar;
  const char* label;
  Setting setting;
  const wchar_t* tip;
};
// A position is a gain step of 1.5 dB: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.
constexpr LevelRow kLevels[] = {
    {"hsbPCM1", "lblPCM1", Setting::AC97PCMOutVol,
     L"PCM 1 output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB."},
    {"hsbPCM2", "lblPCM2", Setting::AC97PCM2OutVol,
     L"PCM 2 output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB."},
    {"hsbFront", "lblFront", Setting::AC97MixerFrontOutVol,
     L"AC'97 front output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB."},
    {"hsbRear", "lblRear", Setting::AC97MixerRearOutVol,
     L"AC'97 rear output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB."},
};

struct SwitchRow {
  const char* box;
  Setting setting;
  const wchar_t* tip;
};
constexpr SwitchRow kSwitches[] = {
    {"chkST3D", Setting::DisableAC97Codec3DEffect,
     L"Disable the SigmaTel codec's 3D surround enhancement."},
    {"chkShare", Setting::SetGPIO0InQuad,
     L"Share the front and rear output jacks: both carry the same sound."},
    {"chkAttenuation", Setting::ST9704ATTEN, L"Enable the attenuation of the ST9704 codec."},
    {"chkLA2Inv", Setting::CorrectLA2, L"Invert the rear channels of the ST9708 LA2 codec."},
    {"chkLA4Inv", Setting::ST9708LA4RearInversion,
     L"Invert the rear channels of the ST9708 LA4 codec."},
};

}  // namespace

void DeclareAC97Page(Declared& page) {
  for (const LevelRow& row : kLevels) {
    page.Add<BarField>(Widget::ScrollBar, row.bar, row.label, row.setting, row.tip,
                       BarField::Shows::FromStartUp);
  }
  for (const SwitchRow& row : kSwitches) page.Add<SwitchField>(row.box, row.setting, row.tip);
  page.notes.push_back({"cmdAC97Help", L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB"});
}

}  // namespace calvane

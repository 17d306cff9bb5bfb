// Page "AC'97 Controls": four output levels with their number labels, five
// codec switches and the level scale's information box.
#include "pages/Pages.h"

namespace calvane {

void DeclareAC97Page(PageRows page) {
  using K = Kind;
  using Level = BarField::Shows;
  // clang-format off
  page.Add(K::CheckBox, "chkST3D", L"&Disable SigmaTel 3D Surround Enhancement", {240, 600, 3615, 255}, 19)
      .Tip(L"Disable the SigmaTel codec's 3D surround enhancement.")
      .Edits<SwitchField>(9, Setting::DisableAC97Codec3DEffect);
  page.Add(K::CheckBox, "chkShare", L"&Share Front and Rear Output Jacks", {240, 960, 2895, 255}, 28)
      .Tip(L"Share the front and rear output jacks: both carry the same sound.")
      .Edits<SwitchField>(15, Setting::SetGPIO0InQuad);
  page.Add(K::CheckBox, "chkAttenuation", L"&Enable SigmaTel ST9704 Attenuation", {240, 1320, 3255, 255}, 40)
      .Tip(L"Enable the attenuation of the ST9704 codec.")
      .Edits<SwitchField>(12, Setting::ST9704ATTEN);
  page.Add(K::CheckBox, "chkLA2Inv", L"ST&9708LA2 Rear Inversion", {240, 1680, 2415, 255}, 41)
      .Tip(L"Invert the rear channels of the ST9708 LA2 codec.")
      .Edits<SwitchField>(13, Setting::CorrectLA2);
  page.Add(K::CheckBox, "chkLA4Inv", L"ST9708LA&4 Rear Inversion", {2640, 1680, 2295, 255}, 42)
      .Tip(L"Invert the rear channels of the ST9708 LA4 codec.")
      .Edits<SwitchField>(14, Setting::ST9708LA4RearInversion);

  // A position is a gain step of 1.5 dB: 0 is +12 dB, 8 is 0 dB, 31 is
  // -34.5 dB. Each level's label shows its number from the start-up on.
  page.Add(K::Label, "Label2", L"+12db", {1800, 2160, 615, 255}, 44);
  page.Add(K::Label, "Label1", L"0db", {2400, 2160, 375, 255}, 43);
  page.Add(K::Label, "Label3", L"-34.5dB", {3720, 2160, 615, 255}, 45);
  auto& label7 = page.Add(K::Label, "Label7", L"PCM 1 Out Level", {240, 2400, 1455, 255}, 22);
  auto& pcm1 = page.Add(K::ScrollBar, "hsbPCM1", nullptr, {1680, 2400, 2535, 255}, 20).NamedBy(label7)
      .Tip(L"PCM 1 output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.")
      .Edits<BarField>(2, Widget::ScrollBar, Setting::AC97PCMOutVol, Level::FromStartUp);
  page.Add(K::Label, "lblPCM1", L"Label13", {4320, 2400, 495, 255}, 30).Shows(pcm1);
  page.Add(K::PushButton, "cmdAC97Help", L"?", {4680, 3000, 255, 255}, 46)
      .Note(L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB");
  auto& label8 = page.Add(K::Label, "Label8", L"PCM 2 Out Level", {240, 2760, 1335, 255}, 23);
  auto& pcm2 = page.Add(K::ScrollBar, "hsbPCM2", nullptr, {1680, 2760, 2535, 255}, 21).NamedBy(label8)
      .Tip(L"PCM 2 output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.")
      .Edits<BarField>(3, Widget::ScrollBar, Setting::AC97PCM2OutVol, Level::FromStartUp);
  page.Add(K::Label, "lblPCM2", L"Label14", {4320, 2760, 495, 255}, 31).Shows(pcm2);
  auto& label9 = page.Add(K::Label, "Label9", L"AC'97 Front Output", {240, 3240, 1455, 255}, 26);
  auto& front = page.Add(K::ScrollBar, "hsbFront", nullptr, {1680, 3240, 2535, 255}, 24).NamedBy(label9)
      .Tip(L"AC'97 front output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.")
      .Edits<BarField>(4, Widget::ScrollBar, Setting::AC97MixerFrontOutVol, Level::FromStartUp);
  page.Add(K::Label, "lblFront", L"Label15", {4320, 3240, 495, 255}, 32).Shows(front);
  auto& label10 = page.Add(K::Label, "Label10", L"AC'97 Rear Output", {240, 3600, 1455, 255}, 27);
  auto& rear = page.Add(K::ScrollBar, "hsbRear", nullptr, {1680, 3600, 2535, 255}, 25).NamedBy(label10)
      .Tip(L"AC'97 rear output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.")
      .Edits<BarField>(5, Widget::ScrollBar, Setting::AC97MixerRearOutVol, Level::FromStartUp);
  page.Add(K::Label, "lblRear", L"Label16", {4320, 3600, 495, 255}, 33).Shows(rear);
  // clang-format on
}

}  // namespace calvane

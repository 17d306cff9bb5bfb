// The "AC'97 Controls" page: the four output levels with their number labels
// and the five codec switches, at start-up and as the user changes them.
#include "tests/window/PagePanel.h"

namespace calvane::test {
namespace {

using S = Setting;

TEST(AC97Page, StartUpShowsAndWritesBackWhatTheControlsCanTake) {
  // clang-format off
  ExpectFills({
    {{{S::AC97PCMOutVol, Sz("8")}}, {{S::AC97PCMOutVol, Dword(8)}}, {{"hsbPCM1", L"8"}, {"lblPCM1", L"8"}}},
    {{{S::AC97MixerRearOutVol, Dword(31)}, {S::AC97PCMOutVol, Dword(1)}, {S::AC97MixerFrontOutVol, Sz(" 12 ")}},
     {{S::AC97PCMOutVol, Dword(1)}, {S::AC97MixerFrontOutVol, Dword(12)}, {S::AC97MixerRearOutVol, Dword(31)}},
     {{"hsbRear", L"31"}, {"lblRear", L"31"}, {"hsbFront", L"12"}, {"lblFront", L"12"}}},
    {{{S::AC97PCMOutVol, Dword(0)}, {S::AC97PCM2OutVol, Dword(0)}, {S::AC97MixerFrontOutVol, Dword(0)}, {S::AC97MixerRearOutVol, Dword(0)}}, {},
     {{"hsbPCM1", L"0"}, {"lblPCM1", L"0"}, {"lblPCM2", L"0"}, {"lblFront", L"0"}, {"lblRear", L"0"}}},
    // A value of a type the panel does not read counts as missing: 0.
    {{{S::AC97PCMOutVol, {REG_BINARY, {8, 0, 0, 0}}}}, {}, {{"hsbPCM1", L"0"}, {"lblPCM1", L"0"}}},
    {{{S::CorrectLA2, Dword(2)}}, {{S::CorrectLA2, Dword(2)}}, {{"chkLA2Inv", L"2"}}},
    {{{S::SetGPIO0InQuad, Dword(1)}, {S::ST9708LA4RearInversion, Sz("1")}, {S::ST9704ATTEN, Dword(2)}, {S::DisableAC97Codec3DEffect, Dword(1)}},
     {{S::DisableAC97Codec3DEffect, Dword(1)}, {S::ST9704ATTEN, Dword(2)}, {S::ST9708LA4RearInversion, Dword(1)}, {S::SetGPIO0InQuad, Dword(1)}},
     {{"chkST3D", L"1"}, {"chkAttenuation", L"2"}, {"chkLA4Inv", L"1"}, {"chkShare", L"1"}}},
    // What no control can show stays as stored: the bar at 0, its label
    // showing what is stored, the box clear.
    {{{S::AC97PCMOutVol, Sz("")}, {S::AC97PCM2OutVol, Dword(40)}, {S::AC97MixerFrontOutVol, Dword(70000)}, {S::AC97MixerRearOutVol, Sz("abc")}}, {},
     {{"hsbPCM1", L"0"}, {"lblPCM1", L""}, {"hsbPCM2", L"0"}, {"lblPCM2", L"40"}, {"hsbFront", L"0"},
      {"lblFront", L"70000"}, {"hsbRear", L"0"}, {"lblRear", L"abc"}}},
    {{{S::AC97MixerRearOutVol, Dword(-1)}, {S::SetGPIO0InQuad, Dword(3)}, {S::CorrectLA2, Sz("2x")}}, {},
     {{"hsbRear", L"0"}, {"lblRear", L"-1"}, {"chkShare", L"0"}, {"chkLA2Inv", L"0"}}},
  });
  // clang-format on
}

TEST(AC97Page, EachChangeWritesItsValueOnce) {
  PagePanel panel({{S::AC97PCM2OutVol, Dword(40)}, {S::CorrectLA2, Dword(2)}});
  // clang-format off
  ExpectSteps(panel, {
    {[](PagePanel& p) { p.Page(3); }, {}, {{"hsbRear", L"8"}, {"lblPCM2", L"40"}}},
    {[](PagePanel& p) { p.Arrow("hsbRear", 1); }, {{S::AC97MixerRearOutVol, Dword(9)}}, {{"hsbRear", L"9"}, {"lblRear", L"9"}}},
    {[](PagePanel& p) { p.Arrow("hsbRear", -1); }, {{S::AC97MixerRearOutVol, Dword(8)}}, {{"hsbRear", L"8"}, {"lblRear", L"8"}}},
    {[](PagePanel& p) { p.driver->Key(VK_LEFT); }, {{S::AC97MixerRearOutVol, Dword(7)}}, {{"lblRear", L"7"}}},
    {[](PagePanel& p) { p.Arrow("hsbPCM2", 1); }, {{S::AC97PCM2OutVol, Dword(1)}}, {{"hsbPCM2", L"1"}, {"lblPCM2", L"1"}}},
    {[](PagePanel& p) { p.Click("chkShare"); }, {{S::SetGPIO0InQuad, Dword(1)}}, {{"chkShare", L"1"}}},
    {[](PagePanel& p) { p.Click("chkShare"); }, {{S::SetGPIO0InQuad, Dword(0)}}, {{"chkShare", L"0"}}},
    {[](PagePanel& p) { p.Click("chkLA2Inv"); }, {{S::CorrectLA2, Dword(1)}}, {{"chkLA2Inv", L"1"}}},
    {[](PagePanel& p) { p.Click("cmdAC97Help"); }, {}, {{"lblRear", L"7"}, {"chkLA2Inv", L"1"}}},
  });
  // clang-format on
  const auto& box = panel.driver->boxes().shown;
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].text, L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB");
  EXPECT_EQ(box[0].title, L"Information");
  EXPECT_EQ(box[0].style, UINT{MB_OK | MB_ICONINFORMATION});
}

}  // namespace
}  // namespace calvane::test

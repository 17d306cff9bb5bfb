// The "AC'97 Controls" page: the four output levels with their number labels
// and the five codec switches, at start-up and as the user changes them.
#include "tests/support/WindowDriver.h"

namespace calvane::test {

using S = Setting;

TEST(AC97Page, StartUpAndEachChangeWriteWhatTheControlsShow) {
  // clang-format off
  ExpectFills({
    // A level of 0 is the bar's own and not written; one of a type the panel
    // does not read counts as missing: 0.
    {{{S::AC97PCMOutVol, {REG_BINARY, {8, 0, 0, 0}}}, {S::AC97PCM2OutVol, Dword(0)}, {S::AC97MixerFrontOutVol, Dword(0)}, {S::AC97MixerRearOutVol, Dword(0)}},
     {}, {{"hsbPCM1", L"0"}, {"lblPCM1", L"0"}, {"lblPCM2", L"0"}, {"lblFront", L"0"}, {"lblRear", L"0"}}},
    // What no bar can show stays as stored: the bar at 0, its label showing
    // what is stored.
    {{{S::AC97PCMOutVol, Sz("abc")}, {S::AC97PCM2OutVol, Dword(40)}, {S::AC97MixerFrontOutVol, Dword(70000)}, {S::AC97MixerRearOutVol, Dword(-1)}}, {},
     {{"hsbPCM1", L"0"}, {"lblPCM1", L"abc"}, {"hsbPCM2", L"0"}, {"lblPCM2", L"40"}, {"hsbFront", L"0"},
      {"lblFront", L"70000"}, {"hsbRear", L"0"}, {"lblRear", L"-1"}}},
  });
  ExpectSteps({{S::AC97PCM2OutVol, Dword(40)}}, {
    {[](WindowDriver& p) { p.ClickTab(3), SetFocus(p.Hwnd("hsbPCM2")), p.Key(VK_RIGHT); }, {{S::AC97PCM2OutVol, Dword(1)}},
     {{"hsbPCM2", L"1"}, {"lblPCM2", L"1"}}},
    // A click on the left arrow of hsbRear.
    {[](WindowDriver& p) { int arrow = 0; const RECT thumb = p.Thumb(p.Hwnd("hsbRear"), &arrow); p.Click(p.Hwnd("hsbRear"), {arrow / 2, thumb.bottom / 2}); },
     {{S::AC97MixerRearOutVol, Dword(7)}}, {{"hsbRear", L"7"}, {"lblRear", L"7"}}},
    {[](WindowDriver& p) { p.Click("chkShare"); }, {{S::SetGPIO0InQuad, Dword(1)}}, {{"chkShare", L"1"}}},
    {[](WindowDriver& p) { p.Click("chkST3D"); }, {{S::DisableAC97Codec3DEffect, Dword(1)}}, {{"chkST3D", L"1"}}},
    {[](WindowDriver& p) { p.Click("cmdAC97Help"); }, {}, {}, L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB"},
  });
  // clang-format on
}

}  // namespace calvane::test

// The "Digital Out/EQ" page: the output rate, the S/PDIF switches with their
// enabling, the analog EQ source and the two notes; and the whole start-up
// on a registry where every value is set.
#include "tests/support/WindowDriver.h"

namespace calvane::test {

using S = Setting;

const Stored d0 = Dword(0), d1 = Dword(1), d2 = Dword(2), d3 = Dword(3), d5 = Dword(5);

// SupportAnalogEQ, AnalogEQSrcLine and AnalogEQEnableState, in the order
// written, and whatever follows them.
// clang-format off
static Seed EQ(Stored support, Stored line, Stored enable, Seed more = {}) {
  more.insert(more.begin(), {{S::SupportAnalogEQ, support}, {S::AnalogEQSrcLine, line}, {S::AnalogEQEnableState, enable}});
  return more;
}

TEST(DigitalPage, StartUpAndEachChangeWriteWhatTheControlsShow) {
  ExpectFills({
    // An enable box is usable only while its detection box is ticked.
    {EQ(d1, d2, d1, {{S::DetectSpdifOut, d0}, {S::EnableSpdifOut, d1}}), EQ(d1, d2, d1, {{S::EnableSpdifOut, d1}}),
     {{"cboAnalogEQ", L"Line-In"}, {"chkDetOut", L"0"}, {"chkEnOut", L"1 off"}}},
    {EQ(d1, d1, d0), EQ(d0, d3, d0), {{"cboAnalogEQ", L"None"}}},
    {EQ(d1, d1, d2), EQ(d0, d3, d0), {{"cboAnalogEQ", L"None"}}},
    {EQ(d0, d1, d1), EQ(d0, d3, d0), {{"cboAnalogEQ", L"None"}}},
    // What no control can show stays as stored, the control as designed; a
    // detection state no box can show leaves its enable box disabled.
    {EQ(d2, d1, d1, {{S::DetectSpdifOut, d3}, {S::EnableSpdifOut, d1}, {S::DetectSpdifIn, Sz("abc")}, {S::EnableSpdifIn, d5}}),
     {{S::EnableSpdifOut, d1}},
     {{"cboAnalogEQ", L""}, {"chkDetOut", L"0"}, {"chkEnOut", L"1 off"}, {"chkDetIn", L"0"}, {"chkEnIn", L"0 off"}}},
    {EQ(d1, Dword(7), d1), {}, {{"cboAnalogEQ", L""}}},
    {EQ(d1, Sz("x"), d1), {}, {{"cboAnalogEQ", L""}}},
    {EQ(Sz("x"), d1, d1), {}, {{"cboAnalogEQ", L""}}},
    {EQ(d1, d1, Sz("x")), {}, {{"cboAnalogEQ", L""}}},
  });
  ExpectSteps({{S::DetectSpdifOut, d0}, {S::SupportAnalogEQ, d2}}, {
    {[](WindowDriver& p) { p.ClickTab(4), p.Click("chkDetOut"); }, {{S::DetectSpdifOut, d1}},
     {{"chkDetOut", L"1"}, {"chkEnOut", L"1"}, {"lblDigOut", L"48000"}, {"optDigOut", L"-"}, {"cboAnalogEQ", L""}}},
    {[](WindowDriver& p) { p.Click("chkDetOut"); }, {{S::DetectSpdifOut, d0}}, {{"chkEnOut", L"1 off"}}},
    {[](WindowDriver& p) { p.Click(p.Option("optDigOut", 1)); }, {{S::SpdifFrequency, Dword(44100)}}, {{"lblDigOut", L"44100"}, {"optDigOut", L"&44.1 kHz"}}},
    {[](WindowDriver& p) { p.AltKey(L'8'); }, {{S::SpdifFrequency, Dword(48000)}}, {{"lblDigOut", L"48000"}, {"optDigOut", L"4&8 kHz"}}},
    {[](WindowDriver& p) { p.Choose("cboAnalogEQ", L"Phone"); }, EQ(d1, d0, d1), {{"cboAnalogEQ", L"Phone"}}},
    {[](WindowDriver& p) { p.AltKey(L'a'), p.Key(VK_DOWN); }, EQ(d1, d1, d1), {{"cboAnalogEQ", L"Microphone"}}},
    {[](WindowDriver& p) { p.Click("cmdDO"); }, {}, {}, L"This will override the detection for support for Digital Output"},
    {[](WindowDriver& p) { p.Click("cmdDI"); }, {}, {}, L"This will override the detection for support for Digital Input"},
  });
}

TEST(StartUp, WritesBackEverythingItMovesInItsOrder) {
  ExpectFills({{
    {{S::AC97PCMOutVol, Sz("8")}, {S::AC97PCM2OutVol, d5}, {S::AC97MixerFrontOutVol, Dword(20)}, {S::AC97MixerRearOutVol, Dword(31)},
     {S::SpdifFrequency, Sz("44100")}, {S::ZuvivWavetableEffect, Sz("1")}, {S::DisableAC97Codec3DEffect, d1},
     {S::SplashAudio, d2}, {S::SplashScreen, d1}, {S::ReverbAmount, Dword(64)}, {S::ChorusAmount, Sz("127")},
     {S::ST9704ATTEN, d1}, {S::CorrectLA2, d2}, {S::ST9708LA4RearInversion, Sz("1")}, {S::SetGPIO0InQuad, d1},
     {S::QuadCodecOutputModeState, d1}, {S::DetectSpdifOut, d1}, {S::DetectSpdifIn, d2}, {S::EnableSpdifOut, d1},
     {S::EnableSpdifIn, Sz("1")}, {S::AnalogEQSrcLine, d5}, {S::AnalogEQEnableState, d1}, {S::SupportAnalogEQ, Sz("1")},
     {S::SoftSynthModeIndex, d1}, {S::PrimaryXtalk, d1}, {S::GamerMode, d1}, {S::SoftSynthVoices, Dword(256)},
     {S::SoftSynthMode, d3}, {S::SoftSynth, d0}},
    {{S::SupportAnalogEQ, d1}, {S::AnalogEQSrcLine, d5}, {S::AnalogEQEnableState, d1},
     {S::AC97PCMOutVol, Dword(8)}, {S::AC97PCM2OutVol, d5}, {S::AC97MixerFrontOutVol, Dword(20)}, {S::AC97MixerRearOutVol, Dword(31)},
     {S::ReverbAmount, Dword(64)}, {S::ChorusAmount, Dword(127)},
     {S::ZuvivWavetableEffect, d1}, {S::DisableAC97Codec3DEffect, d1}, {S::SplashAudio, d2}, {S::SplashScreen, d1},
     {S::ST9704ATTEN, d1}, {S::CorrectLA2, d2}, {S::ST9708LA4RearInversion, d1}, {S::SetGPIO0InQuad, d1},
     {S::DetectSpdifOut, d1}, {S::EnableSpdifOut, d1}, {S::DetectSpdifIn, d2}, {S::EnableSpdifIn, d1},
     {S::GamerMode, d0}, {S::SoftSynthVoices, Dword(64)}, {S::SoftSynthMode, d2}, {S::SoftSynthModeIndex, d1}, {S::SoftSynth, d2},
     {S::PrimaryXtalk, d1}},
    {{"cboAnalogEQ", L"Auxiliary"}, {"lblPCM1", L"8"}, {"hsbRear", L"31"}, {"lblFront", L"20"}, {"lblEffect2", L"127"},
     {"chkPlayA3D", L"2"}, {"chkLA4Inv", L"1"}, {"lblDigOut", L"44100"}, {"chkEnOut", L"1"}, {"chkEnIn", L"1 off"},
     {"cboWavetableMode", L"128 Voices"}, {"cboA3DType", L"Satellite Speakers"}, {"lblQuad", L"Quad"}},
  }});
}
// clang-format on

}  // namespace calvane::test

// The "Digital Out/EQ" page: the output rate, the S/PDIF switches with their
// enabling, the analog EQ source and the two notes; and the whole start-up
// on a registry where every value is set.
#include "tests/window/PagePanel.h"

namespace calvane::test {
namespace {

using S = Setting;

// SupportAnalogEQ, AnalogEQSrcLine and AnalogEQEnableState, in the order written.
Seed EQ(Stored support, Stored line, Stored enable) {
  return {
      {S::SupportAnalogEQ, support}, {S::AnalogEQSrcLine, line}, {S::AnalogEQEnableState, enable}};
}

const Stored d0 = Dword(0), d1 = Dword(1), d2 = Dword(2), d3 = Dword(3), d5 = Dword(5);

TEST(DigitalPage, StartUpShowsAndWritesBackWhatTheControlsCanTake) {
  // clang-format off
  ExpectFills({
    {{{S::SpdifFrequency, Dword(48000)}}, {}, {{"lblDigOut", L"48000"}, {"optDigOut", L"-"}}},
    {{{S::SpdifFrequency, Sz("44100")}}, {}, {{"lblDigOut", L"44100"}, {"optDigOut", L"-"}}},
    {EQ(d1, d2, d1), EQ(d1, d2, d1), {{"cboAnalogEQ", L"Line-In"}}},
    {EQ(Sz("1"), Sz("5"), Sz("1")), EQ(d1, d5, d1), {{"cboAnalogEQ", L"Auxiliary"}}},
    {EQ(d1, d1, d0), EQ(d0, d3, d0), {{"cboAnalogEQ", L"None"}}},
    {EQ(d0, d1, d1), EQ(d0, d3, d0), {{"cboAnalogEQ", L"None"}}},
    {EQ(d2, d1, d1), {}, {{"cboAnalogEQ", L"-"}}},
    {EQ(d1, Dword(7), d1), {}, {{"cboAnalogEQ", L"-"}}},
    {EQ(Sz("x"), d1, d1), {}, {{"cboAnalogEQ", L"-"}}},
    {EQ(d1, d1, Sz("x")), {}, {{"cboAnalogEQ", L"-"}}},
    {EQ(d1, Sz("x"), d1), {}, {{"cboAnalogEQ", L"-"}}},
    {{{S::DetectSpdifIn, d2}}, {{S::DetectSpdifIn, d2}}, {{"chkDetIn", L"2"}, {"chkEnIn", L"0 off"}}},
    {{{S::DetectSpdifOut, d0}, {S::EnableSpdifOut, d1}}, {{S::EnableSpdifOut, d1}}, {{"chkDetOut", L"0"}, {"chkEnOut", L"1 off"}}},
    {{{S::EnableSpdifIn, Sz("1")}, {S::DetectSpdifIn, d1}, {S::EnableSpdifOut, d2}, {S::DetectSpdifOut, d1}},
     {{S::DetectSpdifOut, d1}, {S::EnableSpdifOut, d2}, {S::DetectSpdifIn, d1}, {S::EnableSpdifIn, d1}},
     {{"chkEnOut", L"2"}, {"chkEnIn", L"1"}}},
    // A detection state no box can show leaves the box clear, the value as
    // stored and its enable box disabled.
    {{{S::DetectSpdifOut, d3}, {S::EnableSpdifOut, d1}, {S::DetectSpdifIn, Sz("abc")}, {S::EnableSpdifIn, Dword(5)}},
     {{S::EnableSpdifOut, d1}}, {{"chkDetOut", L"0"}, {"chkEnOut", L"1 off"}, {"chkDetIn", L"0"}, {"chkEnIn", L"0 off"}}},
  });
  // clang-format on
}

TEST(DigitalPage, EachChangeWritesItsValues) {
  PagePanel panel({{S::DetectSpdifOut, d0}, {S::DetectSpdifIn, d2}, {S::SupportAnalogEQ, d2}});
  // clang-format off
  ExpectSteps(panel, {
    {[](PagePanel& p) { p.Page(4); }, {}, {{"chkEnOut", L"1 off"}, {"lblDigOut", L"48000"}, {"cboAnalogEQ", L"-"}}},
    {[](PagePanel& p) { p.Click("chkDetOut"); }, {{S::DetectSpdifOut, d1}}, {{"chkDetOut", L"1"}, {"chkEnOut", L"1"}}},
    {[](PagePanel& p) { p.Click("chkEnOut"); }, {{S::EnableSpdifOut, d0}}, {{"chkEnOut", L"0"}}},
    {[](PagePanel& p) { p.Click("chkDetOut"); }, {{S::DetectSpdifOut, d0}}, {{"chkEnOut", L"0 off"}}},
    {[](PagePanel& p) { p.Click("chkDetIn"); }, {{S::DetectSpdifIn, d1}}, {{"chkDetIn", L"1"}, {"chkEnIn", L"0"}}},
    {[](PagePanel& p) { p.Click(L"&44.1 kHz"); }, {{S::SpdifFrequency, Dword(44100)}}, {{"lblDigOut", L"44100"}, {"optDigOut", L"&44.1 kHz"}}},
    {[](PagePanel& p) { p.driver->AltKey(L'8'); }, {{S::SpdifFrequency, Dword(48000)}}, {{"lblDigOut", L"48000"}, {"optDigOut", L"4&8 kHz"}}},
    {[](PagePanel& p) { p.Choose("cboAnalogEQ", L"Auxiliary"); }, EQ(d1, d5, d1), {{"cboAnalogEQ", L"Auxiliary"}}},
    {[](PagePanel& p) { p.Choose("cboAnalogEQ", L"None"); }, EQ(d0, d3, d0), {{"cboAnalogEQ", L"None"}}},
    {[](PagePanel& p) { p.driver->AltKey(L'a'); }, {}, {}},
    {[](PagePanel& p) { p.driver->Key(VK_DOWN); }, EQ(d1, d0, d1), {{"cboAnalogEQ", L"Phone"}}},
    {[](PagePanel& p) { p.Click("cmdDO"); }, {}, {}},
    {[](PagePanel& p) { p.Click("cmdDI"); }, {}, {{"cboAnalogEQ", L"Phone"}, {"chkEnOut", L"0 off"}}},
  });
  // clang-format on
  const auto& box = panel.driver->boxes().shown;
  ASSERT_EQ(box.size(), 2u);
  EXPECT_EQ(box[0].text, L"This will override the detection for support for Digital Output");
  EXPECT_EQ(box[1].text, L"This will override the detection for support for Digital Input");
  for (const auto& b : box) EXPECT_EQ(b.title + std::to_wstring(b.style), L"Information64");
}

TEST(StartUp, WritesBackEverythingItMovesInItsOrder) {
  // clang-format off
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
    {{"cboAnalogEQ", L"Auxiliary"}, {"lblPCM1", L"8"}, {"lblEffect2", L"127"}, {"chkPlayA3D", L"2"}, {"lblDigOut", L"44100"},
     {"chkEnOut", L"1"}, {"chkEnIn", L"1 off"}, {"cboWavetableMode", L"128 Voices"}, {"cboA3DType", L"Satellite Speakers"},
     {"lblQuad", L"Quad"}},
  }});
  // clang-format on
}

}  // namespace
}  // namespace calvane::test

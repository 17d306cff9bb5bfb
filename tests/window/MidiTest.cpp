// The "MIDI" page: the voice mode with its five values, the effects switch
// and the two effect amounts, at start-up and as the user changes them.
#include "tests/support/WindowDriver.h"

namespace calvane::test {

using S = Setting;

// The five values a voice mode stores, in the order written. Seeded as 7,
// the four the start-up never reads tell whether it wrote them.
// clang-format off
static Seed Voices(DWORD gamer, DWORD voices, DWORD mode, Stored index, DWORD synth) {
  return {{S::GamerMode, Dword(gamer)}, {S::SoftSynthVoices, Dword(voices)}, {S::SoftSynthMode, Dword(mode)},
          {S::SoftSynthModeIndex, index}, {S::SoftSynth, Dword(synth)}};
}

TEST(MidiPage, StartUpAndEachChangeWriteWhatTheControlsShow) {
  ExpectFills({
    {Voices(7, 7, 7, Sz("0"), 7), Voices(1, 256, 3, Dword(0), 2), {{"cboWavetableMode", L"320 Voices"}}},
    {Voices(7, 7, 7, Dword(3), 7), {}, {{"cboWavetableMode", L""}}},
    // An amount of 0 is the slider's own: not written, the placeholder kept.
    {{{S::ReverbAmount, Dword(64)}, {S::ChorusAmount, Dword(0)}}, {{S::ReverbAmount, Dword(64)}},
     {{"hsbEffect1", L"64"}, {"lblEffect1", L"64"}, {"hsbEffect2", L"0"}, {"lblEffect2", L"Label14"}}},
    {{{S::ReverbAmount, Dword(128)}, {S::ChorusAmount, Dword(-1)}}, {},
     {{"hsbEffect1", L"0"}, {"lblEffect1", L"Label13"}, {"hsbEffect2", L"0"}, {"lblEffect2", L"Label14"}}},
  });
  ExpectSteps({}, {
    {[](WindowDriver& p) { p.ClickTab(1), p.Choose("cboWavetableMode", L"64 Voices"); }, Voices(0, 0, 0, Dword(2), 0),
     {{"cboWavetableMode", L"64 Voices"}}},
    {[](WindowDriver& p) { p.Click("chkMIDIfx"); }, {{S::ZuvivWavetableEffect, Dword(0)}}, {{"chkMIDIfx", L"0"}}},
    {[](WindowDriver& p) { p.AltKey(L'2'), p.Key(VK_END); }, {{S::ChorusAmount, Dword(127)}},
     {{"hsbEffect2", L"127"}, {"lblEffect2", L"127"}}},
  });
}
// clang-format on

}  // namespace calvane::test

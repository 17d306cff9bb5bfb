// The "MIDI" page: the voice mode with its five values, the effects switch
// and the two effect amounts, at start-up and as the user changes them.
#include "tests/window/PagePanel.h"

namespace calvane::test {
namespace {

using S = Setting;

// The five values a voice mode stores, in the order written.
Seed Voices(DWORD gamer, DWORD voices, DWORD mode, DWORD index, DWORD synth) {
  return {{S::GamerMode, Dword(gamer)},
          {S::SoftSynthVoices, Dword(voices)},
          {S::SoftSynthMode, Dword(mode)},
          {S::SoftSynthModeIndex, Dword(index)},
          {S::SoftSynth, Dword(synth)}};
}

// The four values the start-up never reads, all 7, with the stored index.
Seed OddVoices(Stored index) {
  Seed seed = Voices(7, 7, 7, 7, 7);
  seed[3].second = index;
  return seed;
}

TEST(MidiPage, StartUpShowsAndWritesBackWhatTheControlsCanTake) {
  // clang-format off
  ExpectFills({
    {{{S::SoftSynthModeIndex, Dword(1)}}, Voices(0, 64, 2, 1, 2), {{"cboWavetableMode", L"128 Voices"}}},
    {OddVoices(Sz("0")), Voices(1, 256, 3, 0, 2), {{"cboWavetableMode", L"320 Voices"}}},
    {OddVoices(Dword(-1)), {}, {{"cboWavetableMode", L"-"}}},
    {OddVoices(Dword(5)), {}, {{"cboWavetableMode", L"-"}}},
    {{{S::ZuvivWavetableEffect, Sz("1")}}, {{S::ZuvivWavetableEffect, Dword(1)}}, {{"chkMIDIfx", L"1"}}},
    {{{S::ZuvivWavetableEffect, Dword(2)}}, {{S::ZuvivWavetableEffect, Dword(2)}}, {{"chkMIDIfx", L"2"}}},
    {{{S::ZuvivWavetableEffect, Dword(0)}}, {}, {{"chkMIDIfx", L"0"}}},
    {{{S::ReverbAmount, Dword(64)}, {S::ChorusAmount, Dword(0)}}, {{S::ReverbAmount, Dword(64)}},
     {{"hsbEffect1", L"64"}, {"lblEffect1", L"64"}, {"hsbEffect2", L"0"}, {"lblEffect2", L"Label14"}}},
    {{{S::ChorusAmount, Sz("127")}}, {{S::ChorusAmount, Dword(127)}}, {{"hsbEffect2", L"127"}, {"lblEffect2", L"127"}}},
    // What no control can show stays as stored, the control as designed.
    {{{S::ReverbAmount, Dword(200)}, {S::ChorusAmount, Dword(-5)}}, {},
     {{"hsbEffect1", L"0"}, {"lblEffect1", L"Label13"}, {"hsbEffect2", L"0"}, {"lblEffect2", L"Label14"}}},
    {{{S::ReverbAmount, Sz("")}, {S::ChorusAmount, Sz("abc")}, {S::ZuvivWavetableEffect, Dword(3)}}, {},
     {{"lblEffect1", L"Label13"}, {"lblEffect2", L"Label14"}, {"chkMIDIfx", L"0"}}},
  });
  // clang-format on
}

TEST(MidiPage, EachChangeWritesItsValues) {
  PagePanel panel({{S::ReverbAmount, Dword(200)}, {S::ChorusAmount, Dword(0)}});
  // clang-format off
  ExpectSteps(panel, {
    {[](PagePanel& p) { p.Page(1); }, {}, {{"cboWavetableMode", L"320 Voices"}}},
    {[](PagePanel& p) { p.Choose("cboWavetableMode", L"64 Voices"); }, Voices(0, 0, 0, 2, 0), {}},
    {[](PagePanel& p) { p.driver->Key(VK_UP); }, Voices(0, 64, 2, 1, 2), {{"cboWavetableMode", L"128 Voices"}}},
    {[](PagePanel& p) { p.Click("chkMIDIfx"); }, {{S::ZuvivWavetableEffect, Dword(0)}}, {{"chkMIDIfx", L"0"}}},
    {[](PagePanel& p) { p.driver->AltKey(L'2'); }, {}, {}},
    {[](PagePanel& p) { p.driver->Key(VK_END); }, {{S::ChorusAmount, Dword(127)}}, {{"hsbEffect2", L"127"}, {"lblEffect2", L"127"}}},
    {[](PagePanel& p) { p.driver->Key(VK_LEFT); }, {{S::ChorusAmount, Dword(126)}}, {{"hsbEffect2", L"126"}, {"lblEffect2", L"126"}}},
  });
  // clang-format on
}

}  // namespace
}  // namespace calvane::test

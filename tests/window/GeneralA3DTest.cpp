// The "General" and "A3D Settings" pages: the splash switches, the A3D type
// and the codec mode, at start-up and as the user changes them.
#include "tests/support/WindowDriver.h"

namespace calvane::test {

using S = Setting;

TEST(GeneralA3DPages, StartUpAndEachChangeWriteWhatTheControlsShow) {
  // clang-format off
  ExpectFills({
    // A box's state 0 is its own and not written back; a stored mode names
    // the label's caption but chooses no button.
    {{{S::SplashScreen, Dword(2)}, {S::SplashAudio, Dword(0)}, {S::PrimaryXtalk, Dword(2)}, {S::QuadCodecOutputModeState, Dword(1)}},
     {{S::SplashScreen, Dword(2)}, {S::PrimaryXtalk, Dword(2)}},
     {{"chkA3DSplash", L"2"}, {"chkPlayA3D", L"0"}, {"cboA3DType", L"Monitor Speakers"}, {"lblQuad", L"Quad"}, {"optQuad", L"-"}}},
    // What no control can show stays as stored, the control as designed.
    {{{S::SplashAudio, Dword(3)}, {S::SplashScreen, Dword(65537)}, {S::PrimaryXtalk, Dword(65538)}, {S::QuadCodecOutputModeState, Dword(5)}},
     {}, {{"chkPlayA3D", L"0"}, {"chkA3DSplash", L"0"}, {"cboA3DType", L""}, {"lblQuad", L"Label6"}}},
  });
  ExpectSteps({{S::SplashScreen, Sz("abc")}, {S::QuadCodecOutputModeState, Sz("x")}, {S::PrimaryXtalk, Dword(2)}}, {
    {{}, {{S::PrimaryXtalk, Dword(2)}}, {{"chkA3DSplash", L"0"}, {"lblQuad", L"Label6"}, {"cboA3DType", L"Monitor Speakers"}}},
    {[](WindowDriver& p) { p.AltKey(L's'); }, {{S::SplashScreen, Dword(1)}}, {{"chkA3DSplash", L"1"}}},
    {[](WindowDriver& p) { p.ClickTab(2), p.Click(p.Option("optQuad", 0)); }, {{S::QuadCodecOutputModeState, Dword(0)}},
     {{"lblQuad", L"Stereo"}, {"optQuad", L"&Stereo"}}},
    {[](WindowDriver& p) { p.Click(p.Option("optQuad", 1)); }, {{S::QuadCodecOutputModeState, Dword(1)}}, {{"lblQuad", L"Quad"}, {"optQuad", L"&Quad"}}},
    {[](WindowDriver& p) { p.Choose("cboA3DType", L"Headphones"); }, {{S::PrimaryXtalk, Dword(0)}}, {{"cboA3DType", L"Headphones"}}},
    {[](WindowDriver& p) { p.Choose("cboA3DType", L"Headphones"); }, {}, {}},
  });
  // clang-format on
}

}  // namespace calvane::test

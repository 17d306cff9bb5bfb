// The "General" and "A3D Settings" pages: the splash switches, the A3D type
// and the codec mode, at start-up and as the user changes them.
#include "tests/window/PagePanel.h"

namespace calvane::test {
namespace {

using S = Setting;

TEST(GeneralA3DPages, StartUpShowsAndWritesBackWhatTheControlsCanTake) {
  // clang-format off
  ExpectFills({
    {{{S::SplashAudio, Dword(1)}}, {{S::SplashAudio, Dword(1)}}, {{"chkPlayA3D", L"1"}}},
    {{{S::SplashScreen, Sz("1")}}, {{S::SplashScreen, Dword(1)}}, {{"chkA3DSplash", L"1"}}},
    {{{S::SplashScreen, Dword(2)}, {S::SplashAudio, Dword(0)}}, {{S::SplashScreen, Dword(2)}}, {{"chkA3DSplash", L"2"}, {"chkPlayA3D", L"0"}}},
    {{{S::PrimaryXtalk, Dword(2)}}, {{S::PrimaryXtalk, Dword(2)}}, {{"cboA3DType", L"Monitor Speakers"}}},
    {{{S::PrimaryXtalk, Sz(" +1 ")}}, {{S::PrimaryXtalk, Dword(1)}}, {{"cboA3DType", L"Satellite Speakers"}}},
    {{{S::PrimaryXtalk, {REG_SZ, {'2', 0, 'x', 0}}}}, {{S::PrimaryXtalk, Dword(2)}}, {{"cboA3DType", L"Monitor Speakers"}}},
    {{{S::PrimaryXtalk, Dword(-1)}}, {}, {{"cboA3DType", L"-"}}},
    {{{S::QuadCodecOutputModeState, Dword(1)}}, {}, {{"lblQuad", L"Quad"}, {"optQuad", L"-"}}},
    {{{S::QuadCodecOutputModeState, Sz("0")}}, {}, {{"lblQuad", L"Stereo"}, {"optQuad", L"-"}}},
    {{{S::QuadCodecOutputModeState, Dword(5)}}, {}, {{"lblQuad", L"Label6"}}},
    // What no control can show stays as stored, the control as designed.
    {{{S::SplashAudio, Sz("")}, {S::SplashScreen, {REG_SZ, {}}}}, {}, {{"chkPlayA3D", L"0"}, {"chkA3DSplash", L"0"}}},
    {{{S::SplashAudio, Sz("abc")}, {S::SplashScreen, Dword(3)}}, {}, {{"chkPlayA3D", L"0"}, {"chkA3DSplash", L"0"}}},
    {{{S::SplashAudio, Sz("1x")}, {S::SplashScreen, Dword(65537)}}, {}, {{"chkPlayA3D", L"0"}, {"chkA3DSplash", L"0"}}},
    {{{S::PrimaryXtalk, Dword(5)}, {S::QuadCodecOutputModeState, Sz("x")}}, {}, {{"cboA3DType", L"-"}, {"lblQuad", L"Label6"}}},
    {{{S::PrimaryXtalk, Dword(65538)}}, {}, {{"cboA3DType", L"-"}}},
  });
  // clang-format on
}

TEST(GeneralA3DPages, EachChangeWritesItsValueOnce) {
  PagePanel panel({{S::SplashAudio, Dword(0)},
                   {S::SplashScreen, Sz("abc")},
                   {S::QuadCodecOutputModeState, Dword(5)},
                   {S::PrimaryXtalk, Dword(2)}});
  // clang-format off
  ExpectSteps(panel, {
    {[](PagePanel& p) { p.Click("chkPlayA3D"); }, {{S::SplashAudio, Dword(1)}}, {{"chkPlayA3D", L"1"}}},
    {[](PagePanel& p) { p.driver->Key(VK_SPACE); }, {{S::SplashAudio, Dword(0)}}, {{"chkPlayA3D", L"0"}}},
    {[](PagePanel& p) { p.driver->AltKey(L's'); }, {{S::SplashScreen, Dword(1)}}, {{"chkA3DSplash", L"1"}}},
    {[](PagePanel& p) { p.Page(2); }, {}, {{"lblQuad", L"Label6"}, {"optQuad", L"-"}}},
    {[](PagePanel& p) { p.Click(L"&Stereo"); }, {{S::QuadCodecOutputModeState, Dword(0)}}, {{"lblQuad", L"Stereo"}, {"optQuad", L"&Stereo"}}},
    {[](PagePanel& p) { p.Click(L"&Quad"); }, {{S::QuadCodecOutputModeState, Dword(1)}}, {{"lblQuad", L"Quad"}, {"optQuad", L"&Quad"}}},
    {[](PagePanel& p) { p.Click(L"&Quad"); }, {}, {{"lblQuad", L"Quad"}}},
    {[](PagePanel& p) { p.Choose("cboA3DType", L"Headphones"); }, {{S::PrimaryXtalk, Dword(0)}}, {{"cboA3DType", L"Headphones"}}},
    {[](PagePanel& p) { p.Choose("cboA3DType", L"Headphones"); }, {}, {}},
  });
  // clang-format on
}

}  // namespace
}  // namespace calvane::test

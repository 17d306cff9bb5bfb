// The five pages as a user meets them: what the start-up shows of what the
// driver stored and which values it writes back, and what each change on a
// page writes, every value read back from the registry itself.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

// Values as sorted "Key\name=data" lines in Dump's form, a decimal number
// taken as a REG_DWORD. In a list the lines are blank-separated, and a name
// without its key is in the key of the one before.
std::vector<std::string> Lines(std::string_view list) {
  std::vector<std::string> lines;
  std::istringstream words{std::string(list)};
  for (std::string line, key; words >> line; lines.push_back(line)) {
    const std::size_t slash = line.find('\\');
    slash == std::string::npos ? line.insert(0, key) : key.assign(line, 0, slash + 1);
    const std::size_t data = line.find('=') + 1;
    char dword[16];
    std::snprintf(dword, sizeof dword, "dword:%08lx", std::strtoul(&line[data], nullptr, 10));
    if (std::isdigit(line[data])) line.replace(data, std::string::npos, dword);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Stores the values of a list ("Key\name=-" removes one); gives all values then.
std::vector<std::string> Put(std::string_view list) {
  for (std::string line : Lines(list)) {
    line.replace(line.find('='), 1, "\"=").replace(line.find('\\'), 1, "]\n\"");
    Apply(R"([HKEY_LOCAL_MACHINE\)" +
          std::string(line[0] == 'A' ? R"(Software\Zedave\)" : R"(SYSTEM\CurrentControlSet\Services\wdm_au8830\)") +
          line + "\n");
  }
  return Lines(Dump());
}

// SupportAnalogEQ, AnalogEQSrcLine and AnalogEQEnableState given as "S L E".
std::string EQ(std::string s) {
  s.replace(s.find(' '), 1, R"( ControlPanel\AnalogEQSrcLine=)");
  return R"(Customization\SupportAnalogEQ=)" + s.replace(s.rfind(' '), 1, " AnalogEQEnableState=");
}

// The ways of moving a bar by mouse; by keyboard, the keys themselves.
enum Mouse : UINT { kRightArrow = 1, kLeftArrow, kTrackRight, kTrackLeft, kDrag };

// What a drag's release finds stored when the scroll bar's own loop takes it
// from the queue, before it is handled.
HWND gDragged;
std::string gReleased;

LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam) {
  const auto* m = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && m->hwnd == gDragged && m->message == WM_LBUTTONUP) gReleased = Dump();
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A bar moved as a user would; a thumb dragged past the end of the track
// writes nothing before the button is let go. A slider has no arrow buttons.
void Move(WindowDriver& p, HWND bar, UINT way) {
  if (way > kDrag) return SetFocus(bar), p.Key(way);
  RECT thumb{}, all{};
  SCROLLBARINFO sb{sizeof sb, {}, 0, 0, 0, 0, {}};
  if (GetScrollBarInfo(bar, OBJID_CLIENT, &sb))
    thumb = {sb.xyThumbTop, 0, sb.xyThumbBottom, sb.rcScrollBar.bottom - sb.rcScrollBar.top};
  else
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  GetClientRect(bar, &all);
  const int y = (thumb.top + thumb.bottom) / 2, mid = (thumb.left + thumb.right) / 2, arrow = sb.dxyLineButton;
  const int x[] = {all.right - arrow / 2, arrow / 2, thumb.right + 4, thumb.left - 4, mid};
  const std::string before = gReleased = Dump();
  gDragged = way == kDrag ? bar : nullptr;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId());
  p.Drag(bar, {x[way - 1], y}, {way == kDrag ? all.right + 10 : x[way - 1], y});
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(gReleased, before) << "written before the thumb was let go";
}

// The window opened on a freshly installed driver's values, the splash
// switches already numbers as its first start leaves them, `stored` over
// them; its start-up changes exactly `written` and shows `looks`.
class Panel {
 public:
  Panel(std::string_view stored, std::string_view written, std::wstring_view looks)
      : before_((Put(R"(A3D\SplashAudio=1 SplashScreen=1)"), Put(stored))) {
    SCOPED_TRACE(stored);
    Check(written, looks);
  }

  // On page `tab` a list's item chosen ("list=item"), a bar moved `way`
  // ("bar=where it settles") or a control clicked ("control=what it shows")
  // changes exactly `written` and leaves `looks`, informing of `box`
  // ("text|title|style").
  void Expect(int tab, const std::wstring& act, UINT way, const std::string& written, const std::wstring& looks,
              std::wstring_view box = L"") {
    SCOPED_TRACE(testing::Message() << act << " (way " << way << ")");
    // Every value is removed first, so that each write of the act shows,
    // even one of the number stored before.
    for (const std::string& line : Lines(Dump())) Put(line.substr(0, line.find('=')) + "=-");
    before_ = Lines(Dump());
    panel_.boxes().shown.clear();
    panel_.ClickTab(tab);
    const std::string control(act.begin(), std::find(act.begin(), act.end(), L'='));
    way                          ? Move(panel_, panel_.Hwnd(control), way)
    : control.starts_with("cbo") ? panel_.Choose(control.c_str(), &act[control.size() + 1])
                                 : panel_.Click(control.c_str());
    Check(written, act + L"," + looks);
    std::wstring informed;
    for (const auto& b : panel_.boxes().shown) informed += b.text + L"|" + b.title + L"|" + std::to_wstring(b.style);
    EXPECT_EQ(informed, box);
  }

 private:
  void Check(std::string_view written, std::wstring_view looks) {
    std::vector<std::string> after = Lines(Dump()), changed;
    std::ranges::set_difference(after, before_, std::back_inserter(changed));
    EXPECT_EQ(changed, Lines(written));
    std::wistringstream in{std::wstring(looks)};
    for (std::wstring look; std::getline(in >> std::ws, look, L',');) {
      const std::string control(look.begin(), std::find(look.begin(), look.end(), L'='));
      EXPECT_EQ(look.substr(0, control.size() + 1) + panel_.Look(control.c_str()), look);
    }
  }

  DriverKeys keys_;
  std::vector<std::string> before_;
  WindowDriver panel_;
};

TEST(Pages, TheStartUpShowsWhatIsStoredAndWritesBackWhatItMoves) {
  // clang-format off
  const std::tuple<std::string, std::string, std::wstring> starts[] = {
      // A freshly installed driver. A chorus amount of 0 leaves the slider's
      // placeholder; the stored rate is shown, no rate button chosen.
      {R"(A3D\SplashAudio="1" SplashScreen="1")", R"(A3D\SplashAudio=1 SplashScreen=1)",
       L"chkPlayA3D=1, chkA3DSplash=1, chkMIDIfx=1, hsbEffect1=64, lblEffect1=64, hsbEffect2=0, lblEffect2=Label14, "
       L"cboWavetableMode=320 Voices, cboA3DType=Headphones, lblQuad=Stereo, &Stereo=0, &Quad=0, hsbPCM1=8, "
       L"lblPCM1=8, chkShare=0, lblDigOut=48000, &32 kHz=0, &44.1 kHz=0, 4&8 kHz=0, chkDetOut=1, chkEnOut=1, "
       L"chkDetIn=0, chkEnIn=0 off, cboAnalogEQ=None"},
      // Switches as text; a grayed detection box leaves its enable box
      // disabled. A stored quad mode and rate are shown, no option chosen.
      // (The values rewritten, however stored, and the voice mode's whole
      // row, the hostile test's model decides.)
      {R"(ControlPanel\QuadCodecOutputModeState=1 Customization\SpdifFrequency=44100 DetectSpdifOut="2"
          EnableSpdifOut="1" DetectSpdifIn="2" EnableSpdifIn="1")",
       R"(Customization\DetectSpdifOut=2 EnableSpdifOut=1 DetectSpdifIn=2 EnableSpdifIn=1)",
       L"lblQuad=Quad, &Quad=0, lblDigOut=44100, &44.1 kHz=0, chkDetOut=2, chkEnOut=1 off, chkDetIn=2, chkEnIn=1 off"},
      // The EQ source: supported and enabled, the stored line; supported but
      // not enabled (whatever the number), "None". (What selects nothing
      // writes nothing, as the hostile test's model decides.) A quad mode of
      // neither 0 nor 1 leaves the label's placeholder.
      {EQ(R"("1" "4" 65536)"), EQ("0 3 0"), L"cboAnalogEQ=None"}, {EQ(R"("1" "0" "1")"), EQ("1 0 1"), L"cboAnalogEQ=Phone"},
      {EQ(R"("1" "5" "1")") + " QuadCodecOutputModeState=5", EQ("1 5 1"), L"cboAnalogEQ=Auxiliary, lblQuad=Label6"}};
  // clang-format on
  for (const auto& [stored, written, looks] : starts) Panel{stored, written, looks};
}

TEST(Pages, EachChangeWritesItsOwnValuesAndEachHelpButtonOnlyInforms) {
  // clang-format off
  // Page; a control clicked, or a list's item chosen, and what it shows then
  // (a push button 0); what that writes, shows besides, and informs of.
  struct Act { int tab; std::wstring act; std::string written; std::wstring looks = L"", box = L""; };
  const Act acts[] = {
      {2, L"cboA3DType=Satellite Speakers", R"(ControlPanel\PrimaryXtalk=1)"},
      {2, L"cboA3DType=Monitor Speakers", R"(ControlPanel\PrimaryXtalk=2)"}, {2, L"cboA3DType=Headphones", R"(ControlPanel\PrimaryXtalk=0)"},
      {2, L"&Quad=1", R"(ControlPanel\QuadCodecOutputModeState=1)", L"lblQuad=Quad, &Stereo=0"},
      {2, L"&Stereo=1", R"(ControlPanel\QuadCodecOutputModeState=0)", L"lblQuad=Stereo, &Quad=0"},
      {1, L"cboWavetableMode=128 Voices", R"(ControlPanel\GamerMode=0 SoftSynthVoices=64 SoftSynthMode=2 SoftSynthModeIndex=1 SoftSynth=2)"},
      {1, L"cboWavetableMode=64 Voices", R"(ControlPanel\GamerMode=0 SoftSynthVoices=0 SoftSynthMode=0 SoftSynthModeIndex=2 SoftSynth=0)"},
      {1, L"cboWavetableMode=320 Voices", R"(ControlPanel\GamerMode=1 SoftSynthVoices=256 SoftSynthMode=3 SoftSynthModeIndex=0 SoftSynth=2)"},
      {4, L"cboAnalogEQ=Phone", EQ("1 0 1")}, {4, L"cboAnalogEQ=Microphone", EQ("1 1 1")}, {4, L"cboAnalogEQ=Line-In", EQ("1 2 1")},
      {4, L"cboAnalogEQ=CD-ROM", EQ("1 3 1")}, {4, L"cboAnalogEQ=Video", EQ("1 4 1")}, {4, L"cboAnalogEQ=Auxiliary", EQ("1 5 1")},
      {4, L"cboAnalogEQ=None", EQ("0 3 0")},
      {4, L"&32 kHz=1", R"(Customization\SpdifFrequency=32000)", L"lblDigOut=32000"},
      {4, L"&44.1 kHz=1", R"(Customization\SpdifFrequency=44100)", L"lblDigOut=44100, &32 kHz=0"},
      {4, L"4&8 kHz=1", R"(Customization\SpdifFrequency=48000)", L"lblDigOut=48000, &44.1 kHz=0"},
      {3, L"cmdAC97Help=0", "", L"", L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB|Information|64"},
      {4, L"cmdDO=0", "", L"", L"This will override the detection for support for Digital Output|Information|64"},
      {4, L"cmdDI=0", "", L"", L"This will override the detection for support for Digital Input|Information|64"},
      // Each box toggles its own value; a grayed one ticks; a detection box
      // enables its enable box only while ticked, which keeps its state.
      {0, L"chkPlayA3D=0", R"(A3D\SplashAudio=0)"}, {0, L"chkA3DSplash=0", R"(A3D\SplashScreen=0)"},
      {1, L"chkMIDIfx=0", R"(ControlPanel\ZuvivWavetableEffect=0)"}, {3, L"chkShare=1", R"(Customization\SetGPIO0InQuad=1)"},
      {3, L"chkST3D=1", R"(Customization\DisableAC97Codec3DEffect=1)"}, {3, L"chkAttenuation=1", R"(Customization\ST9704ATTEN=1)"},
      {3, L"chkLA2Inv=1", R"(Customization\CorrectLA2=1)"}, {3, L"chkLA4Inv=1", R"(Customization\ST9708LA4RearInversion=1)"},
      {4, L"chkEnOut=0", R"(Customization\EnableSpdifOut=0)"}, {4, L"chkDetOut=0", R"(Customization\DetectSpdifOut=0)", L"chkEnOut=0 off"},
      {4, L"chkDetIn=1", R"(Customization\DetectSpdifIn=1)", L"chkEnIn=0"}, {4, L"chkEnIn=1", R"(Customization\EnableSpdifIn=1)"}};
  // A page's bar, its value, and each way it is moved in turn with where that
  // leaves it: a level scroll bar from 8 in steps of 1, a slider from 64 by
  // 1 an arrow and 5 a page; a slider has no arrow buttons.
  const std::tuple<int, std::wstring, std::string, std::vector<std::pair<UINT, int>>> bars[] = {
      {3, L"hsbRear", R"(Customization\AC97MixerRearOutVol)", {{VK_RIGHT, 9}, {VK_LEFT, 8}, {kRightArrow, 9},
       {kLeftArrow, 8}, {kTrackRight, 9}, {kTrackLeft, 8}, {VK_END, 31}, {VK_PRIOR, 30}, {VK_HOME, 0}, {VK_NEXT, 1}, {kDrag, 31}}},
      {1, L"hsbEffect1", R"(ControlPanel\ReverbAmount)", {{VK_RIGHT, 65}, {VK_LEFT, 64}, {kTrackRight, 69},
       {kTrackLeft, 64}, {VK_END, 127}, {VK_PRIOR, 122}, {VK_HOME, 0}, {VK_NEXT, 5}, {kDrag, 127}}},
      {3, L"hsbPCM1", R"(Customization\AC97PCMOutVol)", {{VK_END, 31}}},
      {3, L"hsbPCM2", R"(Customization\AC97PCM2OutVol)", {{kDrag, 31}}},
      {3, L"hsbFront", R"(Customization\AC97MixerFrontOutVol)", {{VK_HOME, 0}}},
      {1, L"hsbEffect2", R"(ControlPanel\ChorusAmount)", {{kDrag, 127}}}};
  // clang-format on
  Panel panel(R"(Customization\CorrectLA2=2)", "", L"");
  for (const auto& [tab, act, written, looks, box] : acts) panel.Expect(tab, act, 0, written, looks, box);
  for (const auto& [tab, bar, value, ways] : bars)
    for (const auto& [way, to] : ways)
      panel.Expect(tab, bar + L"=" + std::to_wstring(to), way, value + "=" + std::to_string(to),
                   L"lbl" + bar.substr(3) + L"=" + std::to_wstring(to));
}

}  // namespace
}  // namespace calvane::test

// The pages as a user works them: each kind of input on the real window
// (a click, a list's item chosen, an option button, a bar moved every way,
// a help button) writes its control's values, in order, and shows them.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : " ") + line;
  return text;
}

// The ways of moving a bar by mouse; by keyboard, the keys themselves.
enum Mouse : UINT { kRightArrow = 1, kLeftArrow, kTrackRight, kTrackLeft, kDrag };

// What a drag's release finds written when the scroll bar's own loop takes
// it from the queue, before it is handled.
HWND gDragged;
const FailingStore* gStore;
std::size_t gReleased;

LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam) {
  const auto* m = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && m->hwnd == gDragged && m->message == WM_LBUTTONUP)
    gReleased = gStore->writes.size();
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A bar moved as a user would; a thumb dragged past the end of the track
// writes nothing before the button is let go. A slider has no arrow buttons.
void Move(WindowDriver& p, const FailingStore& store, HWND bar, UINT way) {
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
  gStore = &store, gReleased = 0, gDragged = way == kDrag ? bar : nullptr;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId());
  p.Drag(bar, {x[way - 1], y}, {way == kDrag ? all.right + 10 : x[way - 1], y});
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(gReleased, 0u) << "written before the thumb was let go";
}

// The window on a freshly installed driver's values, `stored` over them;
// each act on page `tab` (a list's item chosen, "list=item"; a bar moved
// `way`, "bar=where it settles"; a control clicked, "control=what it shows")
// writes exactly `written`, in order, leaves `looks` and informs of `box`
// ("text|title|style").
struct Seeded {
  explicit Seeded(const std::string& stored) : keys(kFreshInstall + stored) {}
  void Expect(int tab, const std::wstring& act, UINT way, const std::string& written, const std::wstring& looks,
              std::wstring_view box = L"") {
    SCOPED_TRACE(testing::Message() << act << " (way " << way << ")");
    panel.boxes().shown.clear();
    panel.ClickTab(tab);
    store.writes.clear();
    const std::string control(act.begin(), std::find(act.begin(), act.end(), L'='));
    way                          ? Move(panel, store, panel.Hwnd(control), way)
    : control.starts_with("cbo") ? panel.Choose(control.c_str(), &act[control.size() + 1])
                                 : panel.Click(control.c_str());
    EXPECT_EQ(Joined(store.writes), written);
    std::wistringstream in{act + L"," + looks};
    for (std::wstring look; std::getline(in >> std::ws, look, L',');) {
      const std::string name(look.begin(), std::find(look.begin(), look.end(), L'='));
      EXPECT_EQ(look.substr(0, name.size() + 1) + panel.Look(name.c_str()), look);
    }
    std::wstring informed;
    for (const auto& b : panel.boxes().shown) informed += b.text + L"|" + b.title + L"|" + std::to_wstring(b.style);
    EXPECT_EQ(informed, box);
  }
  DriverKeys keys;
  SystemRegistry system;
  FailingStore store{system};
  WindowDriver panel{&store};
};

TEST(Pages, EachKindOfInputWritesItsControlsValuesAndEachHelpButtonOnlyInforms) {
  // clang-format off
  // Page; a control clicked, or a list's item chosen, and what it shows then
  // (a push button 0); what that writes, shows besides, and informs of.
  struct Act { int tab; std::wstring act; std::string written; std::wstring looks = L"", box = L""; };
  const Act acts[] = {
      {2, L"&Quad=1", "QuadCodecOutputModeState=1", L"lblQuad=Quad, &Stereo=0"},
      {1, L"cboWavetableMode=64 Voices", "GamerMode=0 SoftSynthVoices=0 SoftSynthMode=0 SoftSynthModeIndex=2 SoftSynth=0"},
      {4, L"cboAnalogEQ=Video", "SupportAnalogEQ=1 AnalogEQSrcLine=4 AnalogEQEnableState=1"},
      {4, L"&44.1 kHz=1", "SpdifFrequency=44100", L"lblDigOut=44100, &32 kHz=0"},
      {3, L"cmdAC97Help=0", "", L"", L"0 = +12dB, 1 = +10.5dB, 8 = 0dB (Default), 31 = -34.5dB|Information|64"},
      {4, L"cmdDO=0", "", L"", L"This will override the detection for support for Digital Output|Information|64"},
      {4, L"cmdDI=0", "", L"", L"This will override the detection for support for Digital Input|Information|64"},
      // A click toggles a box; a grayed one ticks; a detection box enables
      // its enable box only while ticked, which keeps its state.
      {0, L"chkPlayA3D=0", "SplashAudio=0"}, {3, L"chkShare=1", "SetGPIO0InQuad=1"},
      {3, L"chkLA2Inv=1", "CorrectLA2=1"}, {4, L"chkDetOut=0", "DetectSpdifOut=0", L"chkEnOut=1 off"},
      {4, L"chkDetIn=1", "DetectSpdifIn=1", L"chkEnIn=0"}};
  // A page's bar, its value, and each way it is moved in turn with where that
  // leaves it: a level scroll bar from 8 in steps of 1, a slider from 64 by
  // 1 an arrow and 5 a page; a slider has no arrow buttons.
  const std::tuple<int, std::wstring, std::string, std::vector<std::pair<UINT, int>>> bars[] = {
      {3, L"hsbRear", "AC97MixerRearOutVol", {{VK_RIGHT, 9}, {VK_LEFT, 8}, {kRightArrow, 9},
       {kLeftArrow, 8}, {kTrackRight, 9}, {kTrackLeft, 8}, {VK_END, 31}, {VK_PRIOR, 30}, {VK_HOME, 0}, {VK_NEXT, 1}, {kDrag, 31}}},
      {1, L"hsbEffect1", "ReverbAmount", {{VK_RIGHT, 65}, {VK_LEFT, 64}, {kTrackRight, 69},
       {kTrackLeft, 64}, {VK_END, 127}, {VK_PRIOR, 122}, {VK_HOME, 0}, {VK_NEXT, 5}, {kDrag, 127}}},
      {3, L"hsbPCM1", "AC97PCMOutVol", {{VK_END, 31}}}, {3, L"hsbPCM2", "AC97PCM2OutVol", {{kDrag, 31}}},
      {3, L"hsbFront", "AC97MixerFrontOutVol", {{VK_HOME, 0}}}, {1, L"hsbEffect2", "ChorusAmount", {{kDrag, 127}}}};
  // clang-format on
  Seeded panel(
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]\n"
      "\"CorrectLA2\"=dword:00000002\n");
  for (const auto& [tab, act, written, looks, box] : acts) panel.Expect(tab, act, 0, written, looks, box);
  for (const auto& [tab, bar, value, ways] : bars)
    for (const auto& [way, to] : ways)
      panel.Expect(tab, bar + L"=" + std::to_wstring(to), way, value + "=" + std::to_string(to),
                   L"lbl" + bar.substr(3) + L"=" + std::to_wstring(to));
}

// An open list's items passed over are no choice: closed by Esc it shows
// the stored item again and writes nothing; Enter chooses the item under
// the pointer and writes its row once.
TEST(Pages, AListClosedWithoutAChoiceShowsTheStoredItemAndWritesNothing) {
  Seeded seeded("");
  WindowDriver& panel = seeded.panel;
  panel.ClickTab(4);
  HWND list = panel.Hwnd("cboAnalogEQ");
  COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
  GetComboBoxInfo(list, &info);
  RECT item{};
  SendMessageW(info.hwndList, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
  seeded.store.writes.clear();
  std::wstring looks;
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    panel.Click(list), panel.Deliver(info.hwndList, WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 5, item.top + 2));
    panel.Key(key), looks += panel.Look(list) + L"|";
  }
  EXPECT_EQ(looks, L"None|Video|");
  EXPECT_EQ(Joined(seeded.store.writes), "SupportAnalogEQ=1 AnalogEQSrcLine=4 AnalogEQEnableState=1");
}

}  // namespace
}  // namespace calvane::test

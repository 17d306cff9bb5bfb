// The main window: its keyboard handling, its notices and its end.
#include "window/Form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

TEST(Form1, KeysActOnlyOnTheShownPagesUsableControlsAndPageSwitchesWriteNothing) {
  DriverKeys keys;  // input not detected: chkEnIn disabled
  WindowDriver panel;
  const std::string stored = Dump();
  // Each page's controls in tab order, from the row of tabs round to OK; an
  // option button by its caption.
  const char* cycles[] = {"SSTab1 chkPlayA3D chkA3DSplash ListView1 Picture1 cmdOK",
                          "SSTab1 chkMIDIfx cboWavetableMode hsbEffect1 hsbEffect2 cmdOK",
                          "SSTab1 &Stereo &Quad cboA3DType cmdOK",
                          "SSTab1 chkST3D hsbPCM1 hsbPCM2 hsbFront hsbRear chkShare chkAttenuation chkLA2Inv chkLA4Inv "
                          "cmdAC97Help cmdOK",
                          "SSTab1 cboAnalogEQ &32_kHz &44.1_kHz 4&8_kHz chkDetOut chkEnOut chkDetIn cmdDO cmdDI cmdOK"};
  for (int page : {3, 0, 4, 1, 2}) {
    panel.ClickTab(page);
    // Tab from OK round the page, then Shift+Tab round it back.
    std::vector<std::string> cycle;
    std::istringstream names(cycles[page]);
    for (std::string name; names >> name; cycle.push_back(name)) std::replace(name.begin(), name.end(), '_', ' ');
    SetFocus(panel.Hwnd("cmdOK"));
    for (std::size_t i = 0; i < 2 * cycle.size(); ++i) {
      const bool back = i >= cycle.size();
      panel.Key(VK_TAB, back ? std::vector<UINT>{VK_SHIFT} : std::vector<UINT>{});
      const std::size_t at = back ? (2 * cycle.size() - i + cycle.size() - 2) % cycle.size() : i;
      EXPECT_EQ(GetFocus(), panel.Hwnd(cycle[at])) << "page " << page << ", key " << i;
    }
  }
  const auto key = [&](UINT k) { return [&, k] { k < 32 ? panel.Key(k) : panel.Char(k); }; };
  const auto click = [&](const char* n) { return [&, n] { panel.ClickOnScreen(panel.Hwnd(n)); }; };
  // The page, the focused control, what the user does, where the focus ends.
  // A letter typed at a button works as an access key, one of another page
  // not at all; Enter presses only a focused push button (cmdAC97Help: the
  // one notice); Esc does nothing; disabled controls take no click.
  // clang-format off
  const std::tuple<int, const char*, std::function<void()>, const char*> cases[] = {
      {1, "chkMIDIfx", key(L'2'), "hsbEffect2"}, {1, "hsbEffect2", key(L'w'), "hsbEffect2"},
      {4, "&44.1 kHz", key(L'a'), "cboAnalogEQ"}, {0, "chkPlayA3D", key(VK_RETURN), "chkPlayA3D"},
      {0, "cmdOK", [&] { panel.AltKey(L'a'); }, "cmdOK"}, {0, "cmdOK", key(VK_ESCAPE), "cmdOK"},
      {3, "cmdAC97Help", key(VK_RETURN), "cmdAC97Help"}, {0, "cmdOK", click("Command1"), "cmdOK"},
      {0, "cmdOK", click("chkVIA"), "cmdOK"}, {1, "chkMIDIfx", click("cboEffect1"), "chkMIDIfx"}};
  // clang-format on
  for (const auto& [page, from, act, to] : cases) {
    panel.ClickTab(page);
    SetFocus(panel.Hwnd(from));
    act();
    EXPECT_EQ(GetFocus(), panel.Hwnd(to)) << "from " << from;
  }
  EXPECT_TRUE(panel.boxes().shown.size() == 1 && panel.boxes().shown[0].title == L"Information");
  EXPECT_EQ(panel.Look("chkVIA") + L"|" + panel.Look("cboEffect1"), L"0 off| off");
  EXPECT_EQ(Dump(), stored);
}

// What the start-up could not save is told in one notice once the window is
// on the screen, a failed later change in one notice per action, each
// setting named as the window shows it; after a failed change the control
// shows what is stored again.
TEST(Form1, EveryValueThatCouldNotBeSavedIsToldInOneNoticePerLoadOrAction) {
  const auto lock = [](const char* key) { return [key] { LockKey(key); }; };
  // How the registry is spoilt: before the start-up, or else just before the
  // user's action once the window is shown; what the notice says; what the
  // control shows afterwards.
  // clang-format off
  const std::tuple<std::function<void()>, std::function<void(WindowDriver&)>, std::vector<const wchar_t*>,
                   std::tuple<int, const char*, const wchar_t*>> cases[] = {
      {lock("Customization"), {}, {L"These settings could not be saved:\r\n"
       L"    Analog EQ Channel (SupportAnalogEQ)\r\n    PCM 1 Out Level (AC97PCMOutVol)\r\n"
       L"    PCM 2 Out Level (AC97PCM2OutVol)\r\n    AC'97 Front Output (AC97MixerFrontOutVol)\r\n"
       L"    AC'97 Rear Output (AC97MixerRearOutVol)\r\n    Output Detected (DetectSpdifOut)\r\n"
       L"    Enable Output (EnableSpdifOut)\r\n\r\n", L"try again as an administrator"}, {3, "hsbPCM1", L"8"}},
      {[] { DriverKeys gone(""); }, {}, {L"This setting could not be saved:\r\n"
       L"    Share Front and Rear Output Jacks (SetGPIO0InQuad)\r\n\r\n", L"does not exist"}, {3, "chkShare", L"0"}},
      {lock("ControlPanel"),
       [](WindowDriver& p) { p.ClickTab(1), SetFocus(p.Hwnd("cboWavetableMode")), p.Key(VK_DOWN); },
       {L"could not be saved, so nothing was changed:\r\n    Wavetable Mode (GamerMode)\r\n\r\n"},
       {1, "cboWavetableMode", L"320 Voices"}},
      {lock("ControlPanel"), [](WindowDriver& p) { p.ClickTab(2), p.Click("&Quad"); },
       {L"    Quad Codec Output Mode (QuadCodecOutputModeState)\r\n", L"administrator"}, {2, "&Quad", L"0"}}};
  // clang-format on
  for (const auto& [spoil, act, told, look] : cases) {
    DriverKeys keys;
    if (!act) spoil();
    WindowDriver panel;  // loaded, shown, and its queue delivered
    if (act) spoil(), act(panel);
    panel.ClickTab(std::get<0>(look));
    const auto& boxes = panel.boxes().shown;
    ASSERT_EQ(boxes.size(), 1u);
    for (auto t : told) EXPECT_NE(boxes[0].text.find(t), std::wstring::npos) << boxes[0].text;
    EXPECT_TRUE(boxes[0].title == L"Calvane Control Panel for Windows XP" &&
                boxes[0].style == (MB_OK | MB_ICONWARNING));
    EXPECT_TRUE(boxes[0].ownerShown) << "told before the window is shown";
    EXPECT_EQ(panel.Look(std::get<1>(look)), std::get<2>(look));
  }
}

// The real reboot notice, looked at and answered from inside its own modal
// loop, with Esc or else with its close box: owned by the disabled window,
// its text, only an OK button, no icon.
bool gEscape, gRight;
HWND gForm, gBox;

void CALLBACK Dismiss(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Reboot Needed");
  if (!box || std::exchange(gBox, box)) return;
  gRight =
      GetWindow(box, GW_OWNER) == gForm && !IsWindowEnabled(gForm) &&
      FindWindowExW(box, nullptr, L"Static", L"Please reboot your computer so that the new settings can be used") &&
      IsWindowVisible(GetDlgItem(box, IDOK)) && !IsWindowVisible(GetDlgItem(box, IDCANCEL)) &&
      !SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0);
  gEscape ? PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1) : PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST(Form1, TheProgramEndsAfterTheRealNoticeForOkAndAtOnceForTheCloseBoxNeverWriting) {
  // What ends the program (Enter at cmdOK, which has the focus at first), and
  // whether the notice is answered with Esc.
  // clang-format off
  const std::tuple<UINT, WPARAM, LPARAM, bool> ends[] = {
      {WM_KEYDOWN, VK_RETURN, 1, true}, {WM_KEYDOWN, VK_RETURN, 1, false}, {WM_CLOSE, 0, 0, true},
      {WM_SYSCOMMAND, SC_CLOSE, 0, true}, {WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16, true}};
  // clang-format on
  for (auto [message, w, l, escape] : ends) {
    DriverKeys keys;
    SystemMessageBoxes boxes;
    WindowDriver panel(nullptr, &boxes);
    const std::string stored = Dump();
    EXPECT_EQ(GetFocus(), panel.Hwnd("cmdOK"));
    gEscape = escape, gForm = panel.form().hwnd(), gBox = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Dismiss);
    panel.Deliver(message == WM_KEYDOWN ? GetFocus() : gForm, message, w, l);
    KillTimer(nullptr, timer);
    EXPECT_EQ(gBox && gRight && !IsWindow(gBox), message == WM_KEYDOWN) << message;
    EXPECT_TRUE(panel.unloaded() && !IsWindow(gForm)) << message;
    EXPECT_EQ(Dump(), stored);
  }
}

}  // namespace
}  // namespace calvane::test

// The main window: its life, its keyboard handling and its notices.
#include "window/Form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane {
namespace {

using test::TestRegistry;
using test::WindowDriver;
using S = Setting;

constexpr const wchar_t* kReboot =
    L"Please reboot your computer so that the new settings can be used";

TEST(Form1, OkShowsTheRebootNoticeAndUnloadsWithoutWriting) {
  TestRegistry registry;
  registry.SetFreshInstall();
  WindowDriver panel;
  const auto before = registry.Everything();
  EXPECT_EQ(panel.Focus(), panel.Hwnd("cmdOK"));
  panel.Key(VK_RETURN);
  ASSERT_EQ(panel.boxes().shown.size(), 1u);
  EXPECT_EQ(panel.boxes().shown[0].title, L"Reboot Needed");
  EXPECT_EQ(panel.boxes().shown[0].text,
            L"Please reboot your computer so that the new settings can be used");
  EXPECT_EQ(panel.boxes().shown[0].style, UINT{MB_OK});
  EXPECT_TRUE(panel.unloaded());
  EXPECT_EQ(registry.Everything(), before);
}

TEST(Form1, PagesSwitchWithoutWritingAndTabVisitsTheShownPagesUsableControlsInOrder) {
  TestRegistry registry;
  registry.SetFreshInstall();  // input not detected: chkEnIn disabled
  WindowDriver panel;
  const auto stored = registry.Everything();
  const auto states = panel.States();
  const std::vector<std::string> cycles[] = {
      {"SSTab1", "chkPlayA3D", "chkA3DSplash", "ListView1", "cmdOK"},
      {"SSTab1", "chkMIDIfx", "cboWavetableMode", "hsbEffect1", "hsbEffect2", "cmdOK"},
      {"SSTab1", "optQuad0", "optQuad1", "cboA3DType", "cmdOK"},
      {"SSTab1", "chkST3D", "hsbPCM1", "hsbPCM2", "hsbFront", "hsbRear", "chkShare",
       "chkAttenuation", "chkLA2Inv", "chkLA4Inv", "cmdAC97Help", "cmdOK"},
      {"SSTab1", "cboAnalogEQ", "optDigOut0", "optDigOut1", "optDigOut2", "chkDetOut", "chkEnOut",
       "chkDetIn", "cmdDO", "cmdDI", "cmdOK"},
  };
  // A tab clicked, or 5: Ctrl+Tab, 6: Ctrl+Shift+Tab; then the page shown.
  const std::pair<int, int> steps[] = {{3, 3}, {5, 4}, {5, 0}, {6, 4}, {1, 1}, {1, 1},
                                       {6, 0}, {2, 2}, {4, 4}, {0, 0}, {5, 1}, {5, 2}};
  for (auto [how, page] : steps) {
    if (how < 5) panel.ClickTab(how);
    if (how == 5) panel.Key(VK_TAB, {VK_CONTROL});
    if (how == 6) panel.Key(VK_TAB, {VK_CONTROL, VK_SHIFT});
    SCOPED_TRACE("page " + std::to_string(page));
    ASSERT_EQ(panel.form().Page(), page);
    for (const ControlRow& row : FormRows()) {
      HWND hwnd =
          row.kind == Kind::Option ? panel.Option(row.name, row.index) : panel.Hwnd(row.name);
      EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, row.page < 0 || row.page == page) << row.name;
    }
    SetFocus(panel.Hwnd("cmdOK"));
    std::vector<std::string> forward, backward;
    for (std::size_t i = 0; i < 2 * cycles[page].size(); ++i) {
      const bool back = i >= cycles[page].size();
      panel.Key(VK_TAB, back ? std::vector<UINT>{VK_SHIFT} : std::vector<UINT>{});
      back ? backward.insert(backward.begin(), panel.Name(panel.Focus()))
           : forward.insert(forward.end(), panel.Name(panel.Focus()));
    }
    EXPECT_EQ(forward, cycles[page]);
    std::rotate(backward.begin(), backward.begin() + 1, backward.end());
    EXPECT_EQ(backward, cycles[page]);
    EXPECT_EQ(panel.States(), states);
    EXPECT_EQ(registry.Everything(), stored);
  }
}

TEST(Form1, AccessKeysEnterAndEscReachOnlyWhatTheyShouldAndDisabledControlsNothing) {
  TestRegistry registry;
  registry.SetFreshInstall();
  WindowDriver panel;
  const auto stored = registry.Everything();
  const auto states = panel.States();
  const auto alt = [&](wchar_t c) { return [&panel, c] { panel.AltKey(c); }; };
  const auto key = [&](UINT vk) { return [&panel, vk] { panel.Key(vk); }; };
  const auto click = [&](const char* name) {
    return [&panel, name] { panel.ClickOnScreen(panel.Hwnd(name)); };
  };
  // The page, the focused control, what the user does, where the focus ends.
  const std::tuple<int, const char*, std::function<void()>, const char*> cases[] = {
      {1, "cmdOK", alt(L'w'), "cboWavetableMode"},
      {1, "cboWavetableMode", alt(L'1'), "hsbEffect1"},
      {1, "chkMIDIfx", [&] { panel.Char(L'2'); }, "hsbEffect2"},
      {1, "hsbEffect2", [&] { panel.Char(L'w'); }, "hsbEffect2"},
      {4, "cmdOK", alt(L'a'), "cboAnalogEQ"},
      {0, "cmdOK", alt(L'a'), "cmdOK"},
      {0, "chkPlayA3D", key(VK_RETURN), "chkPlayA3D"},
      {4, "chkDetOut", key(VK_ESCAPE), "chkDetOut"},
      {0, "cmdOK", key(VK_ESCAPE), "cmdOK"},
      {3, "cmdAC97Help", key(VK_RETURN), "cmdAC97Help"},  // the one box
      {0, "cmdOK", click("Command1"), "cmdOK"},
      {0, "chkA3DSplash", click("chkVIA"), "chkA3DSplash"},
      {1, "cboWavetableMode", click("cboEffect1"), "cboWavetableMode"},
      {1, "hsbEffect2", click("cmdEffect2"), "hsbEffect2"}};
  for (const auto& [page, from, act, to] : cases) {
    SCOPED_TRACE(std::string(from) + " to " + to);
    panel.form().ShowPage(page);
    SetFocus(panel.Hwnd(from));
    act();
    EXPECT_EQ(panel.Name(panel.Focus()), to);
    EXPECT_FALSE(panel.unloaded());
    EXPECT_EQ(registry.Everything(), stored);
  }
  ASSERT_EQ(panel.boxes().shown.size(), 1u);
  EXPECT_EQ(panel.boxes().shown[0].title, L"Information");
  panel.form().ShowPage(0);
  EXPECT_EQ(panel.States(), states);
}

TEST(Form1, PlaceholderCaptionsStayWhileTheStoredValueLeavesThemAlone) {
  const std::tuple<Setting, const char*, const char*, const wchar_t*> cases[] = {
      {S::QuadCodecOutputModeState, "5", "lblQuad", L"Label6"},
      {S::QuadCodecOutputModeState, "Quad", "lblQuad", L"Label6"},
      {S::QuadCodecOutputModeState, " 1", "lblQuad", L"Quad"},
      {S::ReverbAmount, "128", "lblEffect1", L"Label13"},
      {S::ChorusAmount, "0", "lblEffect2", L"Label14"},
      {S::ChorusAmount, "12", "lblEffect2", L"12"}};
  for (auto [setting, stored, label, caption] : cases) {
    TestRegistry registry;
    registry.SetFreshInstall();
    registry.SetText(setting, stored);
    WindowDriver panel;
    EXPECT_EQ(panel.Text(label), caption) << stored;
  }
}

// What the start-up could not save is told in one notice once the window is
// on the screen; a failed later change in one notice per action.
TEST(Form1, EveryValueThatCouldNotBeSavedIsToldInOneNoticePerLoadOrAction) {
  const auto lock = [](Key key) { return [key](TestRegistry& r) { r.MakeReadOnly(key); }; };
  const std::tuple<std::function<void(TestRegistry&)>, std::function<void(WindowDriver&)>,
                   std::vector<const wchar_t*>>
      cases[] = {
          // how the registry is spoilt: before the start-up, or else just before
          // the user's action once the window is shown; what the notice says
          {{}, {}, {}},
          {lock(Key::Customization),
           {},
           {L"These settings could not be saved: SupportAnalogEQ, AC97PCMOutVol, AC97PCM2OutVol, "
            L"AC97MixerFrontOutVol, AC97MixerRearOutVol, DetectSpdifOut, EnableSpdifOut.\r",
            L"permission"}},
          {lock(Key::A3D), {}, {L"settings could not be saved: SplashAudio, SplashScreen.\r"}},
          {[](TestRegistry& r) {
             for (Key key : {Key::ControlPanel, Key::Customization, Key::A3D}) r.RemoveKey(key);
           },
           {},
           {L"This setting could not be saved: SetGPIO0InQuad.\r", L"missing"}},
          {lock(Key::ControlPanel),
           [](WindowDriver& p) { p.ClickTab(1), p.Click("chkMIDIfx"); },
           {L"This setting could not be saved: ZuvivWavetableEffect.\r", L"permission"}},
          {lock(Key::ControlPanel),
           [](WindowDriver& p) {
             p.ClickTab(1), SetFocus(p.Hwnd("cboWavetableMode")), p.Key(VK_DOWN);
           },
           {L": GamerMode, SoftSynthVoices, SoftSynthMode, SoftSynthModeIndex, SoftSynth.\r"}}};
  for (const auto& [spoil, act, told] : cases) {
    TestRegistry registry;
    registry.SetFreshInstall();
    if (spoil && !act) spoil(registry);
    WindowDriver panel(nullptr, false);
    panel.form().Load();
    EXPECT_TRUE(panel.boxes().shown.empty());
    panel.form().Show();
    panel.Pump();
    if (act) {
      const auto stored = registry.Everything();
      spoil(registry);
      act(panel);
      EXPECT_EQ(registry.Everything(), stored);
    }
    const auto& boxes = panel.boxes().shown;
    ASSERT_EQ(boxes.size(), told.empty() ? 0u : 1u);
    if (told.empty()) continue;
    for (const wchar_t* text : told)
      EXPECT_NE(boxes[0].text.find(text), std::wstring::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].title, kFormCaption);
    EXPECT_EQ(boxes[0].style, UINT{MB_OK | MB_ICONWARNING});
    EXPECT_TRUE(panel.boxes().ownerShown[0]);
  }
}

// The real reboot notice, looked at and answered from inside its own modal
// loop: with Esc, or else with its close box.
struct Answer {
  bool escape;
  HWND box, owner;
  bool ownerEnabled, text;
} answer;

void CALLBACK Dismiss(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Reboot Needed");
  if (!box || answer.box) return;
  answer = {answer.escape, box, GetWindow(box, GW_OWNER),
            IsWindowEnabled(GetWindow(box, GW_OWNER)) != FALSE,
            FindWindowExW(box, nullptr, L"Static", kReboot) != nullptr};
  if (answer.escape) PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  if (!answer.escape) PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST(Form1, TheProgramEndsAfterTheRealNoticeForOkAndAtOnceForTheCloseBoxNeverWriting) {
  const std::tuple<UINT, WPARAM, LPARAM, bool> ends[] = {
      {WM_KEYDOWN, VK_RETURN, 1, true},  // at cmdOK
      {WM_KEYDOWN, VK_RETURN, 1, false},
      {WM_CLOSE, 0, 0, true},
      {WM_SYSCOMMAND, SC_CLOSE, 0, true},
      {WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16, true}};
  for (auto [message, w, l, escape] : ends) {
    TestRegistry registry;
    registry.SetFreshInstall();
    SystemMessageBoxes boxes;
    WindowDriver panel(nullptr, true, &boxes);
    const auto stored = registry.Everything();
    HWND form = panel.form().hwnd();
    answer = {escape, nullptr, nullptr, true, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Dismiss);
    panel.Deliver(message == WM_KEYDOWN ? panel.Focus() : form, message, w, l);
    KillTimer(nullptr, timer);
    EXPECT_EQ(answer.box != nullptr, message == WM_KEYDOWN) << message;
    EXPECT_TRUE(!answer.box || (answer.owner == form && !answer.ownerEnabled && answer.text));
    EXPECT_FALSE(IsWindow(answer.box));
    EXPECT_TRUE(panel.unloaded());
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(registry.Everything(), stored);
  }
}

}  // namespace
}  // namespace calvane

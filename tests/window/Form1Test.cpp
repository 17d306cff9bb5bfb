// The main window: its pages, its keyboard handling, its notices and its end.
#include "window/Form1.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

struct FreshInstall : TestRegistry {
  FreshInstall() { SetFreshInstall(); }
};

TEST(Form1, PagesSwitchAndKeysActOnlyOnTheShownPagesUsableControlsWritingNothing) {
  FreshInstall registry;  // input not detected: chkEnIn disabled
  WindowDriver panel;
  const auto stored = registry.Everything();
  const auto states = panel.States();
  // clang-format off
  const std::vector<std::string> cycles[] = {
      {"SSTab1", "chkPlayA3D", "chkA3DSplash", "ListView1", "cmdOK"},
      {"SSTab1", "chkMIDIfx", "cboWavetableMode", "hsbEffect1", "hsbEffect2", "cmdOK"},
      {"SSTab1", "optQuad0", "optQuad1", "cboA3DType", "cmdOK"},
      {"SSTab1", "chkST3D", "hsbPCM1", "hsbPCM2", "hsbFront", "hsbRear", "chkShare",
       "chkAttenuation", "chkLA2Inv", "chkLA4Inv", "cmdAC97Help", "cmdOK"},
      {"SSTab1", "cboAnalogEQ", "optDigOut0", "optDigOut1", "optDigOut2", "chkDetOut", "chkEnOut",
       "chkDetIn", "cmdDO", "cmdDI", "cmdOK"}};
  // clang-format on
  // A tab clicked, or 5: Ctrl+Tab, 6: Ctrl+Shift+Tab; then the page shown.
  const std::pair<int, int> steps[] = {{3, 3}, {5, 4}, {5, 0}, {6, 4}, {1, 1}, {1, 1},
                                       {6, 0}, {2, 2}, {4, 4}, {0, 0}, {5, 1}, {5, 2}};
  for (auto [how, page] : steps) {
    if (how < 5) panel.ClickTab(how);
    if (how > 4) panel.Key(VK_TAB, {VK_CONTROL, UINT(how == 6 ? VK_SHIFT : VK_CONTROL)});
    ASSERT_EQ(panel.form().Page(), page);
    for (const ControlRow& row : FormRows()) {
      HWND h = row.kind == Kind::Option ? panel.Option(row.name, row.index) : panel.Hwnd(row.name);
      EXPECT_EQ(IsWindowVisible(h) != FALSE, row.page < 0 || row.page == page) << row.name << page;
    }
    // Tab from OK round the page, then Shift+Tab round it back.
    std::vector<std::string> seen, expected = cycles[page];
    expected.insert(expected.end(), cycles[page].rbegin() + 1, cycles[page].rend());
    expected.push_back("cmdOK");
    SetFocus(panel.Hwnd("cmdOK"));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      panel.Key(VK_TAB,
                i < cycles[page].size() ? std::vector<UINT>{} : std::vector<UINT>{VK_SHIFT});
      seen.push_back(panel.Name(panel.Focus()));
    }
    EXPECT_EQ(seen, expected);
  }
  // A key, or a typed character.
  const auto key = [&](UINT k) { return [&, k] { k < 32 ? panel.Key(k) : panel.Char(k); }; };
  const auto click = [&](const char* n) { return [&, n] { panel.ClickOnScreen(panel.Hwnd(n)); }; };
  // The page, the focused control, what the user does, where the focus ends.
  // A letter typed at a button works as an access key, one of another page
  // not at all; Enter presses only a focused push button (cmdAC97Help: the
  // one notice); Esc does nothing; disabled controls take no click.
  // clang-format off
  const std::tuple<int, const char*, std::function<void()>, const char*> cases[] = {
      {1, "chkMIDIfx", key(L'2'), "hsbEffect2"}, {1, "hsbEffect2", key(L'w'), "hsbEffect2"},
      {4, "cmdOK", [&] { SetFocus(panel.Option("optDigOut", 1)), panel.Char('a'); }, "cboAnalogEQ"},
      {0, "chkPlayA3D", key(VK_RETURN), "chkPlayA3D"},
      {0, "cmdOK", [&] { panel.AltKey(L'a'); }, "cmdOK"}, {0, "cmdOK", key(VK_ESCAPE), "cmdOK"},
      {3, "cmdAC97Help", key(VK_RETURN), "cmdAC97Help"}, {0, "cmdOK", click("Command1"), "cmdOK"},
      {0, "cmdOK", click("chkVIA"), "cmdOK"}, {1, "chkMIDIfx", click("cboEffect1"), "chkMIDIfx"}};
  // clang-format on
  for (const auto& [page, from, act, to] : cases) {
    panel.form().ShowPage(page);
    SetFocus(panel.Hwnd(from));
    act();
    EXPECT_EQ(panel.Name(panel.Focus()), to) << "from " << from;
  }
  EXPECT_TRUE(panel.boxes().shown.size() == 1 && panel.boxes().shown[0].title == L"Information");
  panel.form().ShowPage(0);
  EXPECT_EQ(panel.States(), states);
  EXPECT_EQ(registry.Everything(), stored);
}

// What the start-up could not save is told in one notice once the window is
// on the screen; a failed later change in one notice per action.
TEST(Form1, EveryValueThatCouldNotBeSavedIsToldInOneNoticePerLoadOrAction) {
  // How the registry is spoilt: before the start-up, or else just before the
  // user's action once the window is shown; what the notice says.
  const auto lock = [](Key key) { return [key](TestRegistry& r) { r.MakeReadOnly(key); }; };
  // clang-format off
  const std::tuple<std::function<void(TestRegistry&)>, std::function<void(WindowDriver&)>,
                   std::vector<const wchar_t*>> cases[] = {
      {lock(Key::Customization), {}, {L"These settings could not be saved: SupportAnalogEQ, "
       L"AC97PCMOutVol, AC97PCM2OutVol, AC97MixerFrontOutVol, AC97MixerRearOutVol, "
       L"DetectSpdifOut, EnableSpdifOut.\r", L"permission"}},
      {[](TestRegistry& r) {
         for (Key k : {Key::ControlPanel, Key::Customization, Key::A3D}) r.RemoveKey(k);
       }, {}, {L"This setting could not be saved: SetGPIO0InQuad.\r", L"missing"}},
      {lock(Key::ControlPanel), [](WindowDriver& p) { p.ClickTab(1), p.Click("chkMIDIfx"); },
       {L"This setting could not be saved: ZuvivWavetableEffect.\r", L"permission"}},
      {lock(Key::ControlPanel),
       [](WindowDriver& p) { p.ClickTab(1), SetFocus(p.Hwnd("cboWavetableMode")), p.Key(VK_DOWN); },
       {L": GamerMode, SoftSynthVoices, SoftSynthMode, SoftSynthModeIndex, SoftSynth.\r"}}};
  // clang-format on
  for (const auto& [spoil, act, told] : cases) {
    FreshInstall registry;
    if (!act) spoil(registry);
    WindowDriver panel;  // loaded, shown, and its queue delivered
    if (act) spoil(registry), act(panel);
    const auto& boxes = panel.boxes().shown;
    ASSERT_EQ(boxes.size(), 1u);
    for (auto t : told) EXPECT_NE(boxes[0].text.find(t), std::wstring::npos) << boxes[0].text;
    EXPECT_TRUE(boxes[0].title == kFormCaption && boxes[0].style == (MB_OK | MB_ICONWARNING));
    EXPECT_TRUE(panel.boxes().ownerShown[0]) << "told before the window is shown";
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
  gRight = GetWindow(box, GW_OWNER) == gForm && !IsWindowEnabled(gForm) &&
           FindWindowExW(box, nullptr, L"Static",
                         L"Please reboot your computer so that the new settings can be used") &&
           IsWindowVisible(GetDlgItem(box, IDOK)) && !IsWindowVisible(GetDlgItem(box, IDCANCEL)) &&
           !SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0);
  if (gEscape) PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  if (!gEscape) PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
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
    FreshInstall registry;
    SystemMessageBoxes boxes;
    WindowDriver panel(nullptr, true, &boxes);
    const auto stored = registry.Everything();
    EXPECT_EQ(panel.Focus(), panel.Hwnd("cmdOK"));
    gEscape = escape, gForm = panel.form().hwnd(), gBox = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Dismiss);
    panel.Deliver(message == WM_KEYDOWN ? panel.Focus() : gForm, message, w, l);
    KillTimer(nullptr, timer);
    EXPECT_EQ(gBox && gRight && !IsWindow(gBox), message == WM_KEYDOWN) << message;
    EXPECT_TRUE(panel.unloaded() && !IsWindow(gForm)) << message;
    EXPECT_EQ(registry.Everything(), stored);
  }
}

}  // namespace
}  // namespace calvane::test

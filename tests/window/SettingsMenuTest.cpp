// The window menu's commands on the real window, settings files made here as
// registry editors make them, and the tooltips: what each says, and where.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"
#include "window/FileDialog.h"

namespace calvane::test {
namespace {

const std::string kCP = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel]\r\n";

// The window menu's command of that caption, as the user picks it; false
// when it is grayed.
bool Pick(WindowDriver& panel, const wchar_t* caption) {
  HMENU menu = GetSystemMenu(panel.form().hwnd(), FALSE);
  panel.Deliver(panel.form().hwnd(), WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(0, TRUE));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    if (std::wstring_view(text) != caption) continue;
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) return false;
    panel.Deliver(panel.form().hwnd(), WM_SYSCOMMAND, GetMenuItemID(menu, i), 0);
    return true;
  }
  ADD_FAILURE() << "no menu item";
  return false;
}

// The file that the file dialog answers with, in the temporary folder.
const std::string kFile = std::string(std::getenv("TEMP")) + "\\calvane-menu.reg";

// Saves or loads (with a file of these bytes) through the menu; what the
// box it shows says, if any.
std::wstring Through(WindowDriver& panel, const wchar_t* command, const std::string* bytes = nullptr) {
  if (bytes) std::ofstream(kFile, std::ios::binary) << *bytes;
  panel.boxes().file.assign(kFile.begin(), kFile.end());
  panel.boxes().shown.clear();
  Pick(panel, command);
  std::wstring said;
  for (const auto& box : panel.boxes().shown) said += box.title + L": " + box.text;
  return said;
}

TEST(Menu, SaveLoadAndUndoWorkOnTheWindowAndSayWhatTheyLeft) {
  DriverKeys keys(kFreshInstall + kCP + "\"ChorusAmount\"=\"x\"\r\n");
  WindowDriver panel;
  const std::string shown = Dump();
  EXPECT_FALSE(Pick(panel, L"&Undo All Changes")) << "nothing changed yet";
  EXPECT_NE(Through(panel, L"Sa&ve Settings As...").find(L"Save Settings: The settings were saved in "),
            std::wstring::npos);
  EXPECT_NE(panel.boxes().shown.at(0).text.find(L"\r\n    Effect 2 (Chorus) (ChorusAmount)\r\n"), std::wstring::npos);
  std::ifstream file(kFile, std::ios::binary);
  const std::string saved{std::istreambuf_iterator<char>(file), {}};
  // Changed by the user on two pages, then loaded back as it was; changed
  // again, then undone: what each value held before the panel first changed
  // it, the rate stored as text as text again.
  for (const wchar_t* back : {L"&Load Settings...", L"&Undo All Changes"}) {
    panel.ClickTab(3), panel.Click("chkShare"), SetFocus(panel.Hwnd("hsbRear")), panel.Key(VK_END);
    panel.ClickTab(4), panel.Choose("cboAnalogEQ", L"Video"), panel.Click("&32 kHz");
    EXPECT_EQ(back[1] == L'L' ? Through(panel, back, &saved) : (Pick(panel, back), L""), L"");
    EXPECT_EQ(panel.Look("cboAnalogEQ") + panel.Look("&32 kHz") + panel.Look("lblDigOut") + panel.Look("lblRear"),
              L"None0480008");
  }
  EXPECT_FALSE(Pick(panel, L"&Undo All Changes")) << "undone, nothing is left to undo";
  EXPECT_EQ(Dump(), shown);
  // A refused file names its line; a registry editor's export of the whole
  // service key loads, and what it left alone is named and counted.
  const std::string value = "\"AC97PCMOutVol\"=dword:00000020\r\n";
  const std::string cu = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]\r\n";
  const std::string
      refused = "REGEDIT4\r\n" + cu + value,
      export_ =
          "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830]\r\n\"Typ\xE9\"="
          "dword:00000001\r\n" +
          cu + "\"AC97PCMOutVol\"=\"9\"\r\n";
  EXPECT_EQ(Through(panel, L"&Load Settings...", &refused),
            L"Load Settings: No setting was loaded from " + std::wstring(kFile.begin(), kFile.end()) +
                L".\r\n\r\nLine 3: PCM 1 Out Level (AC97PCMOutVol) cannot show the number 32.");
  EXPECT_NE(Through(panel, L"&Load Settings...", &export_)
                .find(L"Left alone, as they are none of the panel's settings: "
                      L"SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Typ\u00E9."),
            std::wstring::npos);
  EXPECT_EQ(panel.Look("lblPCM1"), L"9");
  // Each command of the window menu, the system's own too, has an access key
  // of its own.
  HMENU menu = GetSystemMenu(panel.form().hwnd(), FALSE);
  std::set<wchar_t> accessKeys;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    if (!GetMenuStringW(menu, i, text, 64, MF_BYPOSITION)) continue;  // a separator
    const wchar_t* key = wcschr(text, L'&');
    EXPECT_TRUE(key && accessKeys.insert(towlower(key[1])).second) << text;
  }
  EXPECT_TRUE(accessKeys.count(L's') && accessKeys.count(L'v')) << "the system's Size, the panel's Save";
}

// Each control that shows or edits a setting explains what the setting
// means in a tooltip, shown next to the control, never over it (nor over the
// list a drop-down has open: the reference picture 6-Open-List).
TEST(Tooltips, EachSettingsControlExplainsItsOwnSettingBesideIt) {
  DriverKeys keys;
  WindowDriver panel;
  for (int page = 1; page < 5; ++page) panel.ClickTab(page);
  HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  while (tips && GetWindow(tips, GW_OWNER) != panel.form().hwnd())
    tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
  ASSERT_TRUE(tips);
  const auto tip = [&](const char* name) {
    wchar_t text[160] = L"";
    HWND control = panel.Hwnd(name);
    TOOLINFOW tool{sizeof tool, TTF_IDISHWND, GetParent(control), UINT_PTR(control), {}, nullptr, text, 0, nullptr};
    SendMessageW(tips, TTM_GETTEXTW, 160, LPARAM(&tool));
    return std::wstring(text);
  };
  // A word or phrase each control's tip must hold, from what its setting
  // means; the levels all tell their scale.
  // clang-format off
  const std::pair<const char*, const wchar_t*> meanings[] = {
      {"chkPlayA3D", L"splash sound"}, {"chkA3DSplash", L"splash screen"}, {"cboA3DType", L"satellite speakers"},
      {"&Stereo", L"quad"}, {"&Quad", L"stereo"}, {"lblQuad", L"output mode"}, {"cboWavetableMode", L"voices"},
      {"chkMIDIfx", L"effects"}, {"hsbEffect1", L"reverb"}, {"lblEffect1", L"reverb"}, {"hsbEffect2", L"chorus"},
      {"lblEffect2", L"chorus"}, {"cboEffect1", L"cannot be changed"}, {"cmdEffect2", L"cannot be changed"},
      {"chkST3D", L"3D surround"}, {"chkShare", L"front and rear output jacks"}, {"chkAttenuation", L"attenuation"},
      {"chkLA2Inv", L"LA2"}, {"chkLA4Inv", L"LA4"}, {"hsbPCM1", L"PCM 1 output"}, {"lblPCM1", L"PCM 1 output"},
      {"hsbPCM2", L"PCM 2 output"}, {"lblPCM2", L"PCM 2 output"}, {"hsbFront", L"front output level"},
      {"lblFront", L"front output level"}, {"hsbRear", L"rear output level"}, {"lblRear", L"rear output level"},
      {"&32 kHz", L"in hertz"}, {"4&8 kHz", L"in hertz"}, {"lblDigOut", L"in hertz"},
      {"chkDetOut", L"output detected"}, {"chkEnOut", L"digital output on"}, {"chkDetIn", L"input detected"},
      {"chkEnIn", L"digital input on"}, {"cboAnalogEQ", L"analog EQ"}};
  // clang-format on
  for (const auto& [name, words] : meanings) EXPECT_NE(tip(name).find(words), std::wstring::npos) << name;
  for (const char* level : {"hsbPCM1", "hsbPCM2", "hsbFront", "hsbRear"})
    EXPECT_TRUE(tip(level).find(L"+12 dB") != std::wstring::npos && tip(level).find(L"-34.5 dB") != std::wstring::npos);
  // Shown by hovering, on the shown page, beside the control.
  for (auto [page, name] : {std::pair{3, "hsbPCM1"}, {1, "cmdEffect2"}, {4, "cboAnalogEQ"}}) {
    panel.ClickTab(page);
    RECT control, shown, both;
    GetWindowRect(panel.Hwnd(name), &control);
    panel.Hover(panel.Hwnd(name));
    for (int i = 0; i < 40 && !IsWindowVisible(tips); ++i) Sleep(50), panel.Pump();
    GetWindowRect(tips, &shown);
    EXPECT_TRUE(IsWindowVisible(tips)) << name;
    EXPECT_FALSE(IntersectRect(&both, &shown, &control)) << name;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendMessageW(tips, TTM_POP, 0, 0);
  }
  // The pointer moved onto a list and clicked at once: no tip while the
  // list is open, however long it stays open; once it is closed, the tip
  // shows again as usual.
  panel.Hover(panel.Hwnd("cboAnalogEQ"));
  panel.ClickOnScreen(panel.Hwnd("cboAnalogEQ"));
  ASSERT_TRUE(SendMessageW(panel.Hwnd("cboAnalogEQ"), CB_GETDROPPEDSTATE, 0, 0));
  bool tipped = false;
  for (int i = 0; i < 40; ++i) Sleep(50), panel.Pump(), tipped = tipped || IsWindowVisible(tips);
  EXPECT_FALSE(tipped) << "a tip while the list is open";
  panel.Key(VK_ESCAPE);
  SetCursorPos(0, 0), panel.Hover(panel.Hwnd("cboAnalogEQ"));
  for (int i = 0; i < 40 && !IsWindowVisible(tips); ++i) Sleep(50), panel.Pump();
  EXPECT_TRUE(IsWindowVisible(tips));
}

// The system's Save dialog, answered as a user answers it, from another
// thread once the dialog shows.
std::wstring ChooseAnswering(const std::function<void(HWND)>& answer) {
  std::thread user([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && !((dialog = FindWindowW(L"#32770", nullptr)) && IsWindowVisible(dialog)); ++i) Sleep(20);
    answer(dialog);
  });
  const std::wstring chosen = SystemFileDialog().Choose(nullptr, true);
  user.join();
  return chosen;
}

TEST(FileDialog, ACancelledDialogChoosesNothingAndATypedNameGetsTheRegistrationExtension) {
  EXPECT_EQ(ChooseAnswering([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }), L"");
  const std::wstring folder = _wgetenv(L"TEMP");
  EXPECT_EQ(ChooseAnswering([&](HWND dialog) {
              for (int box : {0x480, 0x47c})  // the name's field, an edit or a combo box
                SetDlgItemTextW(dialog, box, (folder + L"\\chosen").c_str());
              PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }),
            folder + L"\\chosen.reg");
}

}  // namespace
}  // namespace calvane::test

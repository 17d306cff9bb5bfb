// The event rules of the control kinds, seen on the real window: what the
// program or the user does to a control, and what reaches the registry.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

using S = Setting;

class Controls : public ::testing::Test {
 protected:
  // A freshly installed driver with `stored` over it; the start-up's writes
  // forgotten.
  void Open(std::vector<std::pair<Setting, DWORD>> stored = {}) {
    registry.SetFreshInstall();
    for (auto [setting, value] : stored) registry.SetDword(setting, value);
    panel = std::make_unique<WindowDriver>(&store);
    store.sets.clear();
  }
  // One write since the last look (none unless `written`): `setting`, now
  // holding `value`, which `shown` shows.
  void ExpectWrite(Setting setting, int value, HWND shown, bool written = true) {
    EXPECT_EQ(std::exchange(store.sets, {}),
              std::vector<std::string>(written ? 1 : 0, Info(setting).name));
    EXPECT_EQ(registry.Dword(setting), DWORD(value));
    EXPECT_EQ(panel->Shown(shown), value);
  }
  TestRegistry registry;
  SystemRegistry system;
  FailingStore store{system};
  std::unique_ptr<WindowDriver> panel;
};

template <class C, auto set>
void SetOn(Form1& form, const char* name, int state) {
  (form.Get<C>(name).*set)(state);
}

TEST_F(Controls, AStateSetByTheProgramRaisesOnlyAChangeAndBeforeTheSetterReturns) {
  Open();
  struct Case {
    const char* name;
    Setting setting;
    int now, other;
    void (*set)(Form1&, const char*, int);
  };
  for (const Case& c : {
           Case{"chkMIDIfx", S::ZuvivWavetableEffect, 1, 2, SetOn<CheckBox, &CheckBox::SetState>},
           Case{"cboA3DType", S::PrimaryXtalk, 0, 2, SetOn<DropDown, &DropDown::SetIndex>},
           Case{"optQuad", S::QuadCodecOutputModeState, -1, 1,
                [](Form1&form, const char*name, int i) { form.Group(name).Select(i); }},
           Case{"hsbPCM1", S::AC97PCMOutVol, 8, 31, SetOn<ScrollBar, &ScrollBar::SetPosition>},
           Case{"hsbEffect2", S::ChorusAmount, 0, 127, SetOn<Slider, &Slider::SetPosition>},
       }) {
    SCOPED_TRACE(c.name);
    HWND shown = c.now < 0 ? panel->Option(c.name, c.other) : panel->Hwnd(c.name);
    const DWORD stored = *registry.Dword(c.setting);
    c.set(panel->form(), c.name, c.now);
    ExpectWrite(c.setting, stored, shown, false);
    c.set(panel->form(), c.name, c.other);  // no message delivered in between
    ExpectWrite(c.setting, c.other, shown);
    c.set(panel->form(), c.name, c.other);
    ExpectWrite(c.setting, c.other, shown, false);
  }
}

TEST_F(Controls, CheckBoxesToggleAGrayedBoxTicksAndOptionGroupsRaiseOnlyANewSelection) {
  Open({{S::ZuvivWavetableEffect, 2}, {S::QuadCodecOutputModeState, 1}});
  HWND box = panel->Hwnd("chkMIDIfx");
  HWND stereo = panel->Option("optQuad", 0), quad = panel->Option("optQuad", 1);
  EXPECT_EQ(panel->Shown(box), BST_INDETERMINATE);
  EXPECT_EQ(panel->Shown(stereo) + panel->Shown(quad), 0);  // the group starts with none
  const std::tuple<std::function<void()>, HWND, int> steps[] = {
      // what the user does; the box, or "Quad" for the group; its state, -1: no write
      {[&] { panel->ClickTab(1), panel->Click(box); }, box, 1},
      {[&] { panel->Click(box); }, box, 0},
      {[&] { panel->Key(VK_SPACE); }, box, 1},
      {[&] { panel->AltKey(L't'); }, box, 0},
      {[&] { panel->Char(L'T'); }, box, 1},
      {[&] { panel->ClickTab(2), panel->Click(quad); }, quad, 1},
      {[&] { panel->Click(quad); }, quad, -1},
      {[&] { panel->AltKey(L's'); }, quad, 0},
      {[&] { panel->Key(VK_SPACE); }, quad, -1},
      {[&] { panel->Char(L'q'); }, quad, 1},
  };
  for (const auto& [act, shown, state] : steps) {
    act();
    const Setting setting = shown == box ? S::ZuvivWavetableEffect : S::QuadCodecOutputModeState;
    if (state >= 0) ExpectWrite(setting, state, shown);
    EXPECT_TRUE(state >= 0 || std::exchange(store.sets, {}).empty());
    EXPECT_EQ(panel->Focus(), shown == box ? box : panel->Shown(quad) ? quad : stereo);
  }
  EXPECT_EQ(panel->Shown(stereo), BST_UNCHECKED);
}

TEST_F(Controls, BarsAndSlidersWriteOnceWhenThePositionSettlesAndNeverDuringADrag) {
  enum Act { LeftArrow, RightArrow, Track, Drag, Right, PageDown };
  const std::tuple<const char*, Setting, Act, int> cases[] = {
      // the bar, its setting, what the user does, how far it moves (a drag: at least)
      {"hsbPCM1", S::AC97PCMOutVol, LeftArrow, -1},
      {"hsbPCM2", S::AC97PCM2OutVol, RightArrow, 1},
      {"hsbFront", S::AC97MixerFrontOutVol, Track, 1},
      {"hsbRear", S::AC97MixerRearOutVol, Right, 1},
      {"hsbPCM1", S::AC97PCMOutVol, Drag, 3},
      {"hsbEffect1", S::ReverbAmount, Track, 5},
      {"hsbEffect1", S::ReverbAmount, PageDown, 5},
      {"hsbEffect2", S::ChorusAmount, Right, 1},
      {"hsbEffect2", S::ChorusAmount, Drag, 10}};
  for (auto [name, setting, act, moved] : cases) {
    SCOPED_TRACE(std::string(name) + " " + std::to_string(act));
    Open();
    panel->ClickTab(Row(name).page);
    HWND bar = panel->Hwnd(name);
    const int before = panel->Shown(bar);
    int arrow = 0;
    RECT client, thumb = panel->Thumb(bar, &arrow);
    GetClientRect(bar, &client);
    const int y = (thumb.top + thumb.bottom) / 2;
    const POINT at[] = {{arrow / 2, y},
                        {client.right - arrow / 2, y},
                        {(thumb.right + client.right - arrow) / 2, y},
                        {(thumb.left + thumb.right) / 2, y}};
    std::size_t atRelease = 99;  // writes when the button is released
    panel->Watch([&](const MSG& m) {
      if (m.hwnd == bar && m.message == WM_LBUTTONUP) atRelease = store.sets.size();
    });
    SetFocus(bar);
    if (act == Drag) panel->Drag(bar, at[Drag], {at[Drag].x + 40, y});
    if (act < Drag) panel->Click(bar, at[act]);
    if (act > Drag) panel->Key(act == Right ? VK_RIGHT : VK_NEXT);
    EXPECT_EQ(atRelease, act == Drag ? 0u : act < Drag ? 1u : 99u);
    const int after = panel->Shown(bar);
    EXPECT_TRUE(act == Drag ? after - before >= moved : after - before == moved) << after;
    ExpectWrite(setting, after, bar);
  }
}

}  // namespace
}  // namespace calvane::test

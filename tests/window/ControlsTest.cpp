// The event rules of the control kinds, seen on the real window: what the
// program or the user does to a control, and what reaches the registry.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

using S = Setting;

class Controls : public ::testing::Test {
 protected:
  // A freshly installed driver; the start-up's writes forgotten.
  Controls() { registry.SetFreshInstall(), panel.emplace(&store), store.sets.clear(); }
  // One write since the last look (none unless `written`); `setting` holds
  // `value`, which `shown` shows.
  void ExpectWrite(Setting setting, int value, HWND shown, bool written = true) {
    EXPECT_EQ(std::exchange(store.sets, {}).size(), std::size_t{written});
    EXPECT_EQ(registry.Dword(setting), DWORD(value));
    EXPECT_EQ(panel->Shown(shown), value);
  }
  TestRegistry registry;
  SystemRegistry system;
  FailingStore store{system};
  std::optional<WindowDriver> panel;
};

// The program sets each control to its state, to another one twice (no
// message delivered in between); then the user works the box, now grayed,
// and the group, now on Quad.
TEST_F(Controls, AStateSetOrChosenRaisesAChangeOnlyWhenNewAndTheProgramsAtOnce) {
  Form1& form = panel->form();
  // The control, its setting, its state now and another (the group: none, then Quad).
  // clang-format off
  const std::tuple<const char*, Setting, int, int> cases[] = {
      {"chkMIDIfx", S::ZuvivWavetableEffect, 1, 2}, {"cboA3DType", S::PrimaryXtalk, 0, 2},
      {"optQuad", S::QuadCodecOutputModeState, -1, 1}, {"hsbPCM1", S::AC97PCMOutVol, 8, 31},
      {"hsbEffect2", S::ChorusAmount, 0, 127}};
  // clang-format on
  for (auto [name, setting, now, other] : cases) {
    SCOPED_TRACE(name);
    const Kind kind = Row(name).kind;
    const auto set = [&, name = name](int state) {
      if (kind == Kind::CheckBox) form.Get<CheckBox>(name).SetState(state);
      if (kind == Kind::DropDown) form.Get<DropDown>(name).SetIndex(state);
      if (kind == Kind::Option) form.Group(name).Select(state);
      if (kind == Kind::ScrollBar || kind == Kind::Slider) form.Get<Bar>(name).SetPosition(state);
    };
    HWND shown = now < 0 ? panel->Option(name, other) : panel->Hwnd(name);
    const DWORD stored = *registry.Dword(setting);
    for (int step : {0, 1, 2})
      set(step ? other : now), ExpectWrite(setting, step ? other : stored, shown, step == 1);
  }
  // What the user does; the control then focused, the state it shows, whether
  // that is written. A grayed box ticks; the chosen option raises nothing.
  HWND box = panel->Hwnd("chkMIDIfx"), quad = panel->Option("optQuad", 1);
  // clang-format off
  const std::tuple<std::function<void()>, HWND, int, bool> steps[] = {
      {[&] { panel->ClickTab(1), panel->Click(box); }, box, 1, true},
      {[&] { panel->Key(VK_SPACE); }, box, 0, true},
      {[&] { panel->ClickTab(2), panel->Click(quad); }, quad, 1, false},
      {[&] { panel->Key(VK_SPACE); }, quad, 1, false}};
  // clang-format on
  for (const auto& [act, control, state, written] : steps) {
    act();
    EXPECT_EQ(panel->Focus(), control);
    ExpectWrite(control == box ? S::ZuvivWavetableEffect : S::QuadCodecOutputModeState, state,
                control, written);
  }
}

TEST_F(Controls, BarsAndSlidersWriteOnceWhenThePositionSettlesAndNeverDuringADrag) {
  enum Act { Track, Drag, PageDown };
  // The bar, its setting, what the user does, how far it moves (a drag: at
  // least). Arrow buttons and arrow keys are left to the page and end-to-end
  // tests.
  // clang-format off
  const std::tuple<const char*, Setting, Act, int> cases[] = {
      {"hsbFront", S::AC97MixerFrontOutVol, Track, 1}, {"hsbPCM1", S::AC97PCMOutVol, Drag, 3},
      {"hsbEffect1", S::ReverbAmount, Track, 5}, {"hsbEffect1", S::ReverbAmount, PageDown, 5},
      {"hsbEffect2", S::ChorusAmount, Drag, 10}};
  // clang-format on
  HWND bar = nullptr;
  std::size_t atRelease;  // writes when the button is released
  panel->Watch([&](const MSG& m) {
    if (m.hwnd == bar && m.message == WM_LBUTTONUP) atRelease = store.sets.size();
  });
  for (auto [name, setting, act, moved] : cases) {
    SCOPED_TRACE(std::string(name) + " " + std::to_string(act));
    panel->ClickTab(Row(name).page);
    SetFocus(bar = panel->Hwnd(name)), atRelease = 99;
    const int before = panel->Shown(bar);
    const RECT thumb = panel->Thumb(bar);
    const POINT centre{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    if (act == Track) panel->Click(bar, {thumb.right + 4, centre.y});
    if (act == Drag) panel->Drag(bar, centre, {centre.x + 40, centre.y});
    if (act == PageDown) panel->Key(VK_NEXT);
    EXPECT_EQ(atRelease, act == Drag ? 0u : act == Track ? 1u : 99u);
    const int after = panel->Shown(bar);
    EXPECT_TRUE(act == Drag ? after - before >= moved : after - before == moved) << after;
    ExpectWrite(setting, after, bar);
  }
}

}  // namespace
}  // namespace calvane::test

// The main window: its life, its keyboard handling and its notices.
#include "window/Form1.h"

#include <gtest/gtest.h>

#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"

namespace calvane {
namespace {

using test::TestRegistry;
using test::WindowDriver;

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

}  // namespace
}  // namespace calvane

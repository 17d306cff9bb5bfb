// The start-up reads and the creation of SetGPIO0InQuad, against the test
// prefix's real registry.
#include "settings/Snapshot.h"

#include <gtest/gtest.h>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"

namespace calvane {
namespace {

using S = Setting;

class SnapshotTest : public ::testing::Test {
 protected:
  // The start-up as the window runs it, writing through the catalogue.
  Snapshot StartUp() {
    statuses.clear();
    return ReadSnapshot(store, [this](Setting setting, const SettingValue& value) {
      statuses.push_back(WriteSetting(store, setting, value));
    });
  }

  test::TestRegistry registry;
  SystemRegistry system;
  test::FailingStore store{system};
  std::vector<LONG> statuses;  // of the start-up's writes
};

TEST_F(SnapshotTest, EachValueIsReadOnceForReadingOnlyAndKeptAsFound) {
  registry.SetDword(S::PrimaryXtalk, 0xFFFFFFFF);
  registry.SetDword(S::SpdifFrequency, 48000);
  registry.SetText(S::SplashScreen, "2");
  registry.SetDword(S::SetGPIO0InQuad, 0);
  registry.SetDword(S::AC97PCMOutVol, 70000);
  registry.SetDword(S::AC97MixerFrontOutVol, 0xFFFF8000);  // -32768 fits
  const auto before = registry.Everything();
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(snapshot.Text(S::PrimaryXtalk), L"-1");
  EXPECT_EQ(snapshot.Text(S::SpdifFrequency), L"48000");
  EXPECT_EQ(snapshot.Text(S::SplashScreen), std::wstring(L"2\0", 2)) << "keeps its terminator";
  EXPECT_EQ(snapshot.Text(S::ReverbAmount), L"") << "missing value";
  EXPECT_EQ(snapshot.Level(S::AC97PCMOutVol), std::nullopt) << "never wrapped";
  EXPECT_EQ(snapshot.LevelText(S::AC97PCMOutVol), L"70000");
  EXPECT_EQ(snapshot.Level(S::AC97MixerFrontOutVol), -32768);
  EXPECT_EQ(snapshot.Level(S::AC97MixerRearOutVol), 0) << "missing level";
  EXPECT_TRUE(statuses.empty());
  EXPECT_EQ(registry.Everything(), before);
  // 25 reads, each through a key opened for reading and closed again.
  EXPECT_EQ(store.opens, std::vector<REGSAM>(25, KEY_QUERY_VALUE));
  EXPECT_EQ(store.openKeys, 0);
}

TEST_F(SnapshotTest, RearJackSwitchIsCreatedAsZeroOnlyWhenItReadsAsTheEmptyText) {
  // What SetGPIO0InQuad holds (at first nothing); whether the start-up
  // creates it. An empty REG_SZ with its terminator is one zero character.
  const std::pair<std::optional<test::Stored>, bool> cases[] = {
      {std::nullopt, true},
      {test::Stored{REG_SZ, {0}}, false},
      {test::Stored{REG_SZ, {}}, true},
      {test::Stored{REG_BINARY, {1}}, true},
      {test::Stored{REG_DWORD, {1, 0}}, true}};
  for (const auto& [stored, creates] : cases) {
    SCOPED_TRACE(stored ? stored->type : REG_NONE);
    if (stored) registry.SetRaw(S::SetGPIO0InQuad, stored->type, stored->bytes);
    const Snapshot snapshot = StartUp();
    EXPECT_EQ(statuses, std::vector<LONG>(creates, ERROR_SUCCESS));
    EXPECT_EQ(registry.Get(S::SetGPIO0InQuad), creates ? test::Dword(0) : stored);
    EXPECT_EQ(snapshot.Text(S::SetGPIO0InQuad), creates ? L"0" : std::wstring(1, L'\0'));
    EXPECT_EQ(registry.Everything().size(), 1u) << "nothing else is created";
  }
  registry.RemoveKey(Key::Customization);
  EXPECT_EQ(StartUp().Text(S::SetGPIO0InQuad), L"");
  EXPECT_EQ(statuses, std::vector<LONG>{ERROR_FILE_NOT_FOUND});
  EXPECT_FALSE(registry.KeyExists(Key::Customization));
}

}  // namespace
}  // namespace calvane

// The start-up reads and the creation of SetGPIO0InQuad, against the test
// prefix's real registry.
#include "settings/Snapshot.h"

#include <gtest/gtest.h>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"

namespace calvane {
namespace {

using test::TestRegistry;

class SnapshotTest : public ::testing::Test {
 protected:
  // The start-up as the window runs it, writing through the catalogue.
  Snapshot StartUp() {
    return ReadSnapshot(store, [this](Setting setting, const SettingValue& value) {
      created.push_back(setting);
      statuses.push_back(WriteSetting(store, setting, value));
    });
  }

  TestRegistry registry;
  SystemRegistry system;
  test::FailingStore store{system};
  std::vector<Setting> created;
  std::vector<LONG> statuses;
};

TEST_F(SnapshotTest, NumbersBecomeTheirDecimalTexts) {
  registry.SetFreshInstall();
  registry.SetDword(Setting::AC97MixerRearOutVol, 31);
  registry.SetDword(Setting::PrimaryXtalk, 0xFFFFFFFF);
  const auto before = registry.Everything();

  const Snapshot snapshot = StartUp();
  EXPECT_EQ(snapshot.Level(Setting::AC97PCMOutVol), 8);
  EXPECT_EQ(snapshot.Level(Setting::AC97MixerRearOutVol), 31);
  EXPECT_EQ(snapshot.Text(Setting::SpdifFrequency), L"48000");
  EXPECT_EQ(snapshot.Text(Setting::PrimaryXtalk), L"-1");
  EXPECT_EQ(snapshot.Text(Setting::SetGPIO0InQuad), L"0");
  EXPECT_TRUE(created.empty());
  EXPECT_EQ(registry.Everything(), before);
  // 25 reads, each through a key opened for reading and closed again.
  EXPECT_EQ(store.opens, std::vector<REGSAM>(25, KEY_QUERY_VALUE));
  EXPECT_EQ(store.openKeys, 0);
}

TEST_F(SnapshotTest, TextsKeepTheirTerminatorAndReadAsNumbers) {
  registry.SetText(Setting::SplashScreen, "2");
  registry.SetText(Setting::AC97PCMOutVol, "8");
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(snapshot.Text(Setting::SplashScreen), std::wstring(L"2\0", 2));
  EXPECT_EQ(ReadNumber(snapshot.Text(Setting::SplashScreen), 0, 2), 2);
  EXPECT_EQ(snapshot.Level(Setting::AC97PCMOutVol), 8);
  EXPECT_EQ(snapshot.Text(Setting::ReverbAmount), L"") << "missing value";
}

TEST_F(SnapshotTest, LevelsThatAreNoSixteenBitNumber) {
  registry.SetDword(Setting::AC97PCMOutVol, 70000);
  registry.SetText(Setting::AC97PCM2OutVol, "loud");
  registry.SetDword(Setting::AC97MixerFrontOutVol, 0xFFFF8000);  // -32768 fits
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(snapshot.Level(Setting::AC97PCMOutVol), std::nullopt) << "never wrapped";
  EXPECT_EQ(snapshot.LevelText(Setting::AC97PCMOutVol), L"70000");
  EXPECT_EQ(snapshot.Level(Setting::AC97PCM2OutVol), std::nullopt);
  EXPECT_EQ(snapshot.LevelText(Setting::AC97PCM2OutVol), L"loud");
  EXPECT_EQ(snapshot.Level(Setting::AC97MixerFrontOutVol), -32768);
  EXPECT_EQ(snapshot.Level(Setting::AC97MixerRearOutVol), 0) << "missing level";
}

TEST_F(SnapshotTest, MissingRearJackSwitchIsCreatedAsZero) {
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(created, std::vector<Setting>{Setting::SetGPIO0InQuad});
  EXPECT_EQ(registry.Get(Setting::SetGPIO0InQuad), test::Dword(0));
  EXPECT_EQ(snapshot.Text(Setting::SetGPIO0InQuad), L"0");
  EXPECT_EQ(registry.Everything().size(), 1u) << "nothing else is created";
}

TEST_F(SnapshotTest, RearJackSwitchIsCreatedOnlyWhenItReadsAsTheEmptyText) {
  registry.SetText(Setting::SetGPIO0InQuad, "");  // one zero character
  StartUp();
  EXPECT_TRUE(created.empty());
  EXPECT_EQ(registry.Get(Setting::SetGPIO0InQuad)->type, DWORD{REG_SZ});

  for (auto [type, bytes] : std::vector<std::pair<DWORD, std::vector<BYTE>>>{
           {REG_SZ, {}}, {REG_BINARY, {1}}, {REG_DWORD, {1, 0}}}) {
    created.clear();
    registry.SetRaw(Setting::SetGPIO0InQuad, type, bytes);
    StartUp();
    EXPECT_EQ(created.size(), 1u) << "type " << type;
    EXPECT_EQ(registry.Get(Setting::SetGPIO0InQuad), test::Dword(0));
  }
}

TEST_F(SnapshotTest, NothingIsCreatedWithoutTheCustomizationKey) {
  registry.RemoveKey(Key::Customization);
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(statuses, std::vector<LONG>{ERROR_FILE_NOT_FOUND});
  EXPECT_FALSE(registry.KeyExists(Key::Customization));
  EXPECT_EQ(snapshot.Text(Setting::SetGPIO0InQuad), L"");
}

TEST_F(SnapshotTest, ReadOnlyKeysAreStillRead) {
  registry.SetFreshInstall();
  registry.MakeReadOnly(Key::Customization);
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(snapshot.Level(Setting::AC97PCMOutVol), 8);
  EXPECT_EQ(snapshot.Text(Setting::SpdifFrequency), L"48000");
}

}  // namespace
}  // namespace calvane

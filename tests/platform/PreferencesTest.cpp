#include <gtest/gtest.h>

#include <QSettings>
#include <string>

#include "platform/Preferences.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

TEST(Preferences, DefaultsAndWhatWasSavedComeBack) {
  test::TempFolder folder;
  const QString file = QString::fromStdString(folder.file("moriva.conf"));
  QSettings settings(file, QSettings::IniFormat);
  const Preferences defaults = Preferences::Load(settings);
  EXPECT_EQ(defaults.scale, Preferences::kChooseScale);
  EXPECT_TRUE(defaults.musicOn && defaults.effectsOn);
  Preferences chosen;
  chosen.musicOn = false;
  chosen.scale = 3;
  chosen.Save(settings);
  QSettings reread(file, QSettings::IniFormat);
  const Preferences back = Preferences::Load(reread);
  EXPECT_FALSE(back.musicOn);
  EXPECT_TRUE(back.effectsOn);
  EXPECT_EQ(back.scale, 3);
}

struct ScaleCase {
  const char* name;
  const char* stored;
  int loaded;
};

class StoredScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(StoredScale, OnlyAWholeFactorInRangeIsTaken) {
  test::TempFolder folder;
  QSettings settings(QString::fromStdString(folder.file("moriva.conf")), QSettings::IniFormat);
  settings.setValue("window/scale", GetParam().stored);
  EXPECT_EQ(Preferences::Load(settings).scale, GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredScale,
                         testing::Values(ScaleCase{"One", "1", 1}, ScaleCase{"Four", "4", 4},
                                         ScaleCase{"Zero", "0", Preferences::kChooseScale},
                                         ScaleCase{"Negative", "-2", Preferences::kChooseScale},
                                         ScaleCase{"Huge", "500", Preferences::kChooseScale},
                                         ScaleCase{"Text", "big", Preferences::kChooseScale}),
                         [](const testing::TestParamInfo<ScaleCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace moriva

#include "platform/Preferences.h"

#include <QSettings>

namespace moriva {

namespace {
constexpr const char* kOrganization = "moriva";
constexpr const char* kApplication = "moriva";
constexpr const char* kMusicKey = "sound/music";
constexpr const char* kEffectsKey = "sound/effects";
constexpr const char* kScaleKey = "window/scale";
constexpr int kLargestScale = 16;
}  // namespace

Preferences Preferences::Load(const QSettings& settings) {
  Preferences p;
  p.musicOn = settings.value(kMusicKey, p.musicOn).toBool();
  p.effectsOn = settings.value(kEffectsKey, p.effectsOn).toBool();
  // A hand-edited or damaged value falls back to fitting the screen.
  bool ok = false;
  const int scale = settings.value(kScaleKey, kChooseScale).toInt(&ok);
  p.scale = ok && scale >= 1 && scale <= kLargestScale ? scale : kChooseScale;
  return p;
}

void Preferences::Save(QSettings& settings) const {
  settings.setValue(kMusicKey, musicOn);
  settings.setValue(kEffectsKey, effectsOn);
  if (scale != kChooseScale) settings.setValue(kScaleKey, scale);
  settings.sync();
}

std::unique_ptr<QSettings> OpenUserSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganization,
                                     kApplication);
}

}  // namespace moriva

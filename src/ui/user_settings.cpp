#include "ui/user_settings.h"

#include <QCoreApplication>
#include <QSettings>

namespace gakunen {

std::unique_ptr<QSettings> OpenUserSettings() {
  if (QCoreApplication::organizationName().isEmpty()) return nullptr;
  return std::make_unique<QSettings>();
}

void KeepUserSettingsIn(const QString& folder) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

}  // namespace gakunen

#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace gakunen {

// The teacher's own settings (last folder, window places). Null unless the
// program named its organisation, as main does: a test that builds screens
// without main never reads or writes the settings of whoever runs it.
std::unique_ptr<QSettings> OpenUserSettings();

// Keeps every later OpenUserSettings in `folder`, for a run that must leave
// the user's settings alone (scenarios).
void KeepUserSettingsIn(const QString& folder);

}  // namespace gakunen

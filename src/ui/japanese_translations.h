#pragma once

#include <QStringList>

class QCoreApplication;

namespace gakunen {

// Loads the toolkit's own Japanese texts (file dialogs, the overwrite
// question, the print dialog and preview) whatever the system's language,
// and makes Japanese the default locale. Returns the catalogues that could
// not be loaded: empty when every one was.
QStringList InstallJapaneseTranslations(QCoreApplication& app);

}  // namespace gakunen

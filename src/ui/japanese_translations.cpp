#include "ui/japanese_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace gakunen {

QStringList InstallJapaneseTranslations(QCoreApplication& app) {
  // A teacher's PC may well run in English (or as LANG=C); the program
  // speaks Japanese all the same.
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  QStringList missing;
  for (const QString& catalogue : {QStringLiteral("qtbase")}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(japanese, catalogue, QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
      missing << catalogue;
    }
  }
  return missing;
}

}  // namespace gakunen

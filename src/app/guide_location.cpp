#include "app/guide_location.h"

#include <QDir>
#include <QFileInfo>

namespace gakunen {

QString FindGuide(const QString& programFolder) {
  const QDir folder(programFolder);
  for (const char* place : {"../docs/guide.html", "../share/doc/gakunen/guide.html"}) {
    const QFileInfo guide(folder.filePath(QString::fromLatin1(place)));
    if (guide.isFile()) return QDir::cleanPath(guide.absoluteFilePath());
  }
  return {};
}

}  // namespace gakunen

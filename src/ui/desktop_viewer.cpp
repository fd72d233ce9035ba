#include "ui/desktop_viewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace gakunen {

bool DesktopViewer::open(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace gakunen

#include "screens/common/printing_scope.h"

#include "screens/common/app_context.h"
#include "screens/common/screen.h"
#include "ui/screen_printer.h"

#include <QFileInfo>

namespace gakunen {

PrintingScope::PrintingScope(Screen& screen) : PrintingScope(screen.app(), titleOf(screen)) {}

PrintingScope::PrintingScope(AppContext& app, const QString& title) : printer_(app.printer()) {
  printer_.setJobTitle(title);
}

PrintingScope::~PrintingScope() { printer_.setJobTitle({}); }

QString PrintingScope::titleOf(const Screen& screen) {
  const QString file = QFileInfo(screen.documentPath()).fileName();
  return file.isEmpty() ? screen.windowTitle() : file;
}

}  // namespace gakunen

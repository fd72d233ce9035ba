// The program's own start, as src/app/main.cpp makes it outside scenarios,
// up to the main menu shown; then it signals the startup benchmark and ends.

#include "app/application.h"
#include "startup_signal.h"
#include "ui/page_printer.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFont>

#include <memory>

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  startup_bench::signalWhenShown();
  QApplication::setApplicationName(QStringLiteral("gakunen"));
  QApplication::setApplicationDisplayName(QStringLiteral("学年"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));

  using namespace gakunen;
  Application app(std::make_unique<QtDialogs>(), std::make_unique<PagePrinter>());
  app.start();
  return QApplication::exec();
}

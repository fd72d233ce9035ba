// The yardstick of the startup benchmark: a bare Qt window with one button.

#include "startup_signal.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  startup_bench::signalWhenShown();
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QPushButton(QStringLiteral("終了")));
  window.show();
  return QApplication::exec();
}

#include "core/screens/application.h"

#include "core/student_table.h"
#include "core/table_host.h"
#include "ui/dialogs.h"
#include "ui/printer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

namespace gakunen {

Application::Application(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Printer> printer, QObject* parent)
    : QObject(parent), dialogs_(std::move(dialogs)), printer_(std::move(printer)) {}

Application::~Application() {
  for (QWidget* w : order_) delete w;
}

QWidget* Application::form(const QString& name) {
  if (auto it = forms_.find(name); it != forms_.end()) return it.value();
  QWidget* w = CreateForm(name, *this);
  if (!w) return nullptr;
  forms_.insert(name, w);
  order_.append(w);
  return w;
}

QList<QWidget*> Application::createdForms() const { return order_; }

void Application::setBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0) {
    if (--busyDepth_ == 0) QGuiApplication::restoreOverrideCursor();
  }
}

bool Application::hasUnsavedChanges() const {
  for (QWidget* w : order_)
    if (auto* host = dynamic_cast<TableHost*>(w); host && host->table().isModified()) return true;
  return false;
}

void Application::endProgram() {
  if (ended_) return;
  if (hasUnsavedChanges() && !dialogs_->question(QStringLiteral("保存していないデータがあります。終了しますか？")))
    return;
  ended_ = true;
  for (QWidget* w : order_) w->hide();
  if (!scenarioMode_) QCoreApplication::exit(0);
}

void Application::start() {
  if (QWidget* menu = form(QStringLiteral("Form1"))) menu->show();
}

}  // namespace gakunen

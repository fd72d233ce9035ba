#include "app/application.h"

#include "app/form_registry.h"
#include "app/guide_location.h"
#include "model/ports/dialogs.h"
#include "model/ports/document_viewer.h"
#include "model/session/table_host.h"
#include "model/table/student_table.h"
#include "screens/menu/main_menu.h"
#include "ui/screen_printer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

namespace gakunen {

Application::Application(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<ScreenPrinter> printer, QObject* parent)
    : QObject(parent),
      dialogs_(std::move(dialogs)),
      printer_(std::move(printer)),
      viewer_(std::make_unique<RecordingViewer>()),
      forms_(std::make_unique<FormRegistry>(*this)) {}

Application::~Application() = default;

TransferDialog& Application::transferDialog() { return forms_->transferDialog(); }

QWidget* Application::form(const QString& name) { return forms_->byName(name); }

void Application::setBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0) {
    if (--busyDepth_ == 0) QGuiApplication::restoreOverrideCursor();
  }
}

bool Application::hasUnsavedChanges() const {
  for (QWidget* w : forms_->created())
    if (auto* host = dynamic_cast<TableHost*>(w); host && host->table().isModified()) return true;
  return false;
}

void Application::endProgram() {
  if (ended_) return;
  if (hasUnsavedChanges() && !dialogs_->question(QStringLiteral("保存していないデータがあります。終了しますか？")))
    return;
  ended_ = true;
  for (QWidget* w : forms_->created()) w->hide();
  if (!scenarioMode_) QCoreApplication::exit(0);
}

void Application::setViewer(std::unique_ptr<DocumentViewer> viewer) { viewer_ = std::move(viewer); }

void Application::showGuide() {
  const QString guide = FindGuide(QCoreApplication::applicationDirPath());
  if (guide.isEmpty()) {
    dialogs_->message(QStringLiteral("使い方の説明（guide.html）が見つかりません。プログラムを入れ直してください。"));
    return;
  }
  if (!viewer_->open(guide))
    dialogs_->message(QStringLiteral("使い方の説明「%1」を開けませんでした。ブラウザーで開いてください。").arg(guide));
}

void Application::start() { forms_->menu().show(); }

}  // namespace gakunen

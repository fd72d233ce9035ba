#include "app/application.h"

#include "app/form_registry.h"
#include "app/guide_location.h"
#include "app/heap_reserve.h"
#include "model/files/text_codec.h"
#include "model/ports/dialogs.h"
#include "model/ports/document_viewer.h"
#include "model/session/table_host.h"
#include "model/table/student_table.h"
#include "screens/menu/main_menu.h"
#include "screens/scores/score_screen.h"
#include "ui/grid_view.h"
#include "ui/screen_printer.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace gakunen {

namespace {

// Calls `then` once, as soon as the events in hand are handled after the
// widget's first paint: the window is on the screen by then.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget& widget, std::function<void()> then) : QObject(&widget), then_(std::move(then)) {
    widget.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        then_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

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

void Application::start() {
  QWidget& menu = forms_->menu();
  new AfterFirstPaint(menu, [this] { prepareFirstScreen(); });
  menu.show();
}

void Application::prepareFirstScreen() {
  if (ended_) return;
  // About what the first file of a year-group takes in memory.
  KeepHeapReserve(4 << 20);
  TextCodec::openConverter();
  ScoreScreen& scores = forms_->scores();
  if (scores.isVisible()) return;
  // Drawn once where nobody sees it, and its window made with the memory
  // it is painted in: native window, layout, style and fonts are ready when
  // the first file is shown in it.
  (void)scores.winId();
  scores.ensurePolished();
  if (scores.layout()) scores.layout()->activate();
  QPixmap canvas(scores.size());
  scores.render(&canvas);
  if (QBackingStore* store = scores.backingStore()) {
    const QRect all(QPoint(), scores.size());
    store->resize(all.size());
    store->beginPaint(all);
    QPainter(store->paintDevice()).fillRect(all, scores.palette().window());
    store->endPaint();
  }
  // Every score, the texts most cells of a score table hold.
  QStringList scoreTexts;
  for (int score = 0; score <= 100; ++score) scoreTexts << QString::number(score);
  scores.grid()->prepareTexts(scoreTexts);
}

}  // namespace gakunen

#include "ui/print_preview.h"

#include "model/files/whole_file.h"
#include "model/ports/dialogs.h"
#include "ui/window_places.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace gakunen {

namespace {

QString documentName() {
  const QString name = QGuiApplication::applicationDisplayName();
  return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

// Draws every page of the job on a paged device. The device must have the
// first page's layout already; each further page gets its own before it starts.
void paintPages(const PrintJob& job, QPagedPaintDevice& device, QPainter& painter) {
  for (int i = 0; i < job.pageCount(); ++i) {
    const PrintedPage& page = job.pages[i];
    if (i > 0) {
      device.setPageLayout(PageLayoutFor(page.setup));
      device.newPage();
    }
    // The painter's origin is the corner of the printable area.
    PlayPage(painter, page);
  }
}

// The preview dialog's toolbar, which it keeps in a main window of its own.
QToolBar* toolbarOf(QPrintPreviewDialog& preview) {
  for (QObject* child : preview.children())
    if (auto* window = qobject_cast<QMainWindow*>(child))
      for (QObject* part : window->children())
        if (auto* toolbar = qobject_cast<QToolBar*>(part)) return toolbar;
  return nullptr;
}

}  // namespace

void ShowPrintPreview(const PrintJob& job, QWidget* parent, Dialogs* dialogs) {
  if (job.pages.isEmpty()) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(documentName());
  printer.setPageLayout(PageLayoutFor(job.pages.first().setup));

  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
  preview.resize(900, 760);
  // On a 1024×768 display the preview stands whole, its buttons in reach.
  FitOnScreen(&preview);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&job](QPrinter* target) {
    target->setPageLayout(PageLayoutFor(job.pages.first().setup));
    QPainter painter;
    if (!painter.begin(target)) return;
    paintPages(job, *target, painter);
    painter.end();
  });

  if (dialogs) {
    if (QToolBar* toolbar = toolbarOf(preview)) {
      toolbar->addSeparator();
      QAction* save = toolbar->addAction(QStringLiteral("PDFに保存"));
      save->setToolTip(QStringLiteral("印刷する内容をPDFファイルに保存します"));
      QObject::connect(save, &QAction::triggered, &preview, [&job, dialogs] {
        const FileDialogSettings settings{QStringLiteral("PDFファイル(*.pdf)|*.pdf"), QStringLiteral("pdf"), {}};
        const QString path = dialogs->saveFile(settings, QStringLiteral("PDFに保存する"));
        if (path.isEmpty()) return;
        QString failure;
        if (!WriteJobToPdf(job, path, &failure)) dialogs->message(failure);
      });
    }
  }
  preview.exec();
}

bool WriteJobToPdf(const PrintJob& job, const QString& path, QString* failure) {
  const QString name = QFileInfo(path).fileName();
  auto refuse = [&](const QString& reason, bool existed) {
    if (failure)
      *failure = QStringLiteral("PDFファイル「%1」を保存できませんでした。（%2）%3")
                     .arg(name, reason,
                          existed ? QStringLiteral("元のファイルは変更されていません。")
                                  : QStringLiteral("ファイルは作られていません。"));
    return false;
  };
  if (job.pages.isEmpty() || path.isEmpty())
    return refuse(QStringLiteral("印刷するページがありません"), QFileInfo::exists(path));
  // The whole document is made in memory first, so that the file on disk is
  // written in one checked step.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(documentName());
    writer.setTitle(documentName());
    writer.setResolution(1200);
    writer.setPageLayout(PageLayoutFor(job.pages.first().setup));
    QPainter painter;
    if (!painter.begin(&writer)) return refuse(QStringLiteral("PDFを作れませんでした"), QFileInfo::exists(path));
    paintPages(job, writer, painter);
    if (!painter.end()) return refuse(QStringLiteral("PDFを作れませんでした"), QFileInfo::exists(path));
  }
  if (auto written = ReplaceWholeFile(path, buffer.data())) return refuse(written->reason(), written->existed);
  return true;
}

QImage RenderJobPage(const PrintJob& job, int index, int dpi) {
  if (index < 0 || index >= job.pageCount() || dpi <= 0) return {};
  const PrintedPage& page = job.pages[index];
  const QPageLayout layout = PageLayoutFor(page.setup);
  const QRect sheet = layout.fullRectPixels(dpi);
  QImage image(sheet.size(), QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
  image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.translate(layout.paintRectPixels(dpi).topLeft());
  PlayPage(painter, page);
  painter.end();
  return image;
}

}  // namespace gakunen

#include "ui/page_printer.h"

#include "model/table/numbers.h"
#include "model/table/student_table.h"
#include "ui/cell_text.h"

#include <QColor>
#include <QFont>
#include <QLayout>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QWidget>

#include <algorithm>

namespace gakunen {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr int kRowHeightTwips = 240;
constexpr int kFontSizeTwips = 180;  // 9 pt
// A point each side: a 300-twip column has to hold "100" at 9 pt.
constexpr int kCellPaddingTwips = 20;
constexpr double kLineWidthTwips = 10.0;  // half a point
constexpr double kWidgetPointsPerPixel = 72.0 / 96.0;
const QColor kHeaderShade(0xD9, 0xD9, 0xD9);

QFont tableFont() {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  // Sized in the drawing's own units, so that the picture plays back alike
  // on devices of any resolution.
  font.setPixelSize(kFontSizeTwips);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace

QSizeF TableImageSizeTwips(const StudentTable& table) {
  double width = 0;
  for (int c = 0; c < table.cols(); ++c) width += std::max(table.colWidth(c), 0);
  return {width, double(table.rows()) * kRowHeightTwips};
}

void PaintTableImage(QPainter& painter, const StudentTable& table) {
  const QSizeF size = TableImageSizeTwips(table);
  if (size.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  painter.fillRect(QRectF(0, 0, size.width(), kRowHeightTwips), kHeaderShade);

  painter.setFont(tableFont());
  painter.setPen(Qt::black);
  double x = 0;
  for (int c = 0; c < table.cols(); ++c) {
    const int width = std::max(table.colWidth(c), 0);
    if (width > 2 * kCellPaddingTwips) {
      for (int r = 0; r < table.rows(); ++r) {
        const QString& text = table.text(r, c);
        if (text.isEmpty()) continue;
        const QRectF cell(x + kCellPaddingTwips, double(r) * kRowHeightTwips, width - 2 * kCellPaddingTwips,
                          kRowHeightTwips);
        const Qt::Alignment align = (ReadsAsNumber(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        DrawCellText(painter, cell, text, align);
      }
    }
    x += width;
  }

  QPen pen(Qt::black);
  pen.setWidthF(kLineWidthTwips);
  pen.setCapStyle(Qt::SquareCap);
  painter.setPen(pen);
  for (int r = 0; r <= table.rows(); ++r) {
    const double y = double(r) * kRowHeightTwips;
    painter.drawLine(QLineF(0, y, size.width(), y));
  }
  x = 0;
  painter.drawLine(QLineF(0, 0, 0, size.height()));
  for (int c = 0; c < table.cols(); ++c) {
    const int width = std::max(table.colWidth(c), 0);
    if (width == 0) continue;
    x += width;
    painter.drawLine(QLineF(x, 0, x, size.height()));
  }
  painter.restore();
}

PagePrinter::PagePrinter() = default;

PagePrinter::~PagePrinter() {
  if (painter_) painter_->end();
}

QPainter& PagePrinter::pagePainter() {
  if (!painter_) {
    page_ = PrintedPage{setup_, QPicture()};
    painter_ = std::make_unique<QPainter>(&page_.picture);
  }
  return *painter_;
}

void PagePrinter::finishPage() {
  if (!painter_) return;
  painter_->end();
  painter_.reset();
  job_.pages.append(page_);
  page_ = PrintedPage();
}

int PagePrinter::pagesInProgress() const { return job_.pageCount() + (painter_ ? 1 : 0); }

void PagePrinter::setPageSetup(int paper, int orientation) {
  setup_ = PageSetup{paper, orientation};
  if (painter_) page_.setup = setup_;
}

void PagePrinter::drawTable(const StudentTable& table, int xTwips, int yTwips) {
  const QSizeF natural = TableImageSizeTwips(table);
  if (natural.isEmpty()) return;
  QPainter& painter = pagePainter();
  const QSizeF area = PrintableSizePoints(page_.setup) * kTwipsPerPoint;
  double scale = 1.0;
  const double roomX = area.width() - std::max(xTwips, 0);
  const double roomY = area.height() - std::max(yTwips, 0);
  if (roomX > 0 && roomY > 0) scale = std::min({1.0, roomX / natural.width(), roomY / natural.height()});
  painter.save();
  painter.scale(1.0 / kTwipsPerPoint, 1.0 / kTwipsPerPoint);
  painter.translate(xTwips, yTwips);
  painter.scale(scale, scale);
  PaintTableImage(painter, table);
  painter.restore();
}

void PagePrinter::drawWidget(QWidget* widget) {
  if (!widget) return;
  QWidget* window = widget->window();
  if (!window->isVisible()) {
    // A screen not shown has never been laid out.
    window->ensurePolished();
    if (window->layout()) window->layout()->activate();
    if (widget->layout()) widget->layout()->activate();
  }
  const QSize pixels = widget->size();
  if (pixels.isEmpty()) return;
  QPainter& painter = pagePainter();
  const QSizeF area = PrintableSizePoints(page_.setup);
  const QSizeF natural = QSizeF(pixels) * kWidgetPointsPerPixel;
  const double fit = std::min(area.width() / natural.width(), area.height() / natural.height());
  painter.save();
  painter.scale(kWidgetPointsPerPixel * fit, kWidgetPointsPerPixel * fit);
  // The widgets paint onto the page as they paint on the screen, so that
  // what they draw stays vector at the printer's resolution; the window's
  // background stays off the paper.
  widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
  painter.restore();
}

void PagePrinter::newPage() { finishPage(); }

void PagePrinter::endJob() {
  finishPage();
  PrintJob finished = std::move(job_);
  job_ = PrintJob{};
  setup_ = PageSetup{};
  if (finished.pages.isEmpty()) return;
  lastJob_ = finished;
  ++jobsFinished_;
  if (handler_) handler_(finished);
}

}  // namespace gakunen

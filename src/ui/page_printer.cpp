#include "ui/page_printer.h"

#include "model/table/numbers.h"
#include "model/table/student_table.h"
#include "ui/cell_text.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLayout>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace gakunen {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr int kRowHeightTwips = 240;
constexpr int kFontSizeTwips = 180;  // 9 pt
// Two points each side, so that no number touches the lines; columns are
// widened to hold their texts with it.
constexpr int kCellPaddingTwips = 40;
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

QSizeF imageSize(const StudentTable& table, const QList<int>& widths) {
  double width = 0;
  for (int w : widths) width += w;
  return {width, double(table.rows()) * kRowHeightTwips};
}

void paintImage(QPainter& painter, const StudentTable& table, const QList<int>& widths) {
  const QSizeF size = imageSize(table, widths);
  if (size.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  painter.fillRect(QRectF(0, 0, size.width(), kRowHeightTwips), kHeaderShade);

  painter.setFont(tableFont());
  painter.setPen(Qt::black);
  double x = 0;
  for (int c = 0; c < table.cols(); ++c) {
    const int width = widths[c];
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
    const int width = widths[c];
    if (width == 0) continue;
    x += width;
    painter.drawLine(QLineF(x, 0, x, size.height()));
  }
  painter.restore();
}

// The header above the page's drawing, which ends up below it.
QPicture withHeader(const PrintedPage& page) {
  QPicture composed;
  QPainter painter(&composed);
  PaintPageHeader(painter, page.header, PrintableSizePoints(page.setup).width());
  painter.drawPicture(QPointF(0, kPageHeaderPoints), page.picture);
  painter.end();
  return composed;
}

}  // namespace

QList<int> PrintedColumnWidths(const StudentTable& table) {
  const QFontMetricsF metrics(tableFont());
  QList<int> widths;
  widths.reserve(table.cols());
  for (int c = 0; c < table.cols(); ++c) {
    const int set = std::max(table.colWidth(c), 0);
    double widest = 0;
    if (set > 0)
      for (int r = 0; r < table.rows(); ++r) widest = std::max(widest, metrics.horizontalAdvance(table.text(r, c)));
    // A little over the padding, as glyphs on paper may come out a shade
    // wider than measured here.
    const int needed = widest > 0 ? int(std::ceil(widest * 1.05)) + 2 * kCellPaddingTwips : 0;
    widths << std::max(set, needed);
  }
  return widths;
}

QSizeF TableImageSizeTwips(const StudentTable& table) { return imageSize(table, PrintedColumnWidths(table)); }

void PaintTableImage(QPainter& painter, const StudentTable& table) {
  paintImage(painter, table, PrintedColumnWidths(table));
}

PagePrinter::PagePrinter() = default;

PagePrinter::~PagePrinter() {
  if (painter_) painter_->end();
}

QPainter& PagePrinter::pagePainter() {
  if (!painter_) {
    page_ = PrintedPage{setup_, QPicture(), {}};
    page_.header.heading = std::exchange(heading_, QString());
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

void PagePrinter::setPageHeading(const QString& heading) {
  if (painter_)
    page_.header.heading = heading;
  else
    heading_ = heading;
}

void PagePrinter::drawTable(const StudentTable& table, int xTwips, int yTwips) {
  const QList<int> widths = PrintedColumnWidths(table);
  const QSizeF natural = imageSize(table, widths);
  if (natural.isEmpty()) return;
  QPainter& painter = pagePainter();
  const QSizeF area = PrintableSizePoints(page_.setup) * kTwipsPerPoint;
  double scale = 1.0;
  // As much room on the right as the table is given on the left.
  const double roomX = area.width() - 2 * std::max(xTwips, 0);
  const double roomY = area.height() - std::max(yTwips, 0);
  if (roomX > 0 && roomY > 0) scale = std::min({kMostTableScale, roomX / natural.width(), roomY / natural.height()});
  painter.save();
  painter.scale(1.0 / kTwipsPerPoint, 1.0 / kTwipsPerPoint);
  painter.translate(xTwips, yTwips);
  painter.scale(scale, scale);
  paintImage(painter, table, widths);
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

void PagePrinter::newPage() {
  finishPage();
  heading_.clear();
}

void PagePrinter::endJob() {
  finishPage();
  heading_.clear();
  PrintJob finished = std::move(job_);
  job_ = PrintJob{};
  setup_ = PageSetup{};
  if (finished.pages.isEmpty()) return;
  const QDate today = QDate::currentDate();
  for (int i = 0; i < finished.pageCount(); ++i) {
    PrintedPage& page = finished.pages[i];
    page.header.title = title_;
    page.header.printed = today;
    page.header.number = i + 1;
    page.header.count = finished.pageCount();
    page.picture = withHeader(page);
  }
  lastJob_ = finished;
  ++jobsFinished_;
  if (handler_) handler_(finished);
}

}  // namespace gakunen

#include "screens/scores/chart_screen.h"

#include "screens/common/app_context.h"
#include "screens/common/guide_button.h"
#include "screens/common/printing_scope.h"
#include "ui/bar_chart.h"
#include "ui/screen_printer.h"
#include "ui/window_places.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace gakunen {

namespace {

constexpr int kWideScreenWidth = 1340;

// Each bar is labelled with the lowest score of its band; the band labels
// of the table ("80点代") are too wide for ten bars side by side.
QStringList categories(bool total) {
  QStringList out;
  const int bands = total ? 5 : 10;
  const int width = total ? 100 : 10;
  for (int b = 0; b < bands; ++b) out << QString::number(b * width);
  return out;
}

BarChartContent chartContent(const FrequencyChart& data) {
  BarChartContent c;
  c.title = data.title;
  c.categories = categories(data.total);
  c.values = data.counts;
  c.categoryTitle = data.total ? QStringLiteral("点（100点ごと）") : QStringLiteral("点（10点ごと）");
  c.valueTitle = QStringLiteral("人");
  c.barColor = data.total ? QColor(0xC0, 0x50, 0x4D) : QColor(0x4F, 0x81, 0xBD);
  return c;
}

}  // namespace

ChartScreen::ChartScreen(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
  setObjectName(QStringLiteral("Form19"));
  setWindowTitle(QStringLiteral("度数分布グラフ画面"));
  auto* layout = new QHBoxLayout(this);
  sheet_ = new QWidget(this);
  sheet_->setObjectName(QStringLiteral("chartSheet"));
  charts_ = new QGridLayout(sheet_);
  charts_->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sheet_, 1);

  auto* buttons = new QVBoxLayout;
  buttons->setAlignment(Qt::AlignTop);
  auto* print = new QPushButton(QStringLiteral("印刷"), this);
  print->setObjectName(QStringLiteral("Command1"));
  auto* end = new QPushButton(QStringLiteral("終了"), this);
  end->setObjectName(QStringLiteral("Command2"));
  auto* back = new QPushButton(QStringLiteral("戻る"), this);
  back->setObjectName(QStringLiteral("ReturnToMenu"));
  back->setToolTip(QStringLiteral("点数入力画面に戻ります"));
  for (auto* b : {print, back, end, AddGuideButton(app_, *this)}) {
    b->setMinimumHeight(36);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);
  ensureSlots(kMinSlots);
  resize(1000, 700);

  connect(print, &QPushButton::clicked, this, &ChartScreen::print);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
  connect(back, &QPushButton::clicked, this, [this] {
    hide();
    emit backRequested();
  });
}

int ChartScreen::slotFor(int subjectIndex, bool total) {
  if (total) return kTotalSlot;
  return subjectIndex < kTotalSlot ? subjectIndex : subjectIndex + 1;
}

void ChartScreen::ensureSlots(int count) {
  while (views_.size() < count) {
    const int index = static_cast<int>(views_.size());
    auto* view = new BarChart(sheet_);
    view->setObjectName(QStringLiteral("MSChart1[%1]").arg(index));
    // Four charts side by side and three rows still fit a 1024×768 display.
    view->setMinimumSize(200, 170);
    view->hide();
    views_.append(view);
    data_.append(FrequencyChart{});
  }
}

void ChartScreen::setCharts(const QList<FrequencyChart>& charts) {
  int subjects = 0;
  for (const FrequencyChart& c : charts)
    if (!c.total) ++subjects;
  ensureSlots(std::max<int>(kMinSlots, slotFor(subjects - 1, false) + 1));
  for (int i = 0; i < slotCount(); ++i) {
    data_[i] = FrequencyChart{};
    views_[i]->hide();
  }
  int subject = 0;
  for (const FrequencyChart& c : charts) {
    const int slot = slotFor(c.total ? 0 : subject, c.total);
    if (!c.total) ++subject;
    data_[slot] = c;
    views_[slot]->setContent(chartContent(c));
    views_[slot]->show();
  }
  // The charts that have data stand side by side, the subjects in their
  // order and the total last, with no gaps where a slot got nothing.
  for (BarChart* view : views_) charts_->removeWidget(view);
  QList<BarChart*> order;
  for (int i = 0; i < slotCount(); ++i)
    if (i != kTotalSlot && !views_[i]->isHidden()) order << views_[i];
  if (!views_[kTotalSlot]->isHidden()) order << views_[kTotalSlot];
  // Up to nine charts stand three to a row. Ten take four rows of three or
  // three of four; the screen widens for four, so that every bar keeps room
  // for its score below it.
  const int columns = order.size() > 9 ? 4 : 3;
  if (columns == 4 && width() < kWideScreenWidth) {
    resize(kWideScreenWidth, height());
    FitOnScreen(this);
  }
  for (int place = 0; place < order.size(); ++place) charts_->addWidget(order[place], place / columns, place % columns);
}

BarChart* ChartScreen::chartSlot(int index) const { return views_.value(index); }

FrequencyChart ChartScreen::slotData(int index) const { return data_.value(index); }

void ChartScreen::print() {
  BusyScope busy(app_);
  PrintingScope printing(app_, windowTitle());
  ScreenPrinter& printer = printing.printer();
  // The sheet is wider than high: B4 landscape.
  printer.setPageSetup(12, 2);
  printer.drawWidget(sheet_);
  printer.endJob();
}

void ChartScreen::closeEvent(QCloseEvent* event) {
  event->ignore();
  app_.endProgram();
}

}  // namespace gakunen

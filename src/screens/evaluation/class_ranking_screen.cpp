#include "screens/evaluation/class_ranking_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/evaluation/evaluation.h"
#include "model/rules/scores/score_printing.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/app_context.h"
#include "screens/common/guide_button.h"
#include "screens/evaluation/ranking_screen.h"
#include "ui/grid_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include "model/table/printed_tables.h"
#include "screens/common/printing_scope.h"
#include "ui/screen_printer.h"

namespace gakunen {

namespace {

constexpr int kRowPixels = 16;
constexpr int kTitlePixels = 18;
constexpr int kFramePixels = 24;  // borders and a horizontal scroll bar

}  // namespace

ClassRankingScreen::ClassRankingScreen(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
  setObjectName(QStringLiteral("Form10"));
  setWindowTitle(QStringLiteral("クラスごとの順位画面"));
  auto* layout = new QHBoxLayout(this);

  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  auto* sheet = new QWidget(scroll);
  auto* tables = new QVBoxLayout(sheet);
  for (int i = 0; i < kClassTables; ++i) {
    auto* grid = new GridView(sheet);
    grid->setObjectName(QStringLiteral("MSFlexGrid2[%1]").arg(i));
    grid->table().setFixedCols(3);
    grid->hide();
    tables->addWidget(grid);
    grids_.push_back(grid);
  }
  tables->addStretch();
  scroll->setWidget(sheet);
  layout->addWidget(scroll, 1);

  auto* buttons = new QVBoxLayout;
  buttons->setAlignment(Qt::AlignTop);
  auto addButton = [&](const QString& name, const QString& caption, const QString& tooltip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    if (!tooltip.isEmpty()) b->setToolTip(tooltip);
    b->setMinimumHeight(36);
    buttons->addWidget(b);
    return b;
  };
  auto* print = addButton(QStringLiteral("Command1"), QStringLiteral("印刷"),
                          QStringLiteral("画面をスクロールすると正常に印刷できません"));
  auto* back = addButton(QStringLiteral("Command2"), QStringLiteral("前に戻る"), {});
  auto* end = addButton(QStringLiteral("Command3"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));
  buttons->addWidget(AddGuideButton(app_, *this));
  layout->addLayout(buttons);
  resize(900, 600);

  connect(print, &QPushButton::clicked, this, &ClassRankingScreen::print);
  connect(back, &QPushButton::clicked, this, &ClassRankingScreen::goBack);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void ClassRankingScreen::showClassOrder(RankingScreen& ranking) {
  ranking_ = &ranking;
  show();
  fill([this](const std::vector<StudentTable*>& tables) { BuildClassTables(app_.state(), ranking_->table(), tables); });
}

StudentTable& ClassRankingScreen::classTable(int index) { return grids_.at(index)->table(); }

void ClassRankingScreen::fill(const std::function<void(const std::vector<StudentTable*>&)>& build) {
  std::vector<StudentTable*> tables;
  for (GridView* grid : grids_) {
    grid->hide();
    tables.push_back(&grid->table());
  }
  build(tables);
  classes_ = std::min(app_.state().ClassCount, kClassTables);
  for (int i = 0; i < kClassTables; ++i) {
    GridView* grid = grids_[i];
    if (i >= classes_) continue;
    // Tall enough to show the whole class without a scroll bar of its own.
    grid->setFixedHeight(kTitlePixels + kRowPixels * std::max(grid->table().rows() - 1, 0) + kFramePixels);
    grid->show();
  }
}

void ClassRankingScreen::print() {
  std::vector<TablePage> pages;
  for (int i = 0; i < classes_; ++i) pages.push_back({&grids_[i]->table(), ClassHeading(i + 1)});
  if (pages.empty()) {
    app_.dialogs().message(NothingToPrintMessage());
    return;
  }
  BusyScope busy(app_);
  // The pages are those of the ranked table the classes were taken from.
  PrintingScope printing(app_, ranking_ ? PrintingScope::titleOf(*ranking_) : windowTitle());
  PrintTablePages(pages, printing.printer());
}

void ClassRankingScreen::goBack() {
  hide();
  if (ranking_) ranking_->showAgain();
}

void ClassRankingScreen::closeEvent(QCloseEvent* event) {
  event->ignore();
  app_.endProgram();
}

}  // namespace gakunen

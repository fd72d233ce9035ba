#include "screens/evaluation/ranking_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/evaluation/evaluation.h"
#include "model/rules/scores/score_operations.h"
#include "model/rules/scores/score_printing.h"
#include "model/session/shared_state.h"
#include "model/table/printed_tables.h"
#include "model/table/student_table.h"
#include "screens/common/file_sequences.h"
#include "screens/common/printing_scope.h"
#include "ui/screen_printer.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gakunen {

namespace {

QFrame* makePanel(QWidget* parent, const QString& name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  new QVBoxLayout(panel);
  panel->hide();
  return panel;
}

QRadioButton* addOption(QFrame* panel, const QString& name, const QString& caption) {
  auto* option = new QRadioButton(caption, panel);
  option->setObjectName(name);
  panel->layout()->addWidget(option);
  return option;
}

QPushButton* addPanelButton(QFrame* panel, const QString& name) {
  auto* ok = new QPushButton(QStringLiteral("OK"), panel);
  ok->setObjectName(name);
  ok->setToolTip(QStringLiteral("どちらかを選んでからここをクリックしてください"));
  panel->layout()->addWidget(ok);
  return ok;
}

}  // namespace

RankingScreen::RankingScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form5"), QStringLiteral("順位画面"), parent) {
  table().setFixedCols(4);

  auto* evaluate = addButton(QStringLiteral("Command4"), QStringLiteral("評価"), QStringLiteral("評価を出します"));

  scalePanel_ = makePanel(this, QStringLiteral("Frame1"));
  // The blank lines " 5" up with "10".
  five_ = addOption(scalePanel_, QStringLiteral("Option1"), QStringLiteral(" 5段階"));
  ten_ = addOption(scalePanel_, QStringLiteral("Option2"), QStringLiteral("10段階"));
  auto* takeScale = addPanelButton(scalePanel_, QStringLiteral("Command5"));
  buttonColumn()->addWidget(scalePanel_);

  methodPanel_ = makePanel(this, QStringLiteral("Frame2"));
  byPercent_ = addOption(methodPanel_, QStringLiteral("Option3"), QStringLiteral("％で評価"));
  byCount_ = addOption(methodPanel_, QStringLiteral("Option4"), QStringLiteral("人数で評価"));
  auto* takeMethod = addPanelButton(methodPanel_, QStringLiteral("Command6"));
  buttonColumn()->addWidget(methodPanel_);

  auto* classOrder =
      addButton(QStringLiteral("Command7"), QStringLiteral("クラス順"), QStringLiteral("クラス順に並べ替えます"));
  auto* print = addButton(QStringLiteral("Command1"), QStringLiteral("印刷"), QStringLiteral("40人ずつ印刷します"));
  auto* save = addButton(QStringLiteral("Command2"), QStringLiteral("保存"));
  auto* end = addButton(QStringLiteral("Command3"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));

  connect(evaluate, &QPushButton::clicked, this, &RankingScreen::showScalePanel);
  connect(takeScale, &QPushButton::clicked, this, &RankingScreen::takeScale);
  connect(takeMethod, &QPushButton::clicked, this, &RankingScreen::takeMethod);
  connect(classOrder, &QPushButton::clicked, this, &RankingScreen::classOrder);
  connect(print, &QPushButton::clicked, this, &RankingScreen::printFortyPerPage);
  connect(save, &QPushButton::clicked, this, &RankingScreen::save);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void RankingScreen::showScalePanel() {
  // An evaluated table one column too wide could never be saved.
  if (auto refusal = RefuseAnotherColumn(table(), QStringLiteral("評価"))) {
    dialogs().message(*refusal);
    return;
  }
  scalePanel_->show();
}

void RankingScreen::refuseNoChoice() { dialogs().message(QStringLiteral("どちらかを選んでください。")); }

void RankingScreen::takeScale() {
  if (five_->isChecked()) {
    scalePanel_->hide();
    EvaluateFiveByPercent(state(), table(), dialogs());
  } else if (ten_->isChecked()) {
    scalePanel_->hide();
    methodPanel_->show();
  } else {
    refuseNoChoice();
  }
}

void RankingScreen::takeMethod() {
  if (byPercent_->isChecked()) {
    methodPanel_->hide();
    EvaluateTenByPercent(state(), table(), dialogs());
  } else if (byCount_->isChecked()) {
    methodPanel_->hide();
    EvaluateTenByCount(state(), table(), dialogs());
  } else {
    refuseNoChoice();
  }
}

void RankingScreen::showRanking(const StudentTable& scores) {
  BuildRankingTable(state(), scores, table());
  setDocumentPath({});
  show();
}

void RankingScreen::classOrder() {
  hide();
  emit classOrderRequested();
  dialogs().message(
      QStringLiteral("表をスクロールすると、印刷が正常におこなわれません。印刷するときは、スクロールする前に印刷して"
                     "ください。"));
}

void RankingScreen::printFortyPerPage() {
  const auto pages = BuildFortyPerPage(table());
  if (pages.empty()) {
    dialogs().message(NothingToPrintMessage());
    return;
  }
  {
    BusyScope busy(app_);
    setTableVisible(false);
    // The ranks of one page may all be alike: the page is named as a whole,
    // never taken for a class.
    std::vector<TablePage> sheets;
    for (const auto& page : pages) sheets.push_back({page.get(), QStringLiteral("順位表")});
    PrintingScope printing(*this);
    PrintTablePages(sheets, printing.printer());
    setTableVisible(true);
  }
}

void RankingScreen::save() {
  state().ColumnCount = table().cols();
  state().RowCount = table().rows();
  SaveScreenTable(app_, *this);
}

void RankingScreen::showAgain() {
  show();
  setTableVisible(true);
}

}  // namespace gakunen

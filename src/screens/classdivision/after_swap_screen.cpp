#include "screens/classdivision/after_swap_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/classdivision/new_class_work.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/classdivision/new_class_screen.h"
#include "screens/common/file_sequences.h"
#include "ui/grid_view.h"

#include <QPushButton>
#include <QStringList>
#include "screens/common/printing_scope.h"
#include "ui/screen_printer.h"

namespace gakunen {

AfterSwapScreen::AfterSwapScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form17"), QStringLiteral("生徒入れ替え後表示"), parent) {
  auto* printButton =
      addButton(QStringLiteral("Command1"), QStringLiteral("印刷"), QStringLiteral("各クラスごとに印刷をします"));
  auto* saveButton =
      addButton(QStringLiteral("Command3"), QStringLiteral("保存"), QStringLiteral("データを保存します"));
  auto* finishButton =
      addButton(QStringLiteral("Command4"), QStringLiteral("仕上げ"), QStringLiteral("名前順のデータを清書します"));
  auto* backButton = addButton(QStringLiteral("Command5"), QStringLiteral("前に戻る"));
  auto* end = addButton(QStringLiteral("Command2"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));
  for (int i = 0; i < kMaxNewClasses; ++i) {
    auto* grid = new GridView(this);
    grid->setObjectName(QStringLiteral("MSFlexGrid2[%1]").arg(i));
    grid->hide();
    classGrids_[i] = grid;
  }
  connect(printButton, &QPushButton::clicked, this, &AfterSwapScreen::print);
  connect(saveButton, &QPushButton::clicked, this, &AfterSwapScreen::save);
  connect(finishButton, &QPushButton::clicked, this, &AfterSwapScreen::finish);
  connect(backButton, &QPushButton::clicked, this, &AfterSwapScreen::back);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

StudentTable& AfterSwapScreen::classTable(int index) { return classGrids_.at(index)->table(); }

std::array<StudentTable*, kMaxNewClasses> AfterSwapScreen::classTables() {
  std::array<StudentTable*, kMaxNewClasses> tables{};
  for (int i = 0; i < kMaxNewClasses; ++i) tables[i] = &classGrids_[i]->table();
  return tables;
}

void AfterSwapScreen::showRanked(NewClassScreen& display, NewClassOrder order) {
  display_ = &display;
  RankNewClasses(state(), display.table(), order, classTables(), table());
  setDocumentPath({});
  show();
}

void AfterSwapScreen::print() {
  int pages = 0;
  {
    BusyScope busy(app_);
    PrintingScope printing(*this);
    pages = PrintClassTables(printing.printer(), classTables());
  }
  if (pages == 0) dialogs().message(QStringLiteral("印刷する組の表がありません。"));
}

void AfterSwapScreen::save() {
  SharedState& st = state();
  st.ColumnCount = table().cols();
  st.RowCount = table().rows();
  SaveScreenTable(app_, *this);
}

void AfterSwapScreen::finish() {
  NewClassScreen* display = display_;
  if (!display) return;
  hide();
  setTableVisible(false);
  const QList<int> shortClasses =
      MakeCleanCopy(state(), *this, classTables(), display->classTables(), display->table());
  setTableVisible(true);
  display->showCleanCopy();
  if (!shortClasses.isEmpty()) {
    QStringList names;
    for (int k : shortClasses) names << QStringLiteral("%1組").arg(k);
    dialogs().message(QStringLiteral("%1は、一覧の人数が組の表の行数より多いため、組の表にある生徒だけを清書しました。")
                          .arg(names.join(QStringLiteral("、"))));
  }
}

void AfterSwapScreen::back() {
  hide();
  if (display_) display_->show();
}

}  // namespace gakunen

#include "classdivision/add_data_screen.h"

#include "classdivision/column_choice_panel.h"
#include "classdivision/division_screen.h"
#include "classdivision/division_work.h"
#include "core/screens/transfer_dialog.h"
#include "core/shared_state.h"
#include "core/student_table.h"
#include "ui/dialogs.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

AddDataScreen::AddDataScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form14"), QStringLiteral("クラス分けデータ追加画面"), parent) {
  auto* choose =
      addButton(QStringLiteral("Command1"), QStringLiteral("データの抽出"), QStringLiteral("抽出するデータを選びます"));
  panel_ = new ColumnChoicePanel(this);
  buttonColumn()->addWidget(panel_);
  auto* transfer =
      addButton(QStringLiteral("Command2"), QStringLiteral("転入生"), QStringLiteral("転入生を追加します"));

  connect(choose, &QPushButton::clicked, panel_, &QWidget::show);
  connect(panel_->okButton(), &QPushButton::clicked, this, &AddDataScreen::extract);
  connect(transfer, &QPushButton::clicked, this, &AddDataScreen::addTransferStudent);
}

void AddDataScreen::extract() {
  SharedState& st = state();
  const auto column = panel_->chosenColumn(table(), st.ColumnCount, dialogs());
  if (!column) return;
  auto* extract = app_.formAs<AddedExtractScreen>(QStringLiteral("Form15"));
  if (!extract) return;
  hide();
  ExtractColumn(table(), st.RowCount, *column, extract->table());
  extract->show();
  panel_->show();
}

void AddDataScreen::addTransferStudent() {
  state().ModeCode = 8;
  dialogs().message(QStringLiteral("スクロールして転入生の出席番号を確認してください。"));
  ShowTransferDialog(app_, *this);
}

AddedExtractScreen::AddedExtractScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form15"), QStringLiteral("クラス分け追加データ抽出画面"), parent) {
  auto* add = addButton(QStringLiteral("Command1"), QStringLiteral("データの追加"),
                        QStringLiteral("抽出したデータを元のデータに追加します"));
  connect(add, &QPushButton::clicked, this, &AddedExtractScreen::append);
}

void AddedExtractScreen::append() {
  auto* division = app_.formAs<DivisionScreen>(QStringLiteral("Form13"));
  if (!division) return;
  hide();
  // Rows are paired by position only: a different number of students means
  // the two files do not list the same students, and the teacher must know.
  if (auto warning = RowMismatchMessage(table().rows(), division->table().rows())) dialogs().message(*warning);
  division->setTableVisible(false);
  AppendExtractedColumn(state(), division->table(), table());
  division->setTableVisible(true);
  division->testAppended();
  division->show();
}

}  // namespace gakunen

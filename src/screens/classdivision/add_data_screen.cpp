#include "screens/classdivision/add_data_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/classdivision/division_work.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/classdivision/column_choice_panel.h"
#include "screens/common/file_sequences.h"
#include "screens/common/transfer_dialog.h"

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

void AddDataScreen::openAddedTest(const QString& path, QWidget& division) {
  if (!LoadIntoScreen(app_, *this, path)) return;
  table().setFixedCols(3);
  division.hide();
  show();
  dialogs().message(QStringLiteral("転入生があれば、必ず追加しておいてください。"));
}

void AddDataScreen::extract() {
  const auto column = panel_->chosenColumn(table(), state().ColumnCount, dialogs());
  if (!column) return;
  hide();
  emit columnChosen(*column);
  panel_->show();
}

void AddDataScreen::addTransferStudent() {
  state().ModeCode = ModeCode::TransferIntoAddedTest;
  dialogs().message(QStringLiteral("スクロールして転入生の出席番号を確認してください。"));
  ShowTransferDialog(app_, *this);
}

AddedExtractScreen::AddedExtractScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form15"), QStringLiteral("クラス分け追加データ抽出画面"), parent) {
  auto* add = addButton(QStringLiteral("Command1"), QStringLiteral("データの追加"),
                        QStringLiteral("抽出したデータを元のデータに追加します"));
  connect(add, &QPushButton::clicked, this, &AddedExtractScreen::append);
}

void AddedExtractScreen::showExtract(const StudentTable& test, int column) {
  ExtractColumn(test, state().RowCount, column, table());
  setDocumentPath({});
  show();
}

void AddedExtractScreen::append() {
  hide();
  emit appendRequested();
}

}  // namespace gakunen

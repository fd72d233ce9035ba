#include "screens/classdivision/base_data_screen.h"

#include "model/ports/dialogs.h"
#include "model/session/shared_state.h"
#include "screens/classdivision/column_choice_panel.h"
#include "screens/common/transfer_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

BaseDataScreen::BaseDataScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form12"), QStringLiteral("クラス分け画面"), parent) {
  auto* choose = addButton(QStringLiteral("Command1"), QStringLiteral("データの抽出"),
                           QStringLiteral("クラス分けする基準の列を選びます"));
  panel_ = new ColumnChoicePanel(this);
  buttonColumn()->addWidget(panel_);
  auto* transfer = addButton(QStringLiteral("Command4"), QStringLiteral("転入生"),
                             QStringLiteral("転入生がいたら追加しておいてください"));
  addReturnToMenuButton();
  auto* end = addButton(QStringLiteral("Command2"), QStringLiteral("終了"));

  connect(choose, &QPushButton::clicked, panel_, &QWidget::show);
  connect(panel_->okButton(), &QPushButton::clicked, this, &BaseDataScreen::extract);
  connect(transfer, &QPushButton::clicked, this, &BaseDataScreen::addTransferStudent);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void BaseDataScreen::startAfresh() { panel_->hide(); }

void BaseDataScreen::extract() {
  SharedState& st = state();
  // Without a basis column there is nothing to divide on: stay here.
  const auto basis = panel_->chosenColumn(table(), st.ColumnCount, dialogs());
  if (!basis) return;
  hide();
  emit basisChosen(*basis);
  panel_->show();
}

void BaseDataScreen::addTransferStudent() {
  state().ModeCode = ModeCode::TransferIntoDivisionBase;
  dialogs().message(QStringLiteral("スクロールして転入生の出席番号を確認してください。"));
  ShowTransferDialog(app_, *this);
}

}  // namespace gakunen

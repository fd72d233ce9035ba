#include "screens/subjectfiles/subject_file_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/subjectfiles/subject_columns.h"
#include "model/rules/subjectfiles/test_column_names.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/file_sequences.h"
#include "screens/common/transfer_dialog.h"

#include <QPushButton>

namespace gakunen {

SubjectFileScreen::SubjectFileScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form7"), QStringLiteral("教科選択画面"), parent),
      testNames_(subjectfiles::kTestNameSlots, QString()) {
  auto* save = addButton(QStringLiteral("Command1"), QStringLiteral("保存"), QStringLiteral("データを保存します"));
  auto* transfer =
      addButton(QStringLiteral("Command2"), QStringLiteral("転入生"), QStringLiteral("転入生がいたら追加してください"));
  auto* addData = addButton(QStringLiteral("Command3"), QStringLiteral("データの追加"),
                            QStringLiteral("別のテストから特定の教科のデータを抽出します"));
  auto* rename = addButton(QStringLiteral("Command5"), QStringLiteral("列名変更"),
                           QStringLiteral("テスト名を入力します。漢数字を使用してください。"));
  auto* viewpoints = addButton(QStringLiteral("ViewpointButton"), QStringLiteral("観点別評価"),
                               QStringLiteral("三つの観点の評価と評定を出します"));
  addReturnToMenuButton();
  auto* end = addButton(QStringLiteral("Command4"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));

  connect(save, &QPushButton::clicked, this, &SubjectFileScreen::save);
  connect(transfer, &QPushButton::clicked, this, &SubjectFileScreen::addTransferStudent);
  connect(addData, &QPushButton::clicked, this, &SubjectFileScreen::addDataFromAnotherTest);
  connect(rename, &QPushButton::clicked, this, [this] {
    subjectfiles::RenameTestColumn(dialogs(), table(), testNames_, subjectfiles::EmptyTestName::KeepTitle);
  });
  connect(viewpoints, &QPushButton::clicked, this, &SubjectFileScreen::viewpointsRequested);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void SubjectFileScreen::startAfresh() { testNames_.fill(QString()); }

void SubjectFileScreen::showSubjectOf(const StudentTable& test, int column) {
  startAfresh();
  subjectfiles::BuildSubjectTable(test, column, table());
  // A new table, in no file yet: nothing of the file shown before applies to it.
  setDocumentPath({});
  emit documentOpened({});
  setTableVisible(true);
  show();
}

void SubjectFileScreen::save() {
  SharedState& st = state();
  // The subject table's own columns, whatever an earlier screen left in
  // ColumnCount; and all its rows, since after an addition RowCount still
  // describes the other test file.
  st.ColumnCount = st.BaseColumnCount;
  st.RowCount = table().rows();
  SaveScreenTable(app_, *this);
}

void SubjectFileScreen::addTransferStudent() {
  // The insertion searches the rows RowCount names; after an addition it
  // still describes the other test file.
  state().RowCount = table().rows();
  state().ModeCode = ModeCode::TransferIntoSubjectFile;
  dialogs().message(QStringLiteral("スクロールして転入生の出席番号を確認してください。"));
  ShowTransferDialog(app_, *this);
}

void SubjectFileScreen::addDataFromAnotherTest() {
  if (table().cols() >= subjectfiles::kMaxTableColumns) {
    dialogs().message(subjectfiles::ColumnLimitMessage());
    return;
  }
  dialogs().message(QStringLiteral("追加するテストのファイルを開いてください。"));
  setTableVisible(false);
  const QString path = ShowOpenDataDialog(app_, *this, FileDialogSettings::dataFiles());
  if (!path.isEmpty()) emit otherTestChosen(path);
  setTableVisible(true);
}

}  // namespace gakunen

#include "screens/classdivision/division_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/classdivision/division_work.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/file_sequences.h"

#include <QPushButton>

namespace gakunen {

DivisionScreen::DivisionScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form13"), QStringLiteral("クラス分け抽出画面"), parent) {
  struct ButtonText {
    int number;
    const char16_t* caption;
    const char16_t* tooltip;
  };
  static const ButtonText texts[] = {
      {1, u"列名変更", u"列名を変更します"},
      {2, u"データの追加", u"クラス分けのために別のデータを追加します"},
      {3, u"集計", u"合計点を計算します"},
      {4, u"並べ替え", u"合計点を基準に並べ替えます"},
      {5, u"クラス分け", u"合計点を基準にクラス分けをします"},
      {6, u"新クラス順", u"クラス分けした新クラスで並べ替えます"},
      {9, u"新クラス     成績順表示", u"新クラスで成績順に並べ替えます"},
      {7, u"保存", u"データを保存します"},
      {8, u"終了", u"プログラムを終了します"},
  };
  for (const ButtonText& t : texts)
    buttons_[t.number] = addButton(QStringLiteral("Command%1").arg(t.number), QString::fromUtf16(t.caption),
                                   QString::fromUtf16(t.tooltip));

  connect(button(1), &QPushButton::clicked, this, &DivisionScreen::renameTest);
  connect(button(2), &QPushButton::clicked, this, &DivisionScreen::addData);
  connect(button(3), &QPushButton::clicked, this, &DivisionScreen::addTotals);
  connect(button(4), &QPushButton::clicked, this, &DivisionScreen::rank);
  connect(button(5), &QPushButton::clicked, this, &DivisionScreen::deal);
  connect(button(6), &QPushButton::clicked, this, &DivisionScreen::group);
  connect(button(9), &QPushButton::clicked, this, &DivisionScreen::showClassList);
  connect(button(7), &QPushButton::clicked, this, &DivisionScreen::save);
  connect(button(8), &QPushButton::clicked, this, [this] { app_.endProgram(); });
  startSteps();
}

QPushButton* DivisionScreen::button(int number) const { return buttons_[number]; }

void DivisionScreen::startFrom(const StudentTable& base, int column) {
  SharedState& st = state();
  ExtractColumn(base, st.RowCount, column, table());
  setDocumentPath({});
  // Class, number, name, the basis column and the conditions the file has.
  st.BaseColumnCount = table().cols();
  startSteps();
  show();
}

void DivisionScreen::appendExtract(const StudentTable& extract) {
  // Rows are paired by position only: a different number of students means
  // the two files do not list the same students, and the teacher must know.
  if (auto warning = RowMismatchMessage(extract.rows(), table().rows())) dialogs().message(*warning);
  setTableVisible(false);
  const auto refused = AppendExtractedColumn(state(), table(), extract);
  setTableVisible(true);
  if (refused) dialogs().message(*refused);
  ++testColumns_;
  show();
}

void DivisionScreen::startSteps() {
  testColumns_ = 1;
  for (int n : {1, 2, 3, 7, 8}) button(n)->setEnabled(true);
  for (int n : {4, 5, 6, 9}) button(n)->setEnabled(false);
}

void DivisionScreen::renameTest() {
  Dialogs& d = dialogs();
  const QString number = d.input(QStringLiteral("いくつめのテストの名前を変更しますか？"));
  if (number.isEmpty()) return;
  const RenameTarget target = FindRenameColumn(number, testColumns_);
  if (target.column < 0) {
    d.message(target.refusal);
    return;
  }
  d.message(QStringLiteral("2文字で入力してください。"));
  d.message(QStringLiteral("漢数字を使用してください。"));
  // Only the one name just typed is ever kept.
  QStringList TestNames(20);
  const int k = target.column - 2;
  TestNames[k - 1] = d.input(QString::number(k) + QStringLiteral("番目のテストの名前を入力してください。"));
  const QString& title = TestNames[k - 1];
  if (title.isEmpty()) return;
  if (auto why = CheckTestTitle(title)) {
    d.message(*why);
    return;
  }
  table().setText(0, target.column, title);
}

void DivisionScreen::addData() {
  dialogs().message(QStringLiteral("追加するテストのファイルを開いてください。"));
  const QString path = ShowOpenDataDialog(app_, *this, FileDialogSettings::dataFiles());
  if (path.isEmpty()) return;
  emit addedTestChosen(path);
}

void DivisionScreen::addTotals() {
  setTableVisible(false);
  AddTotalColumn(state(), table());
  setTableVisible(true);
  button(4)->setEnabled(true);
  button(3)->setEnabled(false);
  button(2)->setEnabled(false);
}

void DivisionScreen::rank() {
  setTableVisible(false);
  RankByLastColumn(state(), table());
  setTableVisible(true);
  button(5)->setEnabled(true);
  button(4)->setEnabled(false);
}

void DivisionScreen::deal() {
  const QString answer = dialogs().input(QStringLiteral("何クラスに分けますか？"));
  if (answer.isEmpty()) return;
  QString refusal;
  const auto n = ReadNewClassCount(answer, &refusal);
  if (!n) {
    dialogs().message(refusal);
    return;
  }
  setTableVisible(false);
  DealToClasses(state(), table(), *n);
  setTableVisible(true);
  button(6)->setEnabled(true);
  button(5)->setEnabled(false);
}

void DivisionScreen::group() {
  setTableVisible(false);
  GroupByNewClass(state(), table());
  setTableVisible(true);
  button(9)->setEnabled(true);
  button(6)->setEnabled(false);
}

void DivisionScreen::showClassList() {
  BusyScope busy(app_);
  hide();
  emit classListRequested();
}

void DivisionScreen::save() {
  SharedState& st = state();
  st.ColumnCount = st.BaseColumnCount;
  st.RowCount = table().rows();
  SaveScreenTable(app_, *this);
}

}  // namespace gakunen

#include "screens/classdivision/new_class_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/classdivision/balance_report.h"
#include "model/session/shared_state.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"
#include "screens/common/entry_cursor.h"
#include "screens/common/file_sequences.h"
#include "screens/common/start_position.h"
#include "ui/grid_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QVBoxLayout>
#include "screens/common/printing_scope.h"
#include "ui/screen_printer.h"

namespace gakunen {

namespace {

// Where the three questions of a move stand on the screen, in twips.
const QPoint kMovePromptAt(5000, 3000);

}  // namespace

NewClassScreen::NewClassScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form16"), QStringLiteral("新クラス表示画面"), parent) {
  report_ = new GridView(this);
  report_->setObjectName(QStringLiteral("BalanceReport"));
  report_->setToolTip(
      QStringLiteral("新組ごとの人数、男女、配慮、合計の平均、旧クラスごとの人数です。"
                     "＊は目標から外れている数です"));
  report_->setMinimumWidth(280);
  // The report shares the width with the list: with 15 old classes it is
  // as wide as the list itself.
  mainLayout()->insertWidget(1, report_, 1);

  print_ = addButton(QStringLiteral("Command1"), QStringLiteral("印刷"), QStringLiteral("印刷します"));
  auto* saveButton =
      addButton(QStringLiteral("Command3"), QStringLiteral("保存"), QStringLiteral("データを保存します"));
  end_ = addButton(QStringLiteral("Command2"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));
  auto* move = addButton(QStringLiteral("Command4"), QStringLiteral("   生徒の       入れ替え"),
                         QStringLiteral("生徒を別のクラスに入れ替えます"));
  auto* regroupButton = addButton(QStringLiteral("Command5"), QStringLiteral("組並べ替え"),
                                  QStringLiteral("生徒の入れ替え後、組順に並べ替えます"));
  byTotal_ = addButton(QStringLiteral("Command6"), QStringLiteral(" 新クラス      成績順"),
                       QStringLiteral("新クラスを成績順に表示します"));
  byTotal_->setEnabled(false);
  auto* readings = addButton(QStringLiteral("Command7"), QStringLiteral("ふりがな"),
                             QStringLiteral("名前順に並べ替えるとき、ふりがなを付けます"));
  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("Text1"));
  // Readings are typed in hiragana with the input method on; which of its
  // modes comes up is the input method's own choice.
  entry_->setAttribute(Qt::WA_InputMethodEnabled, true);
  entry_->setInputMethodHints(Qt::ImhNone);
  entry_->setMinimumWidth(160);
  entryLabel_ = addLabelledEntry(entry_, QStringLiteral("ふりがな"));
  cursor_ = new EntryCursor(
      *this, *entry_, [this] { return entryColumn(); }, [this](int row) { return row >= 1 && row < table().rows(); });
  connect(cursor_, &EntryCursor::positioned, this, [this] { setEntryEnabled(true); });
  ok_ = addButton(QStringLiteral("Command8"), QStringLiteral("OK"),
                  QStringLiteral("テキストボックスのデータを表に入れます"));
  // Return in Text1 already stores the reading; it must not press OK as well.
  ok_->setAutoDefault(false);
  setEntryEnabled(false);
  auto* byReading = addButton(QStringLiteral("Command9"), QStringLiteral("新クラス   氏名順"),
                              QStringLiteral("ふりがなを付けてから、新クラスを名前順に並べ替えます"));
  auto* conditions = addButton(QStringLiteral("ConditionsButton"), QStringLiteral("条件入力"),
                               QStringLiteral("性別、配慮、離す生徒を一人ずつ入力します"));
  auto* balanceButton = addButton(QStringLiteral("BalanceButton"), QStringLiteral("バランス調整"),
                                  QStringLiteral("生徒を入れ替えて、男女、配慮、旧クラス、成績のバランスをとります"));
  addReturnToMenuButton();

  for (int i = 0; i < kMaxNewClasses; ++i) {
    auto* grid = new GridView(this);
    grid->setObjectName(QStringLiteral("MSFlexGrid2[%1]").arg(i));
    grid->hide();
    classGrids_[i] = grid;
  }

  connect(print_, &QPushButton::clicked, this, &NewClassScreen::print);
  connect(saveButton, &QPushButton::clicked, this, &NewClassScreen::save);
  connect(end_, &QPushButton::clicked, this, [this] { app_.endProgram(); });
  connect(move, &QPushButton::clicked, this, &NewClassScreen::moveStudent);
  connect(regroupButton, &QPushButton::clicked, this, &NewClassScreen::regroup);
  connect(byTotal_, &QPushButton::clicked, this, [this] { showInOrder(NewClassOrder::ByTotal); });
  connect(readings, &QPushButton::clicked, this, &NewClassScreen::startReadings);
  connect(entry_, &QLineEdit::returnPressed, this, &NewClassScreen::enterReading);
  connect(ok_, &QPushButton::clicked, this, &NewClassScreen::enterReading);
  connect(byReading, &QPushButton::clicked, this, [this] { showInOrder(NewClassOrder::ByReading); });
  connect(conditions, &QPushButton::clicked, this, &NewClassScreen::startConditions);
  connect(balanceButton, &QPushButton::clicked, this, &NewClassScreen::balance);

  StudentTable& list = table();
  connect(&list, &StudentTable::reset, this, &NewClassScreen::refreshSummary);
  connect(&list, &StudentTable::cellChanged, this, [this](int, int col) {
    using namespace class_list;
    // Readings count for nothing here, but the conditions may stand in
    // their place when the list has none.
    if (col != kNumber && col != kName && !(col == kReading && HasReadingColumn(table()))) refreshSummary();
  });
  refreshSummary();
}

StudentTable& NewClassScreen::classTable(int index) { return classGrids_.at(index)->table(); }

std::array<StudentTable*, kMaxNewClasses> NewClassScreen::classTables() {
  std::array<StudentTable*, kMaxNewClasses> tables{};
  for (int i = 0; i < kMaxNewClasses; ++i) tables[i] = &classGrids_[i]->table();
  return tables;
}

StudentTable& NewClassScreen::balanceReport() { return report_->table(); }

void NewClassScreen::showClassList(const StudentTable& division) {
  BuildClassList(state(), division, classTables(), table());
  forgetHandMoves();
  setDocumentPath({});
  enablePrinting();
  show();
}

void NewClassScreen::enablePrinting() { print_->setEnabled(true); }

void NewClassScreen::startWithLoadedList() {
  for (GridView* grid : classGrids_) grid->table().assign(0, 0, {});
  forgetHandMoves();
  print_->setEnabled(false);
  byTotal_->setEnabled(false);
  setEntryEnabled(false);
}

void NewClassScreen::showCleanCopy() {
  // The rows the readings were being typed into are gone.
  setEntryEnabled(false);
  forgetHandMoves();
  setDocumentPath({});
  enablePrinting();
  show();
}

void NewClassScreen::setEntryEnabled(bool on) {
  if (!on) entry_->clear();
  entry_->setEnabled(on);
  ok_->setEnabled(on);
}

void NewClassScreen::refreshSummary() { FillBalanceReport(table(), report_->table()); }

void NewClassScreen::forgetHandMoves() {
  handMoved_.clear();
  balanced_ = false;
}

void NewClassScreen::print() {
  int pages = 0;
  {
    BusyScope busy(app_);
    // The report goes with the lists once there is balance to show.
    const bool withReport = balanced_ || ListConditionColumns(table()).count() > 0;
    PrintingScope printing(*this);
    pages = PrintClassTables(printing.printer(), classTables(), withReport ? &report_->table() : nullptr);
  }
  if (pages == 0) dialogs().message(QStringLiteral("印刷する組の表がありません。"));
}

void NewClassScreen::save() {
  SharedState& st = state();
  st.ColumnCount = ClassListSaveColumns(table());
  st.RowCount = table().rows();
  SaveScreenTable(app_, *this);
}

void NewClassScreen::moveStudent() {
  Dialogs& d = dialogs();
  const QString classAnswer = d.input(QStringLiteral("入れ替える生徒のクラスは何組ですか？"),
                                      QStringLiteral("入れ替え生徒組番号"), kMovePromptAt);
  if (classAnswer.isEmpty()) return;
  const QString numberAnswer = d.input(QStringLiteral("入れ替える生徒の出席番号は何番ですか？"),
                                       QStringLiteral("入れ替え生徒出席番号"), kMovePromptAt);
  if (numberAnswer.isEmpty()) return;
  const QString targetAnswer =
      d.input(QStringLiteral("何組に入れますか？"), QStringLiteral("入れ替え生徒組番号"), kMovePromptAt);
  if (targetAnswer.isEmpty()) return;

  setTableVisible(false);
  const MoveOutcome outcome = MoveStudent(table(), classAnswer, numberAnswer, targetAnswer);
  setTableVisible(true);
  if (outcome.row < 0) {
    d.message(outcome.refusal);
    return;
  }
  grid()->showRow(outcome.row);
  handMoved_.insert(StudentKey(table(), outcome.row));
  // The class tables no longer match the list.
  print_->setEnabled(false);
}

void NewClassScreen::regroup() {
  setTableVisible(false);
  RegroupByClass(state(), *this);
  setTableVisible(true);
  // Rows moved: a reading typed next would land on another student.
  setEntryEnabled(false);
  byTotal_->setEnabled(true);
}

void NewClassScreen::startReadings() {
  setTableVisible(false);
  const auto refusal = PrepareReadingColumn(state(), *this);
  setTableVisible(true);
  if (refusal) {
    dialogs().message(*refusal);
    return;
  }
  setEntryEnabled(false);
  entryCondition_.reset();
  entryLabel_->setText(QStringLiteral("ふりがな"));
  if (!AskStartPosition(app_, *this, *entry_, *end_)) return;
  setEntryEnabled(true);
  cursor_->show();
}

int NewClassScreen::entryColumn() {
  if (entryCondition_) return ListConditionColumns(table())[*entryCondition_];
  return HasReadingColumn(table()) ? int(class_list::kReading) : -1;
}

void NewClassScreen::startConditions() {
  Dialogs& d = dialogs();
  const QString answer = d.input(QStringLiteral("入力する条件の番号を入力してください。（1 性別、2 配慮、3 離す）"));
  if (answer.isEmpty()) return;
  const auto number = ReadWholeAnswer(answer);
  if (!number || *number < 1 || *number > kConditionCount) {
    d.message(QStringLiteral("「%1」は条件の番号として読めません。1から3までで入力してください。").arg(answer));
    return;
  }
  const auto condition = static_cast<Condition>(*number - 1);
  setTableVisible(false);
  const ConditionColumnOutcome outcome = PrepareConditionColumn(state(), *this, condition);
  setTableVisible(true);
  if (outcome.column < 0) {
    d.message(outcome.refusal);
    return;
  }
  setEntryEnabled(false);
  entryCondition_ = condition;
  // The box takes the condition now: its label says which.
  entryLabel_->setText(ConditionTitle(condition));
  if (!AskStartPosition(app_, *this, *entry_, *end_)) return;
  setEntryEnabled(true);
  cursor_->show();
}

void NewClassScreen::enterReading() {
  // Without a start position CurrentRow still points at an earlier row.
  if (!entry_->isEnabled()) return;
  const QString text = entry_->text();
  ReadingStep step = ReadingStep::NoRow;
  if (entryCondition_) {
    if (const auto refusal = CheckConditionValue(*entryCondition_, text)) {
      dialogs().message(*refusal);
      entry_->selectAll();
      entry_->setFocus();
      return;
    }
    const int column = entryColumn();
    step = cursor_->store([&] { return EnterIntoColumn(state(), table(), column, text.trimmed()); });
  } else {
    step = cursor_->store([&] { return EnterReading(state(), table(), text); });
  }
  switch (step) {
    case ReadingStep::Next:
      cursor_->show();
      return;
    case ReadingStep::Finished:
      dialogs().message(entryCondition_ ? QStringLiteral("条件入力が終わりました。まず、保存してください。")
                                        : QStringLiteral("ふりがな入力が終わりました。まず、保存してください。"));
      break;
    case ReadingStep::NoRow:
      dialogs().message(
          entryCondition_
              ? QStringLiteral("条件を入れる行がありません。「条件入力」で入力する位置を選んでください。")
              : QStringLiteral("ふりがなを入れる行がありません。「ふりがな」で入力する位置を選んでください。"));
      break;
  }
  setEntryEnabled(false);
  grid()->setCurrentCell(-1, -1);
}

void NewClassScreen::balance() {
  if (const auto refusal = CheckBalance(table())) {
    dialogs().message(*refusal);
    return;
  }
  QStringList unmet;
  {
    BusyScope busy(app_);
    setTableVisible(false);
    unmet = BalanceClassList(state(), *this, handMoved_, classTables());
    setTableVisible(true);
  }
  // Rows moved: a reading typed next would land on another student.
  setEntryEnabled(false);
  balanced_ = true;
  enablePrinting();
  byTotal_->setEnabled(true);
  dialogs().message(BalanceMessage(unmet));
}

void NewClassScreen::showInOrder(NewClassOrder order) {
  if (const auto refusal = CheckNewClassOrder(table(), order)) {
    dialogs().message(*refusal);
    return;
  }
  BusyScope busy(app_);
  hide();
  emit orderRequested(order);
}

}  // namespace gakunen

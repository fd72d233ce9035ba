#include "screens/classdivision/new_class_screen.h"

#include "model/ports/dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/file_sequences.h"
#include "screens/common/start_position.h"
#include "ui/grid_view.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QVBoxLayout>
#include "ui/screen_printer.h"

namespace gakunen {

namespace {

// Where the three questions of a move stand on the screen, in twips.
const QPoint kMovePromptAt(5000, 3000);

}  // namespace

NewClassScreen::NewClassScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form16"), QStringLiteral("新クラス表示画面"), parent) {
  summary_ = new GridView(this);
  summary_->setObjectName(QStringLiteral("ClassSummary"));
  summary_->setToolTip(QStringLiteral("新クラスごとの人数、合計の平均、旧クラスごとの人数です"));
  summary_->setMinimumWidth(280);
  summary_->setMaximumWidth(420);
  mainLayout()->insertWidget(1, summary_);

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
  addLabelledEntry(entry_, QStringLiteral("ふりがな"));
  ok_ = addButton(QStringLiteral("Command8"), QStringLiteral("OK"),
                  QStringLiteral("テキストボックスのデータを表に入れます"));
  // Return in Text1 already stores the reading; it must not press OK as well.
  ok_->setAutoDefault(false);
  setEntryEnabled(false);
  auto* byReading = addButton(QStringLiteral("Command9"), QStringLiteral("新クラス   氏名順"),
                              QStringLiteral("ふりがなを付けてから、新クラスを名前順に並べ替えます"));
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

  StudentTable& list = table();
  connect(&list, &StudentTable::reset, this, &NewClassScreen::refreshSummary);
  connect(&list, &StudentTable::cellChanged, this, [this](int, int col) {
    using namespace class_list;
    if (col == kClass || col == kTotal || col == kOldClass) refreshSummary();
  });
  refreshSummary();
}

StudentTable& NewClassScreen::classTable(int index) { return classGrids_.at(index)->table(); }

std::array<StudentTable*, kMaxNewClasses> NewClassScreen::classTables() {
  std::array<StudentTable*, kMaxNewClasses> tables{};
  for (int i = 0; i < kMaxNewClasses; ++i) tables[i] = &classGrids_[i]->table();
  return tables;
}

StudentTable& NewClassScreen::summary() { return summary_->table(); }

void NewClassScreen::showClassList(const StudentTable& division) {
  BuildClassList(state(), division, classTables(), table());
  setDocumentPath({});
  enablePrinting();
  show();
}

void NewClassScreen::enablePrinting() { print_->setEnabled(true); }

void NewClassScreen::startWithLoadedList() {
  for (GridView* grid : classGrids_) grid->table().assign(0, 0, {});
  print_->setEnabled(false);
  byTotal_->setEnabled(false);
  setEntryEnabled(false);
}

void NewClassScreen::showCleanCopy() {
  // The rows the readings were being typed into are gone.
  setEntryEnabled(false);
  setDocumentPath({});
  enablePrinting();
  show();
}

void NewClassScreen::setEntryEnabled(bool on) {
  if (!on) entry_->clear();
  entry_->setEnabled(on);
  ok_->setEnabled(on);
}

void NewClassScreen::refreshSummary() { SummarizeNewClasses(table(), summary_->table()); }

void NewClassScreen::print() {
  int pages = 0;
  {
    BusyScope busy(app_);
    pages = PrintClassTables(app_.printer(), classTables());
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
  if (!AskStartPosition(app_, *this, *entry_, *end_)) return;
  setEntryEnabled(true);
  grid()->setCurrentCell(state().CurrentRow, class_list::kReading);
  entry_->setFocus();
}

void NewClassScreen::enterReading() {
  // Without a start position CurrentRow still points at an earlier row.
  if (!entry_->isEnabled()) return;
  switch (EnterReading(state(), table(), entry_->text())) {
    case ReadingStep::Next:
      entry_->clear();
      entry_->setFocus();
      grid()->setCurrentCell(state().CurrentRow, class_list::kReading);
      return;
    case ReadingStep::Finished:
      dialogs().message(QStringLiteral("ふりがな入力が終わりました。まず、保存してください。"));
      break;
    case ReadingStep::NoRow:
      dialogs().message(QStringLiteral("ふりがなを入れる行がありません。「ふりがな」で入力する位置を選んでください。"));
      break;
  }
  setEntryEnabled(false);
  grid()->setCurrentCell(-1, -1);
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

#include "screens/scores/score_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/scores/score_operations.h"
#include "model/session/shared_state.h"
#include "model/table/score_reading.h"
#include "model/table/student_table.h"
#include "screens/common/entry_cursor.h"
#include "screens/common/file_sequences.h"
#include "screens/common/start_position.h"
#include "ui/grid_view.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gakunen {

namespace {

// The table stays out of sight while an operation rewrites it.
class TableHidden {
 public:
  explicit TableHidden(Screen& screen) : screen_(screen) { screen_.setTableVisible(false); }
  ~TableHidden() { screen_.setTableVisible(true); }
  TableHidden(const TableHidden&) = delete;
  TableHidden& operator=(const TableHidden&) = delete;

 private:
  Screen& screen_;
};

}  // namespace

ScoreScreen::ScoreScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form3"), QStringLiteral("点数入力画面"), parent) {
  auto add = [this](int number, const QString& caption, const QString& tooltip = {}) {
    return buttons_[number] = addButton(QStringLiteral("Command%1").arg(number), caption, tooltip);
  };
  auto* chooseTests =
      add(1, QStringLiteral("テスト教科選択"), QStringLiteral("氏名だけのデータにテストをする教科を追加します"));
  auto* chooseSubject = add(2, QStringLiteral("点数入力教科選択"), QStringLiteral("点数を入力する教科を選びます"));
  auto* startEntry = add(4, QStringLiteral("点数入力"), QStringLiteral("点数を入力します"));
  startEntry->setEnabled(false);

  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("Text1"));
  entry_->setToolTip(QStringLiteral("ここに点数を入力してください"));
  entry_->setEnabled(false);
  // Scores are typed directly in half-width characters: no input method.
  entry_->setAttribute(Qt::WA_InputMethodEnabled, false);
  entry_->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
  entry_->installEventFilter(this);
  addLabelledEntry(entry_, QStringLiteral("点数"));
  cursor_ = new EntryCursor(
      *this, *entry_, [this] { return HasEntryColumn(state(), table()) ? state().EntryColumn : -1; },
      [this](int row) { return IsStudentRow(table(), row); });
  cursor_->keepDigitsHalfWidth();
  connect(cursor_, &EntryCursor::positioned, this, [this] { entryPositionChosen_ = true; });
  grid()->setCellNotes([this](int row, int col) {
    return IsScoreCell(table(), row, col) ? ScoreNote(table().text(row, col)) : QString();
  });

  auto* ok =
      add(3, QStringLiteral("OK"), QStringLiteral("テキストボックスの点数を表に入れます。｢リターン｣キーでもできます"));
  ok->setEnabled(false);
  auto* totals = add(5, QStringLiteral("集計"), QStringLiteral("各生徒の合計点を計算します"));
  auto* averages = add(6, QStringLiteral("生徒平均"), QStringLiteral("各生徒の平均点を計算します"));
  averages->setEnabled(false);
  auto* sort = add(9, QStringLiteral("並べ替え"), QStringLiteral("合計点の順に並べ替えます"));
  sort->setEnabled(false);
  auto* rank = add(10, QStringLiteral("順位付け"), QStringLiteral("並べ替えたデータを整理します"));
  rank->setEnabled(false);
  add(8, QStringLiteral("学年平均"), QStringLiteral("表の最後に学年・各クラスの平均などを表示します"))
      ->setEnabled(false);
  add(13, QStringLiteral("度数分布"), QStringLiteral("合計したデータの度数分布を調べます"))->setEnabled(false);
  add(15, QStringLiteral("度数分布グラフ"))->setEnabled(false);
  add(7, QStringLiteral("印刷"), QStringLiteral("クラスごと、または、順位ごとに印刷します"));
  auto* save = add(11, QStringLiteral("保存"), QStringLiteral("データを保存します"));
  addReturnToMenuButton();
  auto* end = add(12, QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("ScoreNotice"));
  notice_->setWordWrap(true);
  notice_->setMaximumWidth(buttons_[2]->sizeHint().width() + 40);
  buttonColumn()->addWidget(notice_);

  // The subject choice panel, beside the buttons, hidden until asked for.
  subjectPanel_ = new QFrame(this);
  subjectPanel_->setObjectName(QStringLiteral("Frame1"));
  subjectPanel_->setFrameShape(QFrame::StyledPanel);
  auto* panelLayout = new QVBoxLayout(subjectPanel_);
  auto* prompt = new QLabel(QStringLiteral("入力する教科を選んでください"), subjectPanel_);
  prompt->setObjectName(QStringLiteral("Label1"));
  panelLayout->addWidget(prompt);
  subjectOptions_ = new QButtonGroup(this);
  subjectOptions_->setExclusive(true);
  const QStringList& subjects = SubjectNames();
  for (int i = 0; i < subjects.size(); ++i) {
    auto* option = new QRadioButton(subjects[i], subjectPanel_);
    option->setObjectName(QStringLiteral("Option1[%1]").arg(i));
    subjectOptions_->addButton(option, i);
    panelLayout->addWidget(option);
  }
  auto* takeSubject = buttons_[14] = new QPushButton(QStringLiteral("OK"), subjectPanel_);
  takeSubject->setObjectName(QStringLiteral("Command14"));
  takeSubject->setToolTip(QStringLiteral("教科を選んだらここをクリックしてください"));
  panelLayout->addWidget(takeSubject);
  panelLayout->addStretch();
  subjectPanel_->hide();
  mainLayout()->insertWidget(1, subjectPanel_);

  connect(chooseTests, &QPushButton::clicked, this, &ScoreScreen::openSubjectSelection);
  connect(chooseSubject, &QPushButton::clicked, this, &ScoreScreen::showSubjectPanel);
  connect(takeSubject, &QPushButton::clicked, this, &ScoreScreen::takeSubjectChoice);
  connect(startEntry, &QPushButton::clicked, this, &ScoreScreen::startEntry);
  connect(ok, &QPushButton::clicked, this, &ScoreScreen::confirmEntry);
  connect(totals, &QPushButton::clicked, this, &ScoreScreen::totals);
  connect(averages, &QPushButton::clicked, this, &ScoreScreen::averages);
  connect(sort, &QPushButton::clicked, this, &ScoreScreen::sortRows);
  connect(rank, &QPushButton::clicked, this, &ScoreScreen::rank);
  connect(save, &QPushButton::clicked, this, &ScoreScreen::save);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
  connect(button(8), &QPushButton::clicked, this, &ScoreScreen::yearAverages);
  connect(button(13), &QPushButton::clicked, this, &ScoreScreen::frequency);
  connect(button(15), &QPushButton::clicked, this, &ScoreScreen::showCharts);
  connect(button(7), &QPushButton::clicked, this, &ScoreScreen::print);
}

void ScoreScreen::startAfresh() {
  // Each button as the screen was built: the work on the next table starts
  // from the subject choice again.
  enable({1, 2, 5, 7, 11, 12}, true);
  enable({3, 4, 6, 8, 9, 10, 13, 15}, false);
  entry_->clear();
  entry_->setEnabled(false);
  entryPositionChosen_ = false;
  subjectOptions_->setExclusive(false);
  for (QAbstractButton* option : subjectOptions_->buttons()) option->setChecked(false);
  subjectOptions_->setExclusive(true);
  subjectPanel_->hide();
}

QPushButton* ScoreScreen::button(int number) const {
  return number >= 0 && number < kButtons ? buttons_[number] : nullptr;
}

void ScoreScreen::headerCounted() {
  const SharedState& st = state();
  table().setCols(st.ColumnCount);
  if (st.ColumnCount > 3) {
    button(1)->setEnabled(false);
    table().setFixedCols(3);
  }
}

void ScoreScreen::afterLoad() {
  notice_->clear();
  const SharedState& st = state();
  if (st.ColumnCount <= 3) return;
  button(2)->setFocus();
  StudentTable& t = table();
  if (t.text(0, 3) == QStringLiteral("生徒氏名")) {
    for (int c = 0; c < st.ColumnCount; ++c) t.setColWidth(c, 500);
    t.setColWidth(1, 300);
    t.setColWidth(2, 300);
    t.setColWidth(3, 1300);
  }
  if (t.text(0, st.ColumnCount - 1) == QStringLiteral("合計")) button(13)->setEnabled(true);
}

void ScoreScreen::enable(std::initializer_list<int> numbers, bool on) {
  for (int n : numbers)
    if (QPushButton* b = button(n)) b->setEnabled(on);
}

bool ScoreScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == entry_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Return confirms whatever shift key is held; other keys edit the box.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      confirmEntry();
      return true;
    }
  }
  return Screen::eventFilter(watched, event);
}

void ScoreScreen::openSubjectSelection() {
  hide();
  emit subjectsRequested();
}

void ScoreScreen::showSubjectPanel() { subjectPanel_->show(); }

void ScoreScreen::takeSubjectChoice() {
  QAbstractButton* chosen = subjectOptions_->checkedButton();
  if (!chosen) {
    dialogs().message(QStringLiteral("どれかを選んでください。"));
    return;
  }
  const QString subject = chosen->text();
  SharedState& st = state();
  if (auto column = FindSubjectColumn(table(), subject)) {
    st.EntryColumn = *column;
  } else if (HasEntryColumn(st, table())) {
    dialogs().message(QStringLiteral("「%1」の列が表にありません。点数は、前に選んだ教科「%2」の列に入ります。")
                          .arg(subject, table().text(0, st.EntryColumn)));
  } else {
    // Nothing to type into yet: the panel stays for another choice.
    dialogs().message(QStringLiteral("「%1」の列が表にありません。表にある教科を選んでください。").arg(subject));
    return;
  }
  subjectPanel_->hide();
  QPushButton* start = button(4);
  start->setEnabled(true);
  start->setFocus();
}

void ScoreScreen::startEntry() {
  if (AskStartPosition(app_, *this, *entry_, *button(2))) {
    entryPositionChosen_ = true;
    cursor_->show();
  }
  enable({3, 5}, true);
}

void ScoreScreen::confirmEntry() {
  const EntryOutcome outcome = entryPositionChosen_
                                   ? cursor_->store([this] { return StoreEntry(state(), table(), entry_->text()); })
                                   : EntryOutcome::NoStudent;
  switch (outcome) {
    case EntryOutcome::Stored:
      cursor_->show();
      return;
    case EntryOutcome::TableEnd:
      dialogs().message(QStringLiteral("点数入力が終わりました。まず、保存してください。"));
      entry_->clear();
      button(4)->setFocus();
      return;
    // The typed score stays in the box in the cases below: nothing was stored.
    case EntryOutcome::NoColumn:
      dialogs().message(
          QStringLiteral("点数を入力する教科が決まっていません。「点数入力教科選択」で教科を選んでください。"));
      return;
    case EntryOutcome::PastTable:
      dialogs().message(QStringLiteral(
          "表の最後の生徒まで入力が終わっています。訂正するときは、「点数入力」で組と番号を指定してください。"));
      return;
    case EntryOutcome::NoStudent:
      dialogs().message(QStringLiteral(
          "点数を入れる生徒が決まっていません。「点数入力」で、何組何番から入力するかを指定してください。"));
      return;
  }
}

void ScoreScreen::totals() {
  std::optional<QString> refusal;
  {
    TableHidden hidden(*this);
    refusal = ComputeTotals(state(), table());
  }
  if (refusal) {
    dialogs().message(*refusal);
    return;
  }
  notice_->setText(CountedAsZeroNotice(CountedAsZero(table())));
  enable({6, 13}, true);
}

void ScoreScreen::averages() {
  std::optional<QString> refusal;
  {
    TableHidden hidden(*this);
    refusal = ComputeAverages(state(), table());
  }
  if (refusal) {
    dialogs().message(*refusal);
    return;
  }
  enable({8, 9}, true);
  enable({6, 5, 2, 13}, false);
}

void ScoreScreen::sortRows() {
  {
    TableHidden hidden(*this);
    SortByLastColumn(state(), table());
  }
  // The row the next score was going to has another student in it now.
  entryPositionChosen_ = false;
  enable({8, 7, 9}, false);
  if (!CarriesRanks(table())) enable({10}, true);
}

void ScoreScreen::rank() {
  // A ranked table one column too wide could never be saved.
  if (auto refusal = RefuseAnotherColumn(table(), QStringLiteral("順位"))) {
    dialogs().message(*refusal);
    return;
  }
  hide();
  emit rankingRequested();
}

void ScoreScreen::save() {
  // The shared counts may have been set by another table since this one was
  // last changed; the file must hold this table whole.
  state().ColumnCount = table().cols();
  state().RowCount = table().rows();
  SaveScreenTable(app_, *this);
}

}  // namespace gakunen

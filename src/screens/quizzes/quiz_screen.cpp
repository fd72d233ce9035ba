#include "screens/quizzes/quiz_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/quizzes/quiz_columns.h"
#include "model/rules/subjectfiles/test_column_names.h"
#include "model/session/shared_state.h"
#include "model/table/score_reading.h"
#include "model/table/student_table.h"
#include "screens/common/entry_cursor.h"
#include "screens/common/file_sequences.h"
#include "screens/common/start_position.h"
#include "screens/common/transfer_dialog.h"
#include "ui/grid_view.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

namespace {
const char16_t kNoStudent[] = u"点数を入れる生徒が決まっていません。「点数入力」で組と番を入力してください。";
}

QuizScreen::QuizScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form18"), QStringLiteral("小テスト画面"), parent),
      testNames_(subjectfiles::kTestNameSlots, QString()) {
  auto* transfer = addButton(QStringLiteral("Command1"), QStringLiteral("転入生"),
                             QStringLiteral("転入生があれば、追加しておいてください。"));
  addQuiz_ = addButton(QStringLiteral("Command2"), QStringLiteral("小テスト追加"),
                       QStringLiteral("小テストなど列を一つ追加します。"));
  auto* start = addButton(QStringLiteral("Command3"), QStringLiteral("点数入力"),
                          QStringLiteral("小テストなどの点数を入力します。"));
  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("Text1"));
  // Scores are typed directly, with the input method off.
  entry_->setAttribute(Qt::WA_InputMethodEnabled, false);
  entry_->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
  entry_->setEnabled(false);
  entry_->installEventFilter(this);
  addLabelledEntry(entry_, QStringLiteral("点数"));
  // Scores always go to the newest quiz, the last column.
  cursor_ = new EntryCursor(
      *this, *entry_, [this] { return table().cols() > 3 ? table().cols() - 1 : -1; },
      [this](int row) { return row >= 1 && row < table().rows(); });
  cursor_->keepDigitsHalfWidth();
  connect(cursor_, &EntryCursor::positioned, this, [this] {
    positioned_ = true;
    entry_->setEnabled(true);
    ok_->setEnabled(true);
  });
  grid()->setCellNotes(
      [this](int row, int col) { return col >= 3 && row >= 1 ? ScoreNote(table().text(row, col)) : QString(); });
  ok_ = addButton(QStringLiteral("Command4"), QStringLiteral("OK"),
                  QStringLiteral("テキストボックスの点数を表に入れます。"));
  ok_->setEnabled(false);
  auto* rename =
      addButton(QStringLiteral("Command5"), QStringLiteral("列名変更"), QStringLiteral("列の名前を変更します。"));
  auto* save = addButton(QStringLiteral("Command6"), QStringLiteral("保存"), QStringLiteral("ファイルに保存します。"));
  auto* viewpoints = addButton(QStringLiteral("ViewpointButton"), QStringLiteral("観点別評価"),
                               QStringLiteral("三つの観点の評価と評定を出します。"));
  addReturnToMenuButton();
  auto* end = addButton(QStringLiteral("Command7"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します。"));

  connect(transfer, &QPushButton::clicked, this, &QuizScreen::addTransferStudent);
  connect(addQuiz_, &QPushButton::clicked, this, [this] {
    if (auto refusal = quizzes::AddQuizColumn(state(), *this)) dialogs().message(*refusal);
  });
  connect(start, &QPushButton::clicked, this, &QuizScreen::startEntry);
  connect(ok_, &QPushButton::clicked, this, &QuizScreen::storeScore);
  connect(rename, &QPushButton::clicked, this, [this] {
    subjectfiles::RenameTestColumn(dialogs(), table(), testNames_, subjectfiles::EmptyTestName::ClearTitle);
  });
  connect(save, &QPushButton::clicked, this, &QuizScreen::save);
  connect(viewpoints, &QPushButton::clicked, this, &QuizScreen::viewpointsRequested);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void QuizScreen::startAfresh() {
  positioned_ = false;
  entry_->clear();
  entry_->setEnabled(false);
  ok_->setEnabled(false);
  testNames_.fill(QString());
}

bool QuizScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == entry_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      storeScore();
      return true;
    }
  }
  return Screen::eventFilter(watched, event);
}

void QuizScreen::addTransferStudent() {
  if (!watchingTransfers_) {
    // Entry under way goes on with the same student, who may have moved
    // down one row, instead of putting the next score on the newcomer.
    connect(&app_.transferDialog(), &TransferDialog::studentInserted, this,
            [this](TableHost* screen, int row, int previous) {
              if (screen != this || !positioned_) return;
              state().CurrentRow = previous + (row <= previous ? 1 : 0);
              cursor_->markCell();
            });
    watchingTransfers_ = true;
  }
  // The insertion searches the rows RowCount names; make them this table's.
  state().RowCount = table().rows();
  state().ModeCode = ModeCode::TransferIntoQuiz;
  dialogs().message(QStringLiteral("スクロールして転入生の出席番号を確認してください。"));
  ShowTransferDialog(app_, *this);
}

void QuizScreen::startEntry() {
  // The search runs over the rows RowCount names; make it name this table's.
  state().RowCount = table().rows();
  if (AskStartPosition(app_, *this, *entry_, *addQuiz_)) {
    positioned_ = true;
    cursor_->show();
  }
  ok_->setEnabled(true);
}

void QuizScreen::storeScore() {
  if (!positioned_) {
    dialogs().message(QString::fromUtf16(kNoStudent));
    return;
  }
  switch (cursor_->store([this] { return quizzes::StoreQuizScore(state(), table(), entry_->text()); })) {
    case quizzes::ScoreEntry::NoScoreColumn:
      dialogs().message(
          QStringLiteral("点数を入れる列がありません。「小テスト追加」で列を追加してから入力してください。"));
      return;
    case quizzes::ScoreEntry::NoStudentRow:
      positioned_ = false;
      dialogs().message(QString::fromUtf16(kNoStudent));
      return;
    case quizzes::ScoreEntry::TableEnded:
      positioned_ = false;
      dialogs().message(QStringLiteral("このクラスの点数入力が終わりました。まず、保存してください。"));
      entry_->clear();
      entry_->setEnabled(false);
      return;
    case quizzes::ScoreEntry::Stored:
      cursor_->show();
      return;
  }
}

void QuizScreen::save() {
  state().ColumnCount = table().cols();
  state().RowCount = table().rows();
  SaveScreenTable(app_, *this, FileDialogSettings::quizFiles());
}

}  // namespace gakunen

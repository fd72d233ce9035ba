#include "screens/roster/name_entry_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/roster/name_entry.h"
#include "model/session/shared_state.h"
#include "model/table/printed_tables.h"
#include "model/table/student_table.h"
#include "screens/common/entry_cursor.h"
#include "screens/common/file_sequences.h"
#include "screens/common/printing_scope.h"
#include "screens/common/start_position.h"
#include "screens/common/transfer_dialog.h"
#include "ui/grid_view.h"
#include "ui/screen_printer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

NameEntryScreen::NameEntryScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form2"), QStringLiteral("氏名入力画面"), parent) {
  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("Text1"));
  entry_->setToolTip(QStringLiteral("ここに氏名を入力してください"));
  // Names are typed with the input method on; which of its modes comes up
  // is the input method's own choice, the toolkit cannot select hiragana.
  entry_->setAttribute(Qt::WA_InputMethodEnabled, true);
  entry_->setInputMethodHints(Qt::ImhNone);
  entry_->setMinimumWidth(200);
  addLabelledEntry(entry_, QStringLiteral("氏名"));
  cursor_ = new EntryCursor(
      *this, *entry_, [] { return 2; }, [this](int row) { return row >= 1 && row < table().rows(); });
  connect(cursor_, &EntryCursor::positioned, this, [this] { setEntryEnabled(true); });
  ok_ = addButton(QStringLiteral("Command2"), QStringLiteral("OK"),
                  QStringLiteral("テキストボックスの氏名を表に入れます。｢リターン｣キーでも入力できます"));
  // Return in Text1 already enters the name; it must not press OK as well.
  ok_->setAutoDefault(false);
  setEntryEnabled(false);
  auto* first = addButton(QStringLiteral("Command3"), QStringLiteral("1番から入力"),
                          QStringLiteral("最初のクラスの出席番号1番から氏名を入力します"));
  resume_ = addButton(QStringLiteral("Command5"), QStringLiteral("途中入力訂正"),
                      QStringLiteral("途中から氏名入力をおこなったり、訂正をします"));
  auto* pause = addButton(QStringLiteral("Command4"), QStringLiteral("中断"), QStringLiteral("氏名入力を中断します"));
  auto* saveButton =
      addButton(QStringLiteral("Command1"), QStringLiteral("保存"), QStringLiteral("氏名のデータを保存します"));
  auto* print = addButton(QStringLiteral("Command10"), QStringLiteral("印刷"), QStringLiteral("印刷をします"));
  transfer_ = addButton(QStringLiteral("Command9"), QStringLiteral("転入生"));
  transfer_->hide();
  auto* back =
      addButton(QStringLiteral("Command6"), QStringLiteral("メニューに戻る"), QStringLiteral("最初の画面に戻ります"));
  auto* end = addButton(QStringLiteral("Command7"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));

  connect(entry_, &QLineEdit::returnPressed, this, &NameEntryScreen::enterName);
  connect(ok_, &QPushButton::clicked, this, &NameEntryScreen::enterName);
  connect(first, &QPushButton::clicked, this, &NameEntryScreen::startFromFirst);
  connect(resume_, &QPushButton::clicked, this, [this] {
    describeOwnTable();
    if (AskStartPosition(app_, *this, *entry_, *ok_)) cursor_->show();
  });
  connect(pause, &QPushButton::clicked, this,
          [this] { dialogs().message(QStringLiteral("保存してから休憩してください。")); });
  connect(saveButton, &QPushButton::clicked, this, &NameEntryScreen::save);
  connect(print, &QPushButton::clicked, this, &NameEntryScreen::printRoster);
  connect(transfer_, &QPushButton::clicked, this, &NameEntryScreen::addTransferStudent);
  connect(back, &QPushButton::clicked, this, &Screen::returnToMenu);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void NameEntryScreen::afterLoad(Opened purpose) {
  resume_->show();
  if (purpose == Opened::ForTransfers) {
    transfer_->show();
    transfer_->setEnabled(true);
  }
}

void NameEntryScreen::setEntryEnabled(bool on) {
  entry_->setEnabled(on);
  ok_->setEnabled(on);
}

void NameEntryScreen::describeOwnTable() {
  state().ColumnCount = table().cols();
  state().RowCount = table().rows();
}

void NameEntryScreen::enterName() {
  if (!entry_->isEnabled()) return;
  switch (cursor_->store([this] { return EnterName(state(), *this, entry_->text()); })) {
    case NameEntryStep::Next:
      cursor_->show();
      return;
    case NameEntryStep::Finished:
      dialogs().message(QStringLiteral("このクラスの氏名入力が終わりました。まず、保存してください。"));
      break;
    case NameEntryStep::NoRow:
      dialogs().message(QStringLiteral(
          "氏名を入れる行がありません。「1番から入力」か「途中入力訂正」で入力する位置を選んでください。"));
      break;
  }
  entry_->clear();
  setEntryEnabled(false);
  grid()->setCurrentCell(-1, -1);
}

void NameEntryScreen::startFromFirst() {
  if (table().rows() < 2) {
    dialogs().message(QStringLiteral("表に生徒の行がありません。"));
    return;
  }
  state().CurrentRow = 1;
  setEntryEnabled(true);
  cursor_->show();
  dialogs().message(QStringLiteral("空欄に氏名を入力し、OKボタンを押してください。"));
  entry_->setFocus();
}

void NameEntryScreen::save() {
  describeOwnTable();
  SaveScreenTable(app_, *this);
}

void NameEntryScreen::printRoster() {
  std::vector<ClassPage> pages;
  {
    BusyScope busy(app_);
    setTableVisible(false);
    describeOwnTable();
    pages = BuildClassPages(state(), *this);
    PrintingScope printing(*this);
    PrintClassPages(pages, printing.printer());
    setTableVisible(true);
  }
  if (pages.empty()) dialogs().message(NoClassPagesMessage());
}

void NameEntryScreen::addTransferStudent() {
  if (!watchingTransfers_) {
    // Entry that was under way goes on with the same student, who may have
    // moved down one row, rather than overwriting the new student's name.
    connect(&app_.transferDialog(), &TransferDialog::studentInserted, this,
            [this](TableHost* screen, int row, int previous) {
              if (screen != this || !entry_->isEnabled()) return;
              state().CurrentRow = previous + (row <= previous ? 1 : 0);
              cursor_->markCell();
            });
    watchingTransfers_ = true;
  }
  // The insertion reads RowCount, which another screen may have changed since this roster was loaded.
  describeOwnTable();
  state().ModeCode = ModeCode::TransferIntoRoster;
  dialogs().message(QStringLiteral("スクロールして転入生の出席番号を確認してください。"));
  ShowTransferDialog(app_, *this);
}

void NameEntryScreen::startAfresh() {
  // The next table shown here is another roster: entry starts afresh there,
  // and only a roster opened for transfers offers "転入生".
  setEntryEnabled(false);
  transfer_->hide();
}

}  // namespace gakunen

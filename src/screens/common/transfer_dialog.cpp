#include "screens/common/transfer_dialog.h"

#include "model/ports/dialogs.h"
#include "model/rules/transfer/transfer_student.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/app_context.h"
#include "screens/common/screen.h"
#include "ui/grid_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace gakunen {

TransferDialog::TransferDialog(AppContext& app, TargetOf targetOf, QWidget* parent)
    : QWidget(parent, Qt::Dialog), app_(app), targetOf_(std::move(targetOf)) {
  setObjectName(QStringLiteral("Form20"));
  setWindowTitle(QStringLiteral("Form20"));

  auto* layout = new QGridLayout(this);
  auto field = [this, layout](int row, const QString& labelName, const QString& labelText, const QString& name) {
    auto* label = new QLabel(labelText, this);
    label->setObjectName(labelName);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMinimumWidth(180);
    label->setBuddy(edit);
    layout->addWidget(label, row, 0);
    layout->addWidget(edit, row, 1);
    return edit;
  };
  class_ = field(0, QStringLiteral("Label1"), QStringLiteral("転入生のクラス"), QStringLiteral("Text1"));
  number_ = field(1, QStringLiteral("Label2"), QStringLiteral("転入生の出席番号"), QStringLiteral("Text2"));
  name_ = field(2, QStringLiteral("Label3"), QStringLiteral("転入生の氏名"), QStringLiteral("Text3"));
  // Names are typed with the input method; the toolkit offers no portable way
  // to pick its hiragana mode, so the field only keeps it available.
  name_->setAttribute(Qt::WA_InputMethodEnabled, true);
  name_->setInputMethodHints(Qt::ImhNone);

  auto* hint = new QLabel(QStringLiteral("最後にOKボタンを押してください"), this);
  hint->setObjectName(QStringLiteral("Label4"));
  layout->addWidget(hint, 3, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  // Return in the name field must not press OK by itself.
  ok->setAutoDefault(false);
  auto* cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
  cancelButton->setObjectName(QStringLiteral("Command2"));
  cancelButton->setAutoDefault(false);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancelButton);
  layout->addLayout(buttons, 4, 0, 1, 2);

  connect(class_, &QLineEdit::returnPressed, number_, [this] { number_->setFocus(); });
  connect(number_, &QLineEdit::returnPressed, name_, [this] { name_->setFocus(); });
  connect(ok, &QPushButton::clicked, this, &TransferDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &TransferDialog::cancel);
}

void TransferDialog::showBeside(Screen& caller) {
  if (caller_ != &caller) {
    release();
    caller_ = &caller;
    caller.installEventFilter(this);
  }
  adjustSize();
  QRect frame = caller.frameGeometry();
  QPoint at(frame.right() + 8, frame.top());
  if (QScreen* screen = caller.screen()) {
    const QRect room = screen->availableGeometry();
    if (at.x() + width() > room.right()) at.setX(std::max(room.left(), room.right() - width()));
    if (at.y() + height() > room.bottom()) at.setY(std::max(room.top(), room.bottom() - height()));
  }
  move(at);
  // Kept above its caller without being owned by it: every screen is owned
  // by the application.
  winId();
  if (QWindow* window = windowHandle()) window->setTransientParent(caller.window()->windowHandle());
  show();
  raise();
  activateWindow();
  class_->setFocus();
}

bool TransferDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) class_->setFocus();
  return QWidget::event(event);
}

bool TransferDialog::eventFilter(QObject* watched, QEvent* event) {
  // A dialog left open over a screen that was put away would insert into a
  // table the teacher no longer sees.
  if (watched == caller_ && event->type() == QEvent::Hide && isVisible()) cancel();
  return QWidget::eventFilter(watched, event);
}

void TransferDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  cancel();
}

void TransferDialog::release() {
  if (caller_) caller_->removeEventFilter(this);
  caller_.clear();
}

void TransferDialog::cancel() {
  hide();
  app_.state().ModeCode = ModeCode::TransferClosed;
}

void TransferDialog::accept() {
  hide();
  SharedState& state = app_.state();
  Screen* screen = targetOf_ ? targetOf_(state.ModeCode) : nullptr;
  if (!screen) return;

  const int previous = state.CurrentRow;
  const int rowsBefore = screen->table().rows();
  if (auto refusal = InsertTransferStudent(state, *screen, class_->text(), number_->text(), name_->text())) {
    app_.dialogs().message(*refusal);
    // Back to the fields, so the teacher can correct them.
    if (screen->isVisible()) showBeside(*screen);
    return;
  }
  if (screen->table().rows() == rowsBefore) return;
  screen->grid()->showRow(state.CurrentRow);
  emit studentInserted(screen, state.CurrentRow, previous);
}

void ShowTransferDialog(AppContext& app, Screen& caller) {
  app.state().CurrentForm = &caller;
  app.transferDialog().showBeside(caller);
}

}  // namespace gakunen

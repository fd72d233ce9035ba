#pragma once

#include "model/session/shared_state.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLineEdit;

namespace gakunen {

class AppContext;
class Screen;
class TableHost;

// Form20: class, attendance number and name of a transfer student. It stays
// open beside the screen that asked for it without blocking that screen, so
// the teacher can scroll the table to look the numbers up. OK inserts the
// student into the table of the screen that ModeCode names.
class TransferDialog : public QWidget {
  Q_OBJECT
 public:
  // The screen whose table OK inserts into for a ModeCode; nullptr for a
  // code that names none.
  using TargetOf = std::function<Screen*(ModeCode)>;

  TransferDialog(AppContext& app, TargetOf targetOf, QWidget* parent = nullptr);

  // Shows the dialog to the right of `caller`; it closes when the caller is hidden.
  void showBeside(Screen& caller);

  QLineEdit* classField() const { return class_; }
  QLineEdit* numberField() const { return number_; }
  QLineEdit* nameField() const { return name_; }

 signals:
  // A student went into `screen`'s table at `row`; `previousCurrentRow` is
  // CurrentRow as it was before, for a screen that was in the middle of entry.
  void studentInserted(gakunen::TableHost* screen, int row, int previousCurrentRow);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void accept();
  void cancel();
  void release();

  AppContext& app_;
  TargetOf targetOf_;
  QLineEdit* class_;
  QLineEdit* number_;
  QLineEdit* name_;
  QPointer<QWidget> caller_;
};

// Stores the caller in CurrentForm and shows Form20 beside it. The caller has
// set ModeCode and told the teacher to look the number up first.
void ShowTransferDialog(AppContext& app, Screen& caller);

}  // namespace gakunen

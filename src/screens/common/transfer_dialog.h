#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace gakunen {

class AppContext;
class Screen;
class TableHost;

// Form20: class, attendance number and name of a transfer student. It stays
// open beside the screen that asked for it without blocking that screen, so
// the teacher can scroll the table to look the numbers up. OK inserts the
// student into the table of the screen named by ModeCode.
class TransferDialog : public QWidget {
  Q_OBJECT
 public:
  explicit TransferDialog(AppContext& app, QWidget* parent = nullptr);

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
  QLineEdit* class_;
  QLineEdit* number_;
  QLineEdit* name_;
  QPointer<QWidget> caller_;
};

// The screen that each ModeCode stands for ("Form2" for 5, ... "Form18" for
// 9); "" for any other code.
QString TransferTargetForm(int modeCode);

// Stores the caller in CurrentForm and shows Form20 beside it. The caller has
// set ModeCode and told the teacher to look the number up first.
void ShowTransferDialog(AppContext& app, Screen& caller);

}  // namespace gakunen

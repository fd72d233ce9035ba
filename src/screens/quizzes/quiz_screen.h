#pragma once

#include "screens/common/screen.h"

#include <QStringList>

class QLineEdit;
class QPushButton;

namespace gakunen {

class EntryCursor;

// Form18, "小テスト画面": a subject file to which quiz columns are appended,
// their scores typed student by student into the newest column.
class QuizScreen : public Screen {
  Q_OBJECT
 public:
  explicit QuizScreen(AppContext& app, QWidget* parent = nullptr);
  QLineEdit* entry() const { return entry_; }
  void startAfresh() override;
  // The name "列名変更" gave last, at index test - 1.
  const QStringList& TestNames() const { return testNames_; }

 signals:
  // "観点別評価": Form21 is to work on this table.
  void viewpointsRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addTransferStudent();
  void startEntry();
  void storeScore();
  void save();

  QLineEdit* entry_;
  EntryCursor* cursor_;
  QPushButton* addQuiz_;
  QPushButton* ok_;
  QStringList testNames_;
  // Whether "点数入力" has placed the entry on a student of this table; a
  // CurrentRow left by other work never receives a score.
  bool positioned_ = false;
  bool watchingTransfers_ = false;
};

}  // namespace gakunen

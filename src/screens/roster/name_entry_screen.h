#pragma once

#include "screens/common/screen.h"

class QLineEdit;
class QPushButton;

namespace gakunen {

class EntryCursor;

// Form2, "氏名入力画面": names typed one after another into the roster,
// which is saved, printed class by class and given its transfer students.
class NameEntryScreen : public Screen {
  Q_OBJECT
 public:
  explicit NameEntryScreen(AppContext& app, QWidget* parent = nullptr);
  QLineEdit* entry() const { return entry_; }

  // What the main menu opened a saved roster for.
  enum class Opened { ForCorrection, ForTransfers };
  // The roster was just read into the table: the buttons that purpose needs.
  void afterLoad(Opened purpose);
  void startAfresh() override;

 private:
  void enterName();
  void startFromFirst();
  void save();
  void printRoster();
  void addTransferStudent();
  void setEntryEnabled(bool on);
  // ColumnCount and RowCount describe this screen's table before it is saved or printed.
  void describeOwnTable();

  QLineEdit* entry_;
  EntryCursor* cursor_;
  QPushButton* ok_;
  QPushButton* resume_;
  QPushButton* transfer_;
  bool watchingTransfers_ = false;
};

}  // namespace gakunen

#pragma once

#include <QWidget>

class QPushButton;

namespace gakunen {

class AppContext;

// Form1, "初期画面": the hub from which every workflow starts. One of its five
// button groups is shown at a time.
class MainMenu : public QWidget {
  Q_OBJECT
 public:
  enum class Group { Main, Names, NewRoster, SubjectFile, ClassDivision };

  explicit MainMenu(AppContext& app, QWidget* parent = nullptr);
  void showGroup(Group group);
  QWidget* groupWidget(Group group) const { return groups_[static_cast<int>(group)]; }
  QPushButton* button(int number) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* makeGroup(const QString& name, const QList<int>& buttons);
  void openScoreEntry();
  void openNames();
  void openTransfer();
  void openSubjectExtraction();
  void openSubjectFile(int button);
  void openDivisionBase();
  void openDivisionFinish();
  void buildMixedRoster();
  void buildSeparateRoster();
  // Open dialog of the menu, then the load into `formName`; false when cancelled or failed.
  bool loadInto(const QString& formName, const std::function<void()>& afterCount = {});
  void showReceiving(const QString& formName);

  AppContext& app_;
  QWidget* groups_[5] = {};
  QPushButton* buttons_[17] = {};
};

}  // namespace gakunen

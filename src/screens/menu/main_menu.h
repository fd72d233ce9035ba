#pragma once

#include <QWidget>
#include <functional>

class QPushButton;

namespace gakunen {

class AppContext;
class MenuDestinations;
class Screen;

// Form1, "初期画面": the hub from which every workflow starts. One of its five
// button groups is shown at a time. It opens files into the screens it is
// handed; what a screen does with its freshly loaded table is its own.
class MainMenu : public QWidget {
  Q_OBJECT
 public:
  enum class Group { Main, Names, NewRoster, SubjectFile, ClassDivision };

  MainMenu(AppContext& app, MenuDestinations& screens, QWidget* parent = nullptr);
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
  // Open dialog of the menu, then the load into `screen`, which is shown in
  // the menu's place; false when cancelled or failed.
  bool loadInto(Screen& screen, const std::function<void()>& afterCount = {});

  AppContext& app_;
  MenuDestinations& screens_;
  QWidget* groups_[5] = {};
  QPushButton* buttons_[17] = {};
};

}  // namespace gakunen

#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace gakunen {

class AppContext;
class GridView;
class RankingScreen;
class StudentTable;

// Form10, "クラスごとの順位画面": one ranking table per class (MSFlexGrid2,
// index = class number - 1), filled by the ranking screen's "クラス順", each
// printed on a page of its own.
class ClassRankingScreen : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClassTables = 15;

  explicit ClassRankingScreen(AppContext& app, QWidget* parent = nullptr);

  // "クラス順" on the ranking screen: shown, with a table for each class
  // made from the ranking table; "前に戻る" goes back to `ranking`.
  void showClassOrder(RankingScreen& ranking);
  // The tables are hidden while `build` fills them, then the tables of
  // classes 1 to ClassCount are shown.
  void fill(const std::function<void(const std::vector<StudentTable*>&)>& build);
  StudentTable& classTable(int index);
  int classesShown() const { return classes_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void print();
  void goBack();

  AppContext& app_;
  QPointer<RankingScreen> ranking_;
  std::vector<GridView*> grids_;
  // The classes of the last filling: the tables that are shown and printed.
  int classes_ = 0;
};

}  // namespace gakunen

#pragma once

#include "screens/common/screen.h"

class QFrame;
class QRadioButton;

namespace gakunen {

// Form5, "順位画面": the whole year-group in rank order, as the score
// screen's ranking hands it over (rank, class, number and name fixed at the
// left). Evaluation, the per-class tables, printing forty a page and saving.
class RankingScreen : public Screen {
  Q_OBJECT
 public:
  explicit RankingScreen(AppContext& app, QWidget* parent = nullptr);

  // "順位付け" on the score screen: the score table, ranked, becomes this
  // screen's table and the screen is shown.
  void showRanking(const StudentTable& scores);
  // Back from the per-class screen: this screen and its table shown again.
  void showAgain();

 signals:
  // "クラス順": the per-class tables are to be made from this table.
  void classOrderRequested();

 private:
  void showScalePanel();
  void takeScale();
  void takeMethod();
  void classOrder();
  void printFortyPerPage();
  void save();
  void refuseNoChoice();

  QFrame* scalePanel_ = nullptr;
  QFrame* methodPanel_ = nullptr;
  QRadioButton* five_ = nullptr;
  QRadioButton* ten_ = nullptr;
  QRadioButton* byPercent_ = nullptr;
  QRadioButton* byCount_ = nullptr;
};

}  // namespace gakunen

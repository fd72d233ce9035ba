#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QPushButton;

namespace gakunen {

class AppContext;
class Screen;

// Form4, "教科選択画面": nine lists naming the subjects a test covers, which
// become the subject columns of the score screen's roster.
class SubjectSelectionScreen : public QWidget {
  Q_OBJECT
 public:
  explicit SubjectSelectionScreen(AppContext& app, QWidget* parent = nullptr);

  // Offers the ten entries in every list again, the first five subjects
  // chosen, and shows the screen with the focus on "選択終了". The choice
  // goes to the table of `scores`, which is shown again when it is made or
  // abandoned.
  void open(Screen& scores);
  // The texts of lists 1 to 9.
  QStringList listTexts() const;

 protected:
  // The title-bar button ends the program, as on every screen.
  void closeEvent(QCloseEvent* event) override;

 private:
  void finish();
  void goBack();

  AppContext& app_;
  QComboBox* lists_[9] = {};
  QPushButton* finish_ = nullptr;
  QPointer<Screen> scores_;
};

}  // namespace gakunen

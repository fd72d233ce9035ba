#pragma once

#include "model/rules/subjectfiles/viewpoint_settings.h"
#include "screens/common/screen.h"

#include <QPointer>
#include <map>

class QCheckBox;
class QLineEdit;

namespace gakunen {

class ViewpointSetupPanel;

// Form21, "観点別評価画面": the three viewpoints' letters and the 評定 of a
// subject file, computed into the table of the screen that holds the file
// (Form7 or Form18), whose own "保存" saves them. The grid here shows that
// table; a letter or 評定 typed over a cell of it is marked and kept.
class ViewpointScreen : public Screen {
  Q_OBJECT
 public:
  explicit ViewpointScreen(AppContext& app, QWidget* parent = nullptr);

  // Shows the set-up and the table of `host`; "戻る" shows `host` again.
  void openFor(Screen& host);
  // `host` now holds the file at `path`, whose set-up is read from beside
  // it, or ("") a new table, which starts from the first set-up.
  void hostOpened(Screen& host, const QString& path);
  // `host`'s table was saved to `path`: its set-up goes beside it, once
  // there is one.
  void hostSaved(Screen& host, const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What belongs to one host's table.
  struct HostRecord {
    subjectfiles::ViewpointRecord record;
    bool setUp = false;  // read back, computed or changed by hand: worth keeping
    int generation = 0;  // counts the tables the host has held
  };

  void loadPanel(HostRecord& record);
  void compute();
  void storeHandChange();
  void print();
  void goBack();
  void refresh();

  QPointer<Screen> host_;
  std::map<Screen*, HostRecord> records_;
  ViewpointSetupPanel* panel_;
  QCheckBox* recompute_;
  QLineEdit* entry_;
  // What the panel was last filled for: the host, its table and its columns.
  Screen* panelHost_ = nullptr;
  int panelGeneration_ = -1;
  QStringList panelColumns_;
};

}  // namespace gakunen

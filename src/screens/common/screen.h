#pragma once

#include "model/session/table_host.h"
#include "screens/common/app_context.h"

#include <QWidget>

class QPushButton;
class QVBoxLayout;
class QHBoxLayout;

namespace gakunen {

class GridView;
struct SharedState;
class Dialogs;

// A window of the program: its table in the grid MSFlexGrid1 on the left,
// its buttons in a column on the right. The object name is the screen's
// name ("Form3"), the window title its caption. A screen asks for another
// screen only by a signal, or acts on one the application handed it.
class Screen : public QWidget, public TableHost {
  Q_OBJECT
 public:
  Screen(AppContext& app, const QString& formName, const QString& caption, QWidget* parent = nullptr);

  StudentTable& table() override;
  void setTableVisible(bool visible) override;
  GridView* grid() const { return grid_; }

  AppContext& app() { return app_; }
  SharedState& state();
  Dialogs& dialogs();

  // The data file the table was last loaded from or saved to; empty for a
  // table built or filled on this screen and not saved yet.
  const QString& documentPath() const { return documentPath_; }
  void setDocumentPath(const QString& path);

 signals:
  // The teacher goes back to the main menu, which shows its first buttons.
  void menuRequested();
  void documentPathChanged(const QString& path);

 protected:
  // A push button named `name` in the button column (or in `layout`).
  QPushButton* addButton(const QString& name, const QString& caption, const QString& tooltip = {},
                         QVBoxLayout* layout = nullptr);
  QHBoxLayout* mainLayout() const { return mainLayout_; }
  QVBoxLayout* buttonColumn() const { return buttons_; }
  // The title-bar button ends the program, as "終了" does.
  void closeEvent(QCloseEvent* event) override;

  AppContext& app_;

 private:
  GridView* grid_;
  QHBoxLayout* mainLayout_;
  QVBoxLayout* buttons_;
  QString documentPath_;
};

}  // namespace gakunen

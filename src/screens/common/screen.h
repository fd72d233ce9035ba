#pragma once

#include "model/files/file_fingerprint.h"
#include "model/files/file_lock.h"
#include "model/session/table_host.h"
#include "screens/common/app_context.h"

#include <QDateTime>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QHBoxLayout;

namespace gakunen {

class GridView;
struct SharedState;
class Dialogs;

// A window of the program: its table in the grid MSFlexGrid1 on the left,
// its buttons in a column on the right, and under both a status line
// (FileStatus) naming the file the table belongs to. The object name is the
// screen's name ("Form3"), the window title its caption. A screen asks for
// another screen only by a signal, or acts on one the application handed it.
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
  // The table was just written to `path`: it becomes the document path and
  // the status line says when.
  void noteSaved(const QString& path);
  QLabel* fileStatus() const { return fileStatus_; }

  // Puts the screen's own controls back as they are before any work, for a
  // table that is about to be loaded or built afresh: nothing enabled, shown
  // or remembered for the previous table may carry over to the next one.
  virtual void startAfresh() {}

  // "メニューに戻る": asks first when the table holds unsaved changes; the
  // screen leaves its work as it goes (startAfresh).
  void returnToMenu();
  // The document file as this screen last read or wrote it; nothing once
  // the path changes without it.
  const std::optional<FileFingerprint>& documentFingerprint() const { return documentFingerprint_; }
  void setDocumentFingerprint(const FileFingerprint& fingerprint) { documentFingerprint_ = fingerprint; }
  // Tells other programs that the document file is open here.
  FileLock& documentLock() { return documentLock_; }

 signals:
  // The teacher goes back to the main menu, which shows its first buttons.
  void menuRequested();
  void documentPathChanged(const QString& path);
  // The table now holds the data file at `path`, or ("") a table made on the screen.
  void documentOpened(const QString& path);
  // The table was written whole to `path`.
  void documentSaved(const QString& path);

 protected:
  // A push button named `name` in the button column (or in `layout`).
  QPushButton* addButton(const QString& name, const QString& caption, const QString& tooltip = {},
                         QVBoxLayout* layout = nullptr);
  // The "メニューに戻る" button (ReturnToMenu) in the button column.
  QPushButton* addReturnToMenuButton();
  // An entry box in the button column with its short label above it.
  QLabel* addLabelledEntry(QLineEdit* entry, const QString& label);
  QHBoxLayout* mainLayout() const { return mainLayout_; }
  QVBoxLayout* buttonColumn() const { return buttons_; }
  // The title-bar button ends the program, as "終了" does.
  void closeEvent(QCloseEvent* event) override;

  AppContext& app_;

 private:
  void refreshStatus();

  GridView* grid_;
  QHBoxLayout* mainLayout_;
  QVBoxLayout* buttons_;
  QLabel* fileStatus_;
  QString documentPath_;
  QDateTime savedAt_;
  std::optional<FileFingerprint> documentFingerprint_;
  FileLock documentLock_;
};

}  // namespace gakunen

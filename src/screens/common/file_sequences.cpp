#include "screens/common/file_sequences.h"

#include "model/files/data_file.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "screens/common/app_context.h"
#include "screens/common/screen.h"
#include "ui/grid_view.h"

#include <QWidget>

namespace gakunen {

namespace {
void noteCurrentForm(AppContext& app, QWidget& owner) {
  if (auto* host = dynamic_cast<TableHost*>(&owner)) app.state().CurrentForm = host;
}

// The table stays in place while it is saved, its painting held back:
// hiding it would lay the whole grid out again when it is shown, most of
// the time of a save.
class PaintingHeld {
 public:
  explicit PaintingHeld(QWidget& widget) : widget_(widget) { widget_.setUpdatesEnabled(false); }
  ~PaintingHeld() { widget_.setUpdatesEnabled(true); }
  PaintingHeld(const PaintingHeld&) = delete;
  PaintingHeld& operator=(const PaintingHeld&) = delete;

 private:
  QWidget& widget_;
};
}  // namespace

QString ShowOpenDataDialog(AppContext& app, QWidget& owner, const FileDialogSettings& settings) {
  noteCurrentForm(app, owner);
  const QString name = app.dialogs().openFile(settings, QStringLiteral("データを開く"));
  owner.show();
  return name;
}

QString ShowSaveDataDialog(AppContext& app, QWidget& owner, const FileDialogSettings& settings) {
  noteCurrentForm(app, owner);
  const QString name = app.dialogs().saveFile(settings, QStringLiteral("データを保存する"));
  owner.show();
  return name;
}

bool LoadIntoScreen(AppContext& app, Screen& receiving, const QString& path, const std::function<void()>& afterCount) {
  std::optional<LoadError> error;
  int unread = 0;
  {
    BusyScope busy(app);
    error = LoadDataFile(app.state(), receiving, path, afterCount, &unread);
  }
  if (error) {
    app.dialogs().message(error->message());
    return false;
  }
  receiving.setDocumentPath(path);
  if (unread > 0) app.dialogs().message(UnreadRowsNotice(path, unread));
  return true;
}

bool SaveScreenTable(AppContext& app, Screen& screen, const FileDialogSettings& settings) {
  std::optional<SaveError> error;
  QString path;
  {
    PaintingHeld held(*screen.grid());
    FileDialogSettings proposing = settings;
    proposing.proposedPath = screen.documentPath();
    path = ShowSaveDataDialog(app, screen, proposing);
    if (path.isEmpty()) return false;
    error = WriteTableToFile(app.state(), screen, path);
  }
  if (error) {
    app.dialogs().message(error->message());
    return false;
  }
  screen.noteSaved(path);
  return true;
}

}  // namespace gakunen

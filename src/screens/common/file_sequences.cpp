#include "screens/common/file_sequences.h"

#include "model/files/data_file.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "screens/common/app_context.h"
#include "screens/common/screen.h"

#include <QWidget>

namespace gakunen {

namespace {
void noteCurrentForm(AppContext& app, QWidget& owner) {
  if (auto* host = dynamic_cast<TableHost*>(&owner)) app.state().CurrentForm = host;
}
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
  screen.setTableVisible(false);
  FileDialogSettings proposing = settings;
  proposing.proposedPath = screen.documentPath();
  const QString path = ShowSaveDataDialog(app, screen, proposing);
  if (path.isEmpty()) {
    screen.setTableVisible(true);
    return false;
  }
  const auto error = WriteTableToFile(app.state(), screen, path);
  screen.setTableVisible(true);
  if (error) {
    app.dialogs().message(error->message());
    return false;
  }
  screen.noteSaved(path);
  return true;
}

}  // namespace gakunen

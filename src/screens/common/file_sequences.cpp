#include "screens/common/file_sequences.h"

#include "model/files/data_file.h"
#include "model/files/file_fingerprint.h"
#include "model/files/file_lock.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "screens/common/app_context.h"
#include "screens/common/screen.h"
#include "ui/grid_view.h"

#include <QFileInfo>
#include <QWidget>

namespace gakunen {

namespace {
void noteCurrentForm(AppContext& app, QWidget& owner) {
  if (auto* host = dynamic_cast<TableHost*>(&owner)) app.state().CurrentForm = host;
}

// From now on the screen shows `path`: a later save holds the file against
// `fingerprint`, and the lock tells other programs that it is open here.
void takeDocument(AppContext& app, Screen& screen, const QString& path, const FileFingerprint& fingerprint,
                  bool tellWhoHasItOpen) {
  screen.setDocumentPath(path);
  screen.setDocumentFingerprint(fingerprint);
  if (!app.locksOpenFiles()) return;
  const auto holder = screen.documentLock().acquire(path);
  if (holder && tellWhoHasItOpen) app.dialogs().message(OpenElsewhereNotice(*holder));
}

// Only the file this screen read or wrote is compared: a save onto a file
// that another screen showed is that screen's to notice when it saves.
bool overwriteAllowed(AppContext& app, Screen& screen, const QString& path) {
  const auto& known = screen.documentFingerprint();
  if (!known || QFileInfo(path) != QFileInfo(screen.documentPath())) return true;
  if (CompareWithDisk(path, *known) != DiskState::Changed) return true;
  return app.dialogs().question(
      QStringLiteral(
          "「%1」は、開いた後でほかの場所から保存されています。上書きすると、その変更は失われます。上書きしますか？")
          .arg(QFileInfo(path).fileName()));
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
  FileFingerprint read;
  {
    BusyScope busy(app);
    error = LoadDataFile(app.state(), receiving, path, afterCount, &unread, &read);
  }
  if (error) {
    app.dialogs().message(error->message());
    return false;
  }
  takeDocument(app, receiving, path, read, true);
  if (unread > 0) app.dialogs().message(UnreadRowsNotice(path, unread));
  emit receiving.documentOpened(path);
  return true;
}

bool SaveScreenTable(AppContext& app, Screen& screen, const FileDialogSettings& settings) {
  QString path;
  FileFingerprint written;
  std::optional<SaveError> error;
  {
    PaintingHeld held(*screen.grid());
    FileDialogSettings proposing = settings;
    proposing.proposedPath = screen.documentPath();
    path = ShowSaveDataDialog(app, screen, proposing);
    if (path.isEmpty() || !overwriteAllowed(app, screen, path)) return false;
    error = WriteTableToFile(app.state(), screen, path, &written);
  }
  if (error) {
    app.dialogs().message(error->message());
    return false;
  }
  takeDocument(app, screen, path, written, false);
  screen.noteSaved(path);
  emit screen.documentSaved(path);
  return true;
}

}  // namespace gakunen

#pragma once

#include <QPoint>
#include <QString>
#include <optional>

namespace gakunen {

// A screen's file dialog settings: filter in the "説明|パターン" form, default
// extension without the dot, initial folder (used where it exists, otherwise
// the user's documents folder). A save dialog proposes `proposedPath`, the
// file the table came from, in its own folder.
struct FileDialogSettings {
  QString filter;
  QString defaultExtension;
  QString initialFolder;
  QString proposedPath;

  static FileDialogSettings dataFiles();    // "*.dat" in b:\data
  static FileDialogSettings quizFiles();    // "*.dat" in b:\dat
  static FileDialogSettings importFiles();  // "*.*" in b:\data, no default extension
};

// Every message, question and file dialog a screen shows goes through this,
// so that tests and scenarios can answer them by script.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box with an OK button only; an empty title means none of its own.
  virtual void message(const QString& text, const QString& title = {}) = 0;
  // An input box with no default. Cancel and an empty answer both give "".
  virtual QString input(const QString& prompt, const QString& title = {},
                        std::optional<QPoint> position = std::nullopt) = 0;
  // The chosen file name, or "" when nothing was chosen.
  virtual QString openFile(const FileDialogSettings& settings, const QString& title) = 0;
  virtual QString saveFile(const FileDialogSettings& settings, const QString& title) = 0;
  // A yes/no question; true for yes.
  virtual bool question(const QString& text, const QString& title = {}) = 0;
};

}  // namespace gakunen

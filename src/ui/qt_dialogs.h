#pragma once

#include "model/ports/dialogs.h"

#include <QString>

class QWidget;

namespace gakunen {

// The dialogs of normal use: message and input boxes and the open and save
// dialogs, shown modally over the active window.
class QtDialogs : public Dialogs {
 public:
  QtDialogs() = default;

  // A message box with an OK button only. The title is the program's name
  // when the caller gives none.
  void message(const QString& text, const QString& title = {}) override;
  // `position` is the top-left corner in twips from the screen's corner
  // (15 twips a pixel); without it the box is centred over the window.
  QString input(const QString& prompt, const QString& title = {},
                std::optional<QPoint> position = std::nullopt) override;
  QString openFile(const FileDialogSettings& settings, const QString& title) override;
  QString saveFile(const FileDialogSettings& settings, const QString& title) override;
  bool question(const QString& text, const QString& title = {}) override;

  // "説明|*.dat|説明2|*.txt;*.csv" in the dialog's own form
  // "説明 (*.dat);;説明2 (*.txt *.csv)". A description that already names its
  // patterns in brackets ("データファイル(*.dat)") is kept as it is.
  static QString qtFilter(const QString& filter);
  // The folder of the proposed file, else the folder last used (`lastUsed`),
  // else the settings' folder, each only where it is an existing folder;
  // otherwise the user's documents folder (or the home folder).
  static QString startFolder(const FileDialogSettings& settings, const QString& lastUsed = {});

 private:
  QString title(const QString& given) const;
  QString fileDialog(const FileDialogSettings& settings, const QString& title, bool save);
};

}  // namespace gakunen

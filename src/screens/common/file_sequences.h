#pragma once

#include "model/ports/dialogs.h"

#include <QString>
#include <functional>

class QWidget;

namespace gakunen {

class AppContext;
class Screen;

// The open dialog titled "データを開く"; `owner` (the screen whose dialog it is)
// is shown again when the dialog closes. "" when nothing was chosen.
QString ShowOpenDataDialog(AppContext& app, QWidget& owner, const FileDialogSettings& settings);
// The save dialog titled "データを保存する", likewise.
QString ShowSaveDataDialog(AppContext& app, QWidget& owner, const FileDialogSettings& settings);

// Reads a data file into the receiving screen with the busy pointer (count the
// header, `afterCount`, read, size). A file that cannot be loaded is reported
// in a message and leaves the screen's table as it was; returns false then.
// A file with more students than a table keeps is loaded as far as it goes,
// and the teacher is told what was left out. The file becomes the screen's
// document path, the screen tells of it (documentOpened), and the teacher
// is told when another program has it open.
bool LoadIntoScreen(AppContext& app, Screen& receiving, const QString& path,
                    const std::function<void()>& afterCount = {});

// The save sequence of every "保存" button: the table's painting held back,
// save dialog, write (ColumnCount and RowCount must describe the screen's
// table), the table painted again. The dialog proposes the screen's document
// path. A cancelled dialog writes nothing; a refused save says why in a
// message. Saving over the screen's own file after another program saved it
// asks first. Returns true when the file was written; it is then the screen's
// document path, and the screen tells of it (documentSaved).
bool SaveScreenTable(AppContext& app, Screen& screen,
                     const FileDialogSettings& settings = FileDialogSettings::dataFiles());

}  // namespace gakunen

#pragma once

#include "model/files/file_fingerprint.h"
#include "model/files/line_structure.h"

#include <QString>
#include <functional>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;
class StudentTable;

// Why a data file could not be loaded. The screen's table is never touched
// when one of these is reported.
struct LoadError {
  enum class Kind { CannotOpen, NotText, HeaderNotCounted, TooManyTitles, BadLine };
  Kind kind;
  QString path;
  QString detail;                                  // the system's reason, where there is one
  std::optional<LineProblem> line = std::nullopt;  // BadLine
  QString message() const;
};

// Told after a file with more students than a table holds was loaded: how
// many were left unread, and that saving will not keep them.
QString UnreadRowsNotice(const QString& path, int unreadRows);

// Why a table was not saved. The file on disk is left as it was.
struct SaveError {
  enum class Kind { ColumnCount, RowCount, Quote, LineBreak, NotCp932, CannotWrite };
  Kind kind;
  QString path;
  int row = -1;       // table row of the refused cell
  int column = -1;    // table column of the refused cell
  QString title;      // that column's title
  QString character;  // the character code page 932 cannot hold
  QString detail;
  int count = 0;        // the refused column count
  bool existed = true;  // CannotWrite: a file of that name was there before
  QString message() const;
};

// One of the two data file channels: the first serves every ordinary load
// and save, the second only while another file's data are added. The whole
// file is read and decoded when it is opened; fields are then taken as one
// stream, a comma or a line end closing each.
class DataFileChannel {
 public:
  // Anything but a regular file is refused at once. `read` receives the
  // fingerprint of the bytes opened.
  std::optional<LoadError> open(const QString& path, FileFingerprint* read = nullptr);
  // Opens text already in memory (the reader's tests and fuzzing use this).
  // Blank lines at the end are dropped, so that they read as nothing.
  void openText(QString text);
  // Whether every line holds `titles` fields the way the reader takes them.
  std::optional<LineProblem> checkLines(int titles) const { return CheckLineStructure(text_, titles); }
  // Back to the first field, as closing and opening the same file again would.
  void rewind() { pos_ = 0; }
  void close();
  bool isOpen() const { return open_; }
  // The next field, or nothing at the end of the file.
  std::optional<QString> readField();
  // The line breaks still ahead: about the rows left to read.
  qsizetype lineBreaksLeft() const;

 private:
  QString text_;
  qsizetype pos_ = 0;
  bool open_ = false;
};

// Reads header fields into RowCells and sets ColumnCount to the number of
// fields before the first whose TextValue is above 0. Nothing more than
// 23 titles, or no such field at all, is an error.
std::optional<LoadError> CountHeaderColumns(SharedState& state, DataFileChannel& first);
// The same on the second channel, stopping at the first field whose value is exactly 1.
std::optional<LoadError> CountHeaderColumnsSecond(SharedState& state, DataFileChannel& second);

// Reads the channel into the screen's table, ColumnCount fields a row, at most
// 1000 rows; RowCount becomes the number of complete rows read (at most 999).
// Returns the complete rows the table does not keep: the 1000th and any after it.
int ReadTableFromFile(SharedState& state, TableHost& screen, DataFileChannel& first);
int ReadTableFromSecondFile(SharedState& state, TableHost& screen, DataFileChannel& second);

// Reads the rest of an opened channel into the screen's table, closes the
// channel and sizes the table with SetGridColumns, SetGridRows and
// SetStandardColumnWidths, all in one bulk change. Returns the rows left unread.
int ReadAndSizeTable(SharedState& state, TableHost& screen, DataFileChannel& channel, bool secondChannel = false);

// Writes rows 0..RowCount-1, columns 0..ColumnCount-1 of the screen's table,
// every field quoted, lines ending CR LF, in code page 932. The file is
// replaced in one step: on any refusal or failure it stays as it was.
// `written` receives the fingerprint of the saved file.
std::optional<SaveError> WriteTableToFile(SharedState& state, TableHost& screen, const QString& path,
                                          FileFingerprint* written = nullptr);

// Steps 3 to 5 of loading a file into a screen: count the header, check
// that every line holds as many fields as the header (then run `afterCount`,
// where a workflow adjusts the screen), read the table, size it. A refused
// file leaves the table and the shared counts as they were. `unreadRows`
// receives the rows beyond the 998 students a table keeps, `read` the
// fingerprint of the file as it was read.
std::optional<LoadError> LoadDataFile(SharedState& state, TableHost& screen, const QString& path,
                                      const std::function<void()>& afterCount = {}, int* unreadRows = nullptr,
                                      FileFingerprint* read = nullptr);

}  // namespace gakunen

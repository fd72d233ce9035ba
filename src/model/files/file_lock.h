#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace gakunen {

// Who has a data file open, as the lock file beside it says.
struct LockHolder {
  QString user;
  QString computer;
  qint64 pid = 0;
  QDateTime since;
};

// ".~lock.NAME#" in the data file's folder.
QString LockFilePath(const QString& dataPath);
// This program, opening a file now.
LockHolder ThisProgram();
QByteArray LockFileText(const LockHolder& holder);
// Nothing for a missing or unreadable lock file, or one not in the form written here.
std::optional<LockHolder> ReadLockFile(const QString& lockPath);
// A lock left more than 12 hours ago, or by a program on this computer that
// no longer runs (it crashed or the computer was switched off), holds nothing.
bool IsStale(const LockHolder& holder, const QDateTime& now);
// What the teacher is told on opening a file that `holder` has open.
QString OpenElsewhereNotice(const LockHolder& holder);

// A lock one screen holds on the data file it shows. Screens of this program
// that open the same file share its lock file: it goes when the last lets go.
// Only the GUI thread takes and releases locks.
class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Holds the lock of the data file at `dataPath`, letting go of the one
  // held before. When another live program holds it, says who; their lock
  // file is left as it is and this one holds nothing. A folder that takes no
  // lock file (read-only, a write-protected stick) holds nothing either.
  std::optional<LockHolder> acquire(const QString& dataPath);
  void release();
  bool holds() const { return !lockPath_.isEmpty(); }

 private:
  QString lockPath_;
};

}  // namespace gakunen

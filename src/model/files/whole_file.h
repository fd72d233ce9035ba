#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace gakunen {

// Why a whole file could not be read or written, for a message to the teacher.
struct FileFailure {
  int error = 0;            // the system's error number; 0 with notRegular
  bool notRegular = false;  // the name belongs to a folder, a FIFO, a device...
  bool writing = false;
  bool existed = false;  // writing: there was a file of that name, and it stays as it was
  QString reason() const;
};

// Reads the whole of a regular file. Anything else is refused before a byte
// is read: opening a FIFO for reading would wait for a writer for ever.
// `modifiedNs` receives the modification time of the file the bytes came
// from (nanoseconds since 1970), taken from the same open file.
std::optional<FileFailure> ReadWholeFile(const QString& path, QByteArray& bytes, qint64* modifiedNs = nullptr);

// Puts `bytes` in place of the file at `path` (through a symbolic link, at
// its target) so that the file is either the old one or the whole new one.
// The bytes go to a scratch file in the same folder with every write
// checked, are flushed to the disk, and only then is the scratch file renamed
// over the old one: a full disk, a size limit or a failing disk refuses the
// save and leaves the old file and the folder as they were. An old file's
// permissions carry over; a read-only one is refused. `modifiedNs` receives
// the modification time of the new file as the folder reports it afterwards.
std::optional<FileFailure> ReplaceWholeFile(const QString& path, const QByteArray& bytes, qint64* modifiedNs = nullptr);

}  // namespace gakunen

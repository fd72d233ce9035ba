#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace gakunen {

// A file as this program last read or wrote it. Another program's save
// changes at least one of the three, even one that keeps the size and
// lands within the same tick of a coarse file-system clock.
struct FileFingerprint {
  qint64 size = -1;
  qint64 modifiedNs = 0;  // since 1970
  quint64 hash = 0;
  bool operator==(const FileFingerprint&) const = default;
};

FileFingerprint FingerprintOf(const QByteArray& bytes, qint64 modifiedNs);

enum class DiskState { Missing, Unchanged, Changed };

// Reads the file at `path` once and holds it against `known`. A file that is
// there but cannot be read counts as changed: nothing shows that writing
// over it loses nothing.
DiskState CompareWithDisk(const QString& path, const FileFingerprint& known);

}  // namespace gakunen

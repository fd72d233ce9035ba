#include "model/files/file_fingerprint.h"

#include "model/files/whole_file.h"

#include <QHashFunctions>

#include <cerrno>

namespace gakunen {

FileFingerprint FingerprintOf(const QByteArray& bytes, qint64 modifiedNs) {
  // The process's own hash of the bytes is enough: fingerprints are only
  // ever compared within the program that took them.
  return {bytes.size(), modifiedNs, static_cast<quint64>(qHashBits(bytes.constData(), bytes.size(), 0))};
}

DiskState CompareWithDisk(const QString& path, const FileFingerprint& known) {
  QByteArray bytes;
  qint64 modified = 0;
  if (auto failure = ReadWholeFile(path, bytes, &modified))
    return failure->error == ENOENT || failure->error == ENOTDIR ? DiskState::Missing : DiskState::Changed;
  return FingerprintOf(bytes, modified) == known ? DiskState::Unchanged : DiskState::Changed;
}

}  // namespace gakunen

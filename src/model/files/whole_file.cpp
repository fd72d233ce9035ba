#include "model/files/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <cerrno>
#include <cstring>

namespace gakunen {

#ifndef _WIN32
namespace {

// Closes a descriptor and removes the scratch file unless told to keep it.
class Scratch {
 public:
  ~Scratch() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.isEmpty()) ::unlink(name_.constData());
  }
  int fd_ = -1;
  QByteArray name_;
};

std::optional<FileFailure> failed(int error, bool existed) {
  FileFailure f;
  f.error = error;
  f.writing = true;
  f.existed = existed;
  return f;
}

qint64 modificationNs(const struct stat& st) {
  return static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + static_cast<qint64>(st.st_mtim.tv_nsec);
}

}  // namespace
#endif

QString FileFailure::reason() const {
  if (notRegular) return QStringLiteral("通常のファイルではありません");
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return QStringLiteral("ディスクの空きが足りません");
    case EFBIG:
      return QStringLiteral("ファイルが書き込める大きさを超えます");
    case EACCES:
    case EPERM:
      return writing ? QStringLiteral("書き込みが許可されていません") : QStringLiteral("読み込みが許可されていません");
    case EROFS:
      return QStringLiteral("書き込みのできない場所です");
    case ENOENT:
    case ENOTDIR:
      return writing ? QStringLiteral("保存先のフォルダがありません") : QStringLiteral("ファイルがありません");
    case EISDIR:
      return writing ? QStringLiteral("同じ名前のフォルダがあります") : QStringLiteral("ファイルではなくフォルダです");
    case ENAMETOOLONG:
      return QStringLiteral("ファイル名が長すぎます");
    case EIO:
      return QStringLiteral("ディスクの読み書きに失敗しました");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return QStringLiteral("ほかのプログラムが使用中です");
    default:
      // The system's own words may be English: a detail behind the Japanese.
#ifdef _WIN32
      if (windowsError != 0)
        return QStringLiteral("読み書きできませんでした（システムのエラー %1: %2）")
            .arg(windowsError)
            .arg(qt_error_string(int(windowsError)));
#endif
      return QStringLiteral("読み書きできませんでした（システムのエラー %1: %2）")
          .arg(error)
          .arg(QString::fromLocal8Bit(std::strerror(error)));
  }
}

#ifndef _WIN32
std::optional<FileFailure> ReadWholeFile(const QString& path, QByteArray& bytes, qint64* modifiedNs) {
  bytes.clear();
  FileFailure f;
  if (path.isEmpty()) {
    f.error = ENOENT;
    return f;
  }
  // Opening without waiting lets a FIFO be recognised instead of blocking.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    f.error = errno;
    return f;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    f.error = S_ISDIR(st.st_mode) ? EISDIR : 0;
    f.notRegular = f.error == 0;
    ::close(fd);
    return f;
  }
  if (modifiedNs) *modifiedNs = modificationNs(st);
  bytes.reserve(static_cast<qsizetype>(st.st_size));
  char buffer[65536];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      f.error = errno;
      ::close(fd);
      bytes.clear();
      return f;
    }
    bytes.append(buffer, static_cast<qsizetype>(n));
  }
  ::close(fd);
  return std::nullopt;
}

std::optional<FileFailure> ReplaceWholeFile(const QString& path, const QByteArray& bytes, qint64* modifiedNs) {
  if (path.isEmpty()) return failed(ENOENT, false);
  QFileInfo info(path);
  const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
  const QByteArray native = QFile::encodeName(target);

  struct stat old {};
  const bool existed = ::stat(native.constData(), &old) == 0;
  if (existed) {
    if (S_ISDIR(old.st_mode)) return failed(EISDIR, false);
    if (!S_ISREG(old.st_mode)) {
      auto f = failed(0, false);
      f->notRegular = true;
      return f;
    }
    if (::access(native.constData(), W_OK) != 0) return failed(errno, true);
  }

  Scratch scratch;
  for (int attempt = 0; scratch.fd_ < 0; ++attempt) {
    const QByteArray name =
        native + '.' + QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36) + ".tmp";
    scratch.fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (scratch.fd_ >= 0) {
      scratch.name_ = name;
    } else if (errno != EEXIST || attempt > 100) {
      return failed(errno, existed);
    }
  }
  if (existed) ::fchmod(scratch.fd_, old.st_mode & 07777);

  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(scratch.fd_, p, static_cast<size_t>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return failed(errno, existed);
    }
    if (n == 0) return failed(ENOSPC, existed);
    p += n;
    left -= n;
  }
  // Some file systems report a full disk only when the data reach it.
  if (::fsync(scratch.fd_) != 0) return failed(errno, existed);
  if (struct stat written{}; modifiedNs && ::fstat(scratch.fd_, &written) == 0) *modifiedNs = modificationNs(written);
  const int fd = scratch.fd_;
  scratch.fd_ = -1;
  if (::close(fd) != 0) return failed(errno, existed);
  if (::rename(scratch.name_.constData(), native.constData()) != 0) return failed(errno, existed);
  scratch.name_.clear();
  // Asked again after the rename: a network folder may set the time on closing.
  if (struct stat now{}; modifiedNs && ::stat(native.constData(), &now) == 0) *modifiedNs = modificationNs(now);

  // The new name itself must survive a power cut; the file is in place
  // either way, so a folder that cannot be flushed does not undo the save.
  const int dir = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

#endif

}  // namespace gakunen

// Reading and replacing whole files on Windows, with the same promises as
// on other systems: only regular files are read, and a save reaches the disk
// in a scratch file of the same folder before it takes the old file's place.
#include "model/files/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace gakunen {

namespace {

// The error number that says the same as a Windows code, so that the teacher
// reads the same reasons as on other systems; 0 when there is none.
int ErrorNumberOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return EBUSY;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
    case 1295:  // ERROR_DISK_QUOTA_EXCEEDED, which MinGW's headers lack
      return ENOSPC;
    case ERROR_FILE_TOO_LARGE:
      return EFBIG;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETNAME_DELETED:
      return EIO;
    default:
      return 0;
  }
}

FileFailure FailureOf(DWORD code, bool writing, bool existed) {
  FileFailure f;
  f.error = ErrorNumberOf(code);
  if (f.error == 0) f.windowsError = code;
  f.writing = writing;
  f.existed = existed;
  return f;
}

std::wstring NativeName(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { close(); }
  void reset(HANDLE h) {
    close();
    h_ = h;
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    const bool closed = !valid() || CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

// The scratch file, removed unless it has taken the old file's place.
struct Scratch {
  ~Scratch() {
    file.close();
    if (!name.empty()) DeleteFileW(name.c_str());
  }
  Handle file;
  std::wstring name;
};

// Only files on a disk count: "CON", "NUL", pipes and the like are devices.
bool IsDiskFile(HANDLE h) { return GetFileType(h) == FILE_TYPE_DISK; }

// A file time (100 ns steps since 1601) in ns; only compared, never shown.
qint64 Nanoseconds(const FILETIME& t) {
  return static_cast<qint64>((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 100;
}

}  // namespace

std::optional<FileFailure> ReadWholeFile(const QString& path, QByteArray& bytes, qint64* modifiedNs) {
  bytes.clear();
  if (path.isEmpty()) return FailureOf(ERROR_FILE_NOT_FOUND, false, false);
  // Backup semantics let a folder be opened, so that it is named as such.
  Handle file(CreateFileW(NativeName(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return FailureOf(GetLastError(), false, false);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!IsDiskFile(file.get()) || !GetFileInformationByHandle(file.get(), &info)) {
    FileFailure f;
    f.notRegular = true;
    return f;
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    FileFailure f;
    f.error = EISDIR;
    return f;
  }
  if (modifiedNs) *modifiedNs = Nanoseconds(info.ftLastWriteTime);
  bytes.reserve(static_cast<qsizetype>((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow));
  char buffer[65536];
  while (true) {
    DWORD n = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
      bytes.clear();
      return FailureOf(GetLastError(), false, false);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<qsizetype>(n));
  }
  return std::nullopt;
}

std::optional<FileFailure> ReplaceWholeFile(const QString& path, const QByteArray& bytes, qint64* modifiedNs) {
  if (path.isEmpty()) return FailureOf(ERROR_PATH_NOT_FOUND, true, false);
  // A shortcut (.lnk) is a file of its own, not a link to follow.
  QFileInfo info(path);
  const QString target = info.isSymbolicLink() ? info.symLinkTarget() : info.absoluteFilePath();
  const std::wstring native = NativeName(target);

  const DWORD attributes = GetFileAttributesW(native.c_str());
  const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
  if (existed) {
    FileFailure f = FailureOf(0, true, false);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      f.error = EISDIR;
      return f;
    }
    Handle old(CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr));
    if (old.valid() && !IsDiskFile(old.get())) {
      f.notRegular = true;
      return f;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) return FailureOf(ERROR_ACCESS_DENIED, true, true);
  }

  Scratch scratch;
  for (int attempt = 0; !scratch.file.valid(); ++attempt) {
    const std::wstring name =
        native + L"." + QString::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36).toStdWString() + L".tmp";
    const HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    if (h != INVALID_HANDLE_VALUE) {
      scratch.file.reset(h);
      scratch.name = name;
    } else if (error != ERROR_FILE_EXISTS || attempt > 100) {
      return FailureOf(error, true, existed);
    }
  }

  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(left, 1 << 30));
    if (!WriteFile(scratch.file.get(), p, chunk, &written, nullptr)) return FailureOf(GetLastError(), true, existed);
    if (written == 0) return FailureOf(ERROR_DISK_FULL, true, existed);
    p += written;
    left -= written;
  }
  if (!FlushFileBuffers(scratch.file.get())) return FailureOf(GetLastError(), true, existed);
  if (!scratch.file.close()) return FailureOf(GetLastError(), true, existed);
  // A hidden or system file stays one.
  const DWORD kept = existed ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
  if (kept != 0) SetFileAttributesW(scratch.name.c_str(), kept);
  // Write-through: the new name is on the disk when the call returns.
  if (!MoveFileExW(scratch.name.c_str(), native.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return FailureOf(GetLastError(), true, existed);
  scratch.name.clear();
  if (WIN32_FILE_ATTRIBUTE_DATA now{}; modifiedNs && GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &now))
    *modifiedNs = Nanoseconds(now.ftLastWriteTime);
  return std::nullopt;
}

}  // namespace gakunen

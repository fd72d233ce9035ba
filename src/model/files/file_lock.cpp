#include "model/files/file_lock.h"

#include "model/files/whole_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSysInfo>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>
#include <cerrno>

namespace gakunen {

namespace {

constexpr qint64 kStaleAfterSeconds = 12 * 60 * 60;

// Lock files this program wrote, with the screens that hold each.
struct Held {
  int holders = 0;
  QByteArray text;  // what was written, so that only this program's own lock is removed
};

QHash<QString, Held>& heldLocks() {
  static QHash<QString, Held> held;
  return held;
}

QString oneLine(QString text) {
  text.replace(u'\r', u' ');
  text.replace(u'\n', u' ');
  return text;
}

QString userName() {
  for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
    const QString value = qEnvironmentVariable(name);
    if (!value.isEmpty()) return value;
  }
  if (const passwd* entry = ::getpwuid(::getuid())) return QString::fromLocal8Bit(entry->pw_name);
  return QStringLiteral("?");
}

bool sameComputer(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool runs(qint64 pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

bool isThisProgram(const LockHolder& holder) {
  return holder.pid == QCoreApplication::applicationPid() && sameComputer(holder.computer, QSysInfo::machineHostName());
}

}  // namespace

QString LockFilePath(const QString& dataPath) {
  const QFileInfo data(dataPath);
  return data.absoluteDir().filePath(QStringLiteral(".~lock.%1#").arg(data.fileName()));
}

LockHolder ThisProgram() {
  return {userName(), QSysInfo::machineHostName(), QCoreApplication::applicationPid(), QDateTime::currentDateTime()};
}

QByteArray LockFileText(const LockHolder& holder) {
  const QDateTime since = holder.since.toOffsetFromUtc(holder.since.offsetFromUtc());
  return QStringList{oneLine(holder.user), oneLine(holder.computer), QString::number(holder.pid),
                     since.toString(Qt::ISODate), QString()}
      .join(u'\n')
      .toUtf8();
}

std::optional<LockHolder> ReadLockFile(const QString& lockPath) {
  QByteArray bytes;
  if (ReadWholeFile(lockPath, bytes)) return std::nullopt;
  const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
  if (lines.size() < 4) return std::nullopt;
  LockHolder holder{lines[0], lines[1], 0, QDateTime::fromString(lines[3], Qt::ISODate)};
  bool number = false;
  holder.pid = lines[2].toLongLong(&number);
  if (!number || !holder.since.isValid()) return std::nullopt;
  return holder;
}

bool IsStale(const LockHolder& holder, const QDateTime& now) {
  if (holder.since.secsTo(now) > kStaleAfterSeconds) return true;
  return sameComputer(holder.computer, QSysInfo::machineHostName()) && !runs(holder.pid);
}

QString OpenElsewhereNotice(const LockHolder& holder) {
  return QStringLiteral(
             "%1さんが%2で開いています（%3から）。"
             "保存するときは、別の名前にするか、その人が閉じてから保存してください。")
      .arg(holder.user, holder.computer, holder.since.toLocalTime().toString(QStringLiteral("M月d日 H:mm")));
}

std::optional<LockHolder> FileLock::acquire(const QString& dataPath) {
  const QString lockPath = LockFilePath(dataPath);
  if (lockPath == lockPath_) return std::nullopt;
  release();
  auto& held = heldLocks();
  if (auto it = held.find(lockPath); it != held.end()) {
    ++it->holders;
    lockPath_ = lockPath;
    return std::nullopt;
  }
  const auto other = ReadLockFile(lockPath);
  if (other && !isThisProgram(*other) && !IsStale(*other, QDateTime::currentDateTime())) return other;
  const QByteArray text = LockFileText(ThisProgram());
  if (ReplaceWholeFile(lockPath, text)) return std::nullopt;
  held.insert(lockPath, Held{1, text});
  lockPath_ = lockPath;
  return std::nullopt;
}

void FileLock::release() {
  if (lockPath_.isEmpty()) return;
  auto& held = heldLocks();
  auto it = held.find(lockPath_);
  if (it != held.end() && --it->holders == 0) {
    // Another program may have taken the file over since; its lock stays.
    QByteArray now;
    if (!ReadWholeFile(lockPath_, now) && now == it->text) QFile::remove(lockPath_);
    held.erase(it);
  }
  lockPath_.clear();
}

}  // namespace gakunen

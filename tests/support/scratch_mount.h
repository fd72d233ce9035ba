#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

#include <sys/mount.h>

namespace gakunen::testing {

// A tmpfs mounted for one test and detached again at its end. Needs root
// (tests run as root here); where mounting is not allowed the test is skipped.
class ScratchMount {
 public:
  ScratchMount(const QString& where, const char* options) : where_(where.toLocal8Bit()) {
    QDir().mkpath(where);
    mounted_ = ::mount("tmpfs", where_.constData(), "tmpfs", 0, options) == 0;
  }
  ~ScratchMount() {
    if (mounted_) ::umount2(where_.constData(), MNT_DETACH);
  }
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;
  bool mounted() const { return mounted_; }
  bool makeReadOnly() { return ::mount("tmpfs", where_.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }
  bool makeWritable() { return ::mount("tmpfs", where_.constData(), "tmpfs", MS_REMOUNT, nullptr) == 0; }

 private:
  QByteArray where_;
  bool mounted_ = false;
};

}  // namespace gakunen::testing
